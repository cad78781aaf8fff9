#pragma once

#include "text/UserMessage.h"

class QUrl;
class QWidget;

namespace tolvane {

// Hands a web or mail address to the desktop; when the desktop cannot open it, says so in a message box.
class LinkOpener final {
public:
    static bool open(QWidget *parent, const QUrl &url, const UserMessage &failure);
};

} // namespace tolvane
