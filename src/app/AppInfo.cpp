#include "app/AppInfo.h"

namespace tolvane {

QString AppInfo::title()
{
    return QStringLiteral("青禾起名程序");
}

QString AppInfo::applicationName()
{
    return QStringLiteral("TolVane");
}

int AppInfo::majorVersion()
{
    return 1;
}

int AppInfo::minorVersion()
{
    return 7;
}

QString AppInfo::mainCaption()
{
    return QStringLiteral("青禾起名程序 V%1.%2   <青禾易学系列程序>").arg(majorVersion()).arg(minorVersion());
}

QString AppInfo::webAddress()
{
    return QStringLiteral("https://tolvane.example.org/");
}

QString AppInfo::pictureToolTip()
{
    return QStringLiteral("程序最新更新信息，请访问 ") + webAddress();
}

} // namespace tolvane
