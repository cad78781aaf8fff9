#include "app/TextPane.h"

namespace tolvane {

namespace {

// The number of line feeds at the start of text.
qsizetype leadingBreaks(const QString &text)
{
    qsizetype at = 0;
    while (at < text.size() && text.at(at) == u'\n')
        ++at;
    return at;
}

} // namespace

RtfDocument TextPane::document() const
{
    // The runs as the window's pane gives them back: a paragraph break takes the format of the text before it,
    // so breaks at the start of a run go to the run before it.
    RtfDocument runs;
    for (RtfRun run : m_text.withLineFeeds().runs()) {
        if (!runs.isEmpty()) {
            const qsizetype breaks = leadingBreaks(run.text);
            runs.last().text += run.text.left(breaks);
            run.text.remove(0, breaks);
        }
        if (run.text.isEmpty())
            continue;
        if (!runs.isEmpty() && runs.constLast().sameFormat(run))
            runs.last().text += run.text;
        else
            runs.append(run);
    }
    if (runs.isEmpty())
        runs.append(RtfRun {});
    return runs;
}

} // namespace tolvane
