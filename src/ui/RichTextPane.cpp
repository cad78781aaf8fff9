#include "ui/RichTextPane.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace tolvane {

RichTextPane::RichTextPane(QTextEdit *edit)
    : m_edit(edit)
    , m_insertionFormat(defaultFormat())
{
}

QTextCharFormat RichTextPane::defaultFormat()
{
    QTextCharFormat format;
    format.setFontFamilies({QStringLiteral("宋体")});
    format.setFontPointSize(10.5);
    format.setFontWeight(QFont::Normal);
    format.setFontItalic(false);
    format.setFontUnderline(false);
    format.setFontStrikeOut(false);
    format.setForeground(QColor(Qt::black));
    return format;
}

QString RichTextPane::text() const
{
    QString text = m_edit->toPlainText();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

void RichTextPane::setText(const QString &text)
{
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    plain.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QTextCursor cursor(m_edit->document());
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
    cursor.setBlockCharFormat(m_insertionFormat);
    cursor.insertText(plain, m_insertionFormat);
    cursor.endEditBlock();
    cursor.setPosition(0);
    m_edit->setTextCursor(cursor);
}

void RichTextPane::resetInsertionFormat()
{
    QTextCursor cursor = m_edit->textCursor();
    cursor.setPosition(0);
    m_edit->setTextCursor(cursor);
    m_insertionFormat = defaultFormat();
    m_edit->setCurrentCharFormat(m_insertionFormat);
}

RtfDocument RichTextPane::document() const
{
    RtfDocument runs;
    const QTextDocument *doc = m_edit->document();
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        if (block != doc->begin()) {
            // The paragraph break takes the format of the text before it.
            if (runs.isEmpty())
                runs.append(RtfRun{});
            runs.last().text += QLatin1Char('\n');
        }
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            const QTextCharFormat format = fragment.charFormat();
            RtfRun run;
            QString text = fragment.text();
            text.replace(QChar::LineSeparator, QLatin1Char('\n'));
            run.text = text;
            const QStringList families = format.fontFamilies().toStringList();
            run.fontFamily = families.isEmpty() ? QStringLiteral("宋体") : families.constFirst();
            run.pointSize = format.fontPointSize() > 0 ? format.fontPointSize() : 10.5;
            run.bold = format.fontWeight() >= QFont::Bold;
            run.italic = format.fontItalic();
            run.underline = format.fontUnderline();
            run.strikeOut = format.fontStrikeOut();
            run.rgb = format.foreground().color().rgb() & 0xFFFFFF;
            if (!runs.isEmpty() && runs.constLast().sameFormat(run))
                runs.last().text += run.text;
            else
                runs.append(run);
        }
    }
    return runs;
}

void RichTextPane::repaint()
{
    m_edit->viewport()->repaint();
}

} // namespace tolvane
