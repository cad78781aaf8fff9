#include "ui/LinkOpener.h"

#include "app/AddressOpener.h"
#include "ui/WidgetPrompter.h"

#include <QUrl>
#include <QWidget>

namespace tolvane {

void LinkOpener::open(QWidget *parent, const QUrl &url, const UserMessage &failure)
{
    AddressOpener::open(url.toString(QUrl::FullyEncoded), parent,
                        [parent, failure](const QString &) { WidgetPrompter(parent).showMessage(failure); });
}

} // namespace tolvane
