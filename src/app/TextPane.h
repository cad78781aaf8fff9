#pragma once

#include "app/ResultPane.h"

namespace tolvane {

// A result pane without a window: plain text in the pane's default format, with bold spans where the logic marks
// them. The command line prints it and stores it as RTF exactly as the window stores its pane.
class TextPane final : public ResultPane {
public:
    QString text() const override { return m_text.text; }
    void setText(const QString &text) override { m_text = MarkedText { text, {} }; }
    void setMarkedText(const MarkedText &text) override { m_text = text; }
    void resetInsertionFormat() override {}
    RtfDocument document() const override;
    void repaint() override {}

private:
    MarkedText m_text;
};

} // namespace tolvane
