#pragma once

#include "text/UserMessage.h"

class QUrl;
class QWidget;

namespace tolvane {

// Hands a web or mail address to the desktop (AddressOpener); when no browser or mail program can be
// started, says so in a message box over `parent`.
class LinkOpener final {
public:
    static void open(QWidget *parent, const QUrl &url, const UserMessage &failure);
};

} // namespace tolvane
