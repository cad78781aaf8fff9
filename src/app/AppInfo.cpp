#include "app/AppInfo.h"

#include "app/BuildInfo.h"

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
    return build::kMajorVersion;
}

int AppInfo::minorVersion()
{
    return build::kMinorVersion;
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

QString AppInfo::emailAddress()
{
    return QStringLiteral("service@tolvane.example.org");
}

QString AppInfo::phoneNumbers()
{
    return QStringLiteral("电话：010-5555 0100  0571-5555 0199");
}

QString AppInfo::disclaimer()
{
    return QStringLiteral("本程序按传统姓名学的五格数理推算，所给结果仅供参考，不作为任何决定的依据。"
                          "起名时请同时斟酌字义、读音和家人的意愿。本程序受著作权法保护，"
                          "未经许可，不得复制、修改或传播其中任何部分。");
}

QString AppInfo::splashWarning()
{
    return QStringLiteral("警告：本程序受著作权法保护。未经许可复制或传播本程序的全部或部分，"
                          "将承担相应的法律责任。");
}

QString AppInfo::splashVersion()
{
    return QStringLiteral("青禾起名程序  %1.%2   <青禾易学系列程序>").arg(majorVersion()).arg(minorVersion());
}

UserMessage AppInfo::webOpenFailed()
{
    return UserMessage::warning(QStringLiteral("无法打开网页，请在浏览器中访问 ") + webAddress());
}

UserMessage AppInfo::mailOpenFailed()
{
    return UserMessage::warning(QStringLiteral("无法启动邮件程序，请直接发信至 ") + emailAddress());
}

} // namespace tolvane
