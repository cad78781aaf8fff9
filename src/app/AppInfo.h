#pragma once

#include "text/UserMessage.h"

#include <QString>

namespace tolvane {

// The program's own names, version and addresses, kept in one place.
struct AppInfo {
    static QString title();          // message boxes without a title of their own
    static QString applicationName(); // settings store and per-user folders
    static int majorVersion();
    static int minorVersion();
    static QString mainCaption();    // "青禾起名程序 V1.7   <青禾易学系列程序>"
    static QString webAddress();
    static QString pictureToolTip(); // Picture1
    static QString emailAddress();
    static QString phoneNumbers();
    static QString disclaimer();     // the About box's legal notice
    static QString splashWarning();  // the splash window's legal warning
    static QString splashVersion();  // "青禾起名程序  1.7   <青禾易学系列程序>"
    // When the desktop cannot open the web page or start a mail program.
    static UserMessage webOpenFailed();
    static UserMessage mailOpenFailed();
};

} // namespace tolvane
