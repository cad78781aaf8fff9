#pragma once

#include "text/MarkedText.h"
#include "text/RtfDocument.h"

#include <QString>

namespace tolvane {

// The result pane as the logic sees it. Texts use CR LF line breaks.
class ResultPane {
public:
    virtual ~ResultPane() = default;
    virtual QString text() const = 0;
    // Replaces the whole text; the new text takes the current insertion format.
    virtual void setText(const QString &text) = 0;
    // Replaces the whole text; the marked spans are bold, all of it otherwise in the current insertion format.
    virtual void setMarkedText(const MarkedText &text) = 0;
    // Insertion point to the start, nothing selected, and the format for new text: black, 10.5 point 宋体,
    // no bold, italic, underline or strikethrough. The text itself is not touched.
    virtual void resetInsertionFormat() = 0;
    // The whole content with its formatting, for storing as RTF.
    virtual RtfDocument document() const = 0;
    // Paints the pane now, before a long step runs.
    virtual void repaint() = 0;
};

} // namespace tolvane
