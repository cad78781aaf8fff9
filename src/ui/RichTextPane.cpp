#include "ui/RichTextPane.h"

#include <QTextBlock>
#include <QTextBlockFormat>
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
    setPlainText(m_edit, text, m_insertionFormat);
    // A new result starts the undo history anew: undo would otherwise bring back earlier results while the
    // five-grid panel still shows the latest.
    m_edit->document()->clearUndoRedoStacks();
}

void RichTextPane::setMarkedText(const MarkedText &text)
{
    setMarkedText(m_edit, text, m_insertionFormat);
    m_edit->document()->clearUndoRedoStacks();
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
    return documentOf(m_edit->document());
}

QTextCharFormat RichTextPane::formatOf(const RtfRun &run)
{
    QTextCharFormat format;
    format.setFontFamilies({run.fontFamily});
    format.setFontPointSize(run.pointSize);
    format.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(run.italic);
    format.setFontUnderline(run.underline);
    format.setFontStrikeOut(run.strikeOut);
    format.setForeground(QColor(QRgb(0xFF000000u | (run.rgb & 0xFFFFFFu))));
    return format;
}

RtfDocument RichTextPane::documentOf(const QTextDocument *doc)
{
    RtfDocument runs;
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

void RichTextPane::setDocument(QTextEdit *edit, const RtfDocument &runs)
{
    QTextCursor cursor(edit->document());
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
    const QTextCharFormat first = runs.isEmpty() ? defaultFormat() : formatOf(runs.constFirst());
    cursor.setBlockCharFormat(first);
    cursor.setCharFormat(first);
    for (const RtfRun &run : runs) {
        QString text = run.text;
        text.remove(QLatin1Char('\r'));
        const QTextCharFormat format = formatOf(run);
        const QStringList paragraphs = text.split(QLatin1Char('\n'));
        for (qsizetype i = 0; i < paragraphs.size(); ++i) {
            if (i > 0) {
                cursor.insertBlock();
                cursor.setBlockCharFormat(format);
            }
            if (!paragraphs.at(i).isEmpty())
                cursor.insertText(paragraphs.at(i), format);
        }
    }
    cursor.endEditBlock();
    cursor.setPosition(0);
    edit->setTextCursor(cursor);
}

void RichTextPane::setPlainText(QTextEdit *edit, const QString &text, const QTextCharFormat &format)
{
    setMarkedText(edit, MarkedText { text, {} }, format);
}

void RichTextPane::setMarkedText(QTextEdit *edit, const MarkedText &text, const QTextCharFormat &format)
{
    const MarkedText plain = text.withLineFeeds();
    QTextCharFormat boldFormat = format;
    boldFormat.setFontWeight(QFont::Bold);
    QTextCursor cursor(edit->document());
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
    // The Song face Debian ships has almost no leading; long reports read better with a little more.
    QTextBlockFormat block;
    block.setLineHeight(125, QTextBlockFormat::ProportionalHeight);
    cursor.setBlockFormat(block);
    cursor.setBlockCharFormat(format);
    qsizetype at = 0;
    for (const MarkedText::Span &bold : std::as_const(plain.bold)) {
        cursor.insertText(plain.text.mid(at, bold.start - at), format);
        cursor.insertText(plain.text.mid(bold.start, bold.length), boldFormat);
        at = bold.start + bold.length;
    }
    cursor.insertText(plain.text.mid(at), format);
    cursor.endEditBlock();
    cursor.setPosition(0);
    edit->setTextCursor(cursor);
}

void RichTextPane::repaint()
{
    m_edit->viewport()->repaint();
}

} // namespace tolvane
