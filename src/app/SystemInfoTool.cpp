#include "app/SystemInfoTool.h"

#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QSysInfo>
#include <QThread>

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

namespace {

const QString kUnknown = QStringLiteral("不详");

// The text of a small file under /proc; such files report a size of 0, so they are read to the end.
QString procText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

// The value of the first "key : value" line of a /proc file.
QString procValue(const QString &text, const QString &key)
{
    const QRegularExpression line(QStringLiteral("^") + QRegularExpression::escape(key) + QStringLiteral("\\s*:\\s*(.*)$"),
        QRegularExpression::MultilineOption);
    return line.match(text).captured(1).trimmed();
}

QString gigabytes(qint64 kilobytes)
{
    return QLocale::c().toString(double(kilobytes) / (1024.0 * 1024.0), 'f', 1) + QStringLiteral(" GB");
}

QString processor()
{
    const QString cpuinfo = procText(QStringLiteral("/proc/cpuinfo"));
    QString model = procValue(cpuinfo, QStringLiteral("model name"));
    if (model.isEmpty()) // processors that name themselves otherwise (ARM boards, for one)
        model = procValue(cpuinfo, QStringLiteral("Model"));
    const QString threads = QStringLiteral("%1 个逻辑处理器，%2").arg(QThread::idealThreadCount())
                                .arg(QSysInfo::currentCpuArchitecture());
    return model.isEmpty() ? threads : model + QStringLiteral("（") + threads + QStringLiteral("）");
}

QString memory()
{
    const QString meminfo = procText(QStringLiteral("/proc/meminfo"));
    // The values are in kB: "MemTotal:       16315400 kB".
    const auto kilobytes = [&](const QString &key) {
        bool ok = false;
        const qint64 value = procValue(meminfo, key).section(QLatin1Char(' '), 0, 0).toLongLong(&ok);
        return ok ? value : qint64(-1);
    };
    const qint64 total = kilobytes(QStringLiteral("MemTotal"));
    if (total <= 0)
        return kUnknown;
    const qint64 available = kilobytes(QStringLiteral("MemAvailable"));
    QString text = QStringLiteral("共 ") + gigabytes(total);
    if (available >= 0)
        text += QStringLiteral("，可用 ") + gigabytes(available);
    return text;
}

QString orUnknown(const QString &text)
{
    return text.trimmed().isEmpty() ? kUnknown : text.trimmed();
}

} // namespace

QList<SystemInfoTool::Fact> SystemInfoTool::facts(const QString &screen)
{
    return {
        { QStringLiteral("操作系统"), orUnknown(QSysInfo::prettyProductName()) },
        { QStringLiteral("内核"), orUnknown(QSysInfo::kernelType() + QLatin1Char(' ') + QSysInfo::kernelVersion()) },
        { QStringLiteral("处理器"), orUnknown(processor()) },
        { QStringLiteral("内存"), memory() },
        { QStringLiteral("屏幕"), orUnknown(screen) },
        { QStringLiteral("Qt 版本"), orUnknown(QString::fromLatin1(qVersion())) },
    };
}

QString SystemInfoTool::caption()
{
    return QStringLiteral("系统信息");
}

UserMessage SystemInfoTool::unavailable()
{
    return UserMessage::plain(QStringLiteral("此时系统信息不可用"));
}

} // namespace tolvane
