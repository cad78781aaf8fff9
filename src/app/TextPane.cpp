#include "app/TextPane.h"

namespace tolvane {

RtfDocument TextPane::document() const
{
    RtfRun run;
    run.text = m_text;
    return {run};
}

} // namespace tolvane
