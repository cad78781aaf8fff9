#pragma once

#include "app/ResultPane.h"

#include <QTextCharFormat>

class QTextEdit;

namespace tolvane {

// The result pane RichText: a QTextEdit seen through the logic's ResultPane.
class RichTextPane final : public ResultPane {
public:
    explicit RichTextPane(QTextEdit *edit);

    QString text() const override;
    void setText(const QString &text) override;
    void resetInsertionFormat() override;
    RtfDocument document() const override;
    void repaint() override;

    static QTextCharFormat defaultFormat();

private:
    QTextEdit *m_edit;
    QTextCharFormat m_insertionFormat;
};

} // namespace tolvane
