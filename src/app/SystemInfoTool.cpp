#include "app/SystemInfoTool.h"

#include <QProcess>
#include <QStandardPaths>

namespace tolvane {

QStringList SystemInfoTool::candidates()
{
    // Hardware and system summaries first, then the desktops' system monitors.
    return { QStringLiteral("hardinfo2"), QStringLiteral("hardinfo"), QStringLiteral("kinfocenter"),
        QStringLiteral("gnome-system-monitor"), QStringLiteral("plasma-systemmonitor"), QStringLiteral("ksysguard"),
        QStringLiteral("mate-system-monitor"), QStringLiteral("xfce4-taskmanager"), QStringLiteral("lxtask") };
}

QString SystemInfoTool::find(const QStringList &searchPaths)
{
    for (const QString &name : candidates()) {
        const QString path = QStandardPaths::findExecutable(name, searchPaths);
        if (!path.isEmpty())
            return path;
    }
    return {};
}

std::optional<UserMessage> SystemInfoTool::start(const QStringList &searchPaths)
{
    const QString program = find(searchPaths);
    if (program.isEmpty() || !QProcess::startDetached(program, {}))
        return unavailable();
    return std::nullopt;
}

UserMessage SystemInfoTool::unavailable()
{
    return UserMessage::plain(QStringLiteral("此时系统信息不可用"));
}

} // namespace tolvane
