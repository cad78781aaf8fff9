#pragma once

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
};

} // namespace tolvane
