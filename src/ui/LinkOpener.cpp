#include "ui/LinkOpener.h"

#include "ui/WidgetPrompter.h"

#include <QDesktopServices>
#include <QUrl>

namespace tolvane {

bool LinkOpener::open(QWidget *parent, const QUrl &url, const UserMessage &failure)
{
    if (QDesktopServices::openUrl(url))
        return true;
    WidgetPrompter(parent).showMessage(failure);
    return false;
}

} // namespace tolvane
