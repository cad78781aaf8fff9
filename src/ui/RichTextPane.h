#pragma once

#include "app/ResultPane.h"

#include <QTextCharFormat>

class QTextDocument;
class QTextEdit;

namespace tolvane {

// The result pane RichText: a QTextEdit seen through the logic's ResultPane.
class RichTextPane final : public ResultPane {
public:
    explicit RichTextPane(QTextEdit *edit);

    QString text() const override;
    void setText(const QString &text) override;
    void setMarkedText(const MarkedText &text) override;
    void resetInsertionFormat() override;
    RtfDocument document() const override;
    void repaint() override;

    static QTextCharFormat defaultFormat();
    // The character format of a run, and back: font name, size, bold, italic, underline, strikethrough, colour.
    static QTextCharFormat formatOf(const RtfRun &run);
    static RtfDocument documentOf(const QTextDocument *document);
    // Replaces the whole content of edit with the runs, as one step the user can undo.
    static void setDocument(QTextEdit *edit, const RtfDocument &runs);
    // Replaces the whole content with plain text in the default format; CR LF and CR are line breaks.
    static void setPlainText(QTextEdit *edit, const QString &text, const QTextCharFormat &format = defaultFormat());
    // The same with the marked spans in bold.
    static void setMarkedText(QTextEdit *edit, const MarkedText &text, const QTextCharFormat &format = defaultFormat());

private:
    QTextEdit *m_edit;
    QTextCharFormat m_insertionFormat;
};

} // namespace tolvane
