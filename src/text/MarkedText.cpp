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

void MarkedText::append(const MarkedText &more)
{
    qsizetype at = 0;
    for (const Span &span : more.bold) {
        append(more.text.mid(at, span.start - at));
        append(more.text.mid(span.start, span.length), true);
        at = span.start + span.length;
    }
    append(more.text.mid(at));
}

MarkedText MarkedText::withLineFeeds() const
{
    MarkedText out;
    if (bold.isEmpty()) {
        out.text = text;
        out.text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        out.text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        return out;
    }
    qsizetype span = 0;
    const auto isBold = [&](qsizetype i) {
        while (span < bold.size() && i >= bold[span].start + bold[span].length)
            ++span;
        return span < bold.size() && i >= bold[span].start;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            continue;
        out.append(QString(c == u'\r' ? QChar(u'\n') : c), isBold(i));
    }
    return out;
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
