#include "app/HeadlessView.h"

namespace tolvane {

void HeadlessView::showStatus(const QString &text)
{
    statusMessages.append(text);
}

} // namespace tolvane
