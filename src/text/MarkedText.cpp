#include "text/MarkedText.h"

#include <algorithm>

namespace tolvane {

void MarkedText::append(const QString &more, bool asBold)
{
    if (asBold && !more.isEmpty()) {
        if (!bold.isEmpty() && bold.last().start + bold.last().length == text.size())
            bold.last().length += more.size();
        else
            bold.append({ text.size(), more.size() });
    }
    text += more;
}

RtfDocument MarkedText::runs(const RtfRun &plain) const
{
    RtfDocument runs;
    const auto add = [&](qsizetype from, qsizetype to, bool asBold) {
        if (to <= from)
            return;
        RtfRun run = plain;
        run.text = text.mid(from, to - from);
        run.bold = asBold || plain.bold;
        runs.append(run);
    };
    qsizetype at = 0;
    for (const Span &span : bold) {
        const qsizetype start = std::clamp(span.start, at, text.size());
        const qsizetype end = std::clamp(span.start + span.length, start, text.size());
        add(at, start, false);
        add(start, end, true);
        at = end;
    }
    add(at, text.size(), false);
    return runs;
}

} // namespace tolvane
