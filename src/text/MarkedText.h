#pragma once

#include "text/RtfDocument.h"

#include <QList>
#include <QString>

namespace tolvane {

// Plain text with the parts to be shown in bold, for the result pane and the RTF writer.
struct MarkedText {
    struct Span {
        qsizetype start = 0; // in UTF-16 code units of text
        qsizetype length = 0;
        bool operator==(const Span &) const = default;
    };

    QString text;
    QList<Span> bold; // ascending and not overlapping

    // The text as runs of the given format, the spans in bold.
    RtfDocument runs(const RtfRun &plain = RtfRun {}) const;
    // Appends text (bold or not) and keeps the spans in order.
    void append(const QString &more, bool asBold = false);
    // Appends marked text, its spans moved along.
    void append(const MarkedText &more);
    // The same text with every line break (CR LF, CR or LF) as LF; each character kept stays bold or not.
    MarkedText withLineFeeds() const;
};

} // namespace tolvane
