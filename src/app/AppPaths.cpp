#include "app/AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace tolvane {

namespace {
const QString kDatabaseFile = QStringLiteral("namedbs.mdb");
const QString kClassicsFile = QStringLiteral("classics.db");
} // namespace

AppPaths::AppPaths(QString appDir)
    : m_appDir(std::move(appDir))
    , m_classicsPath(QDir(m_appDir).filePath(kClassicsFile))
{
}

QString AppPaths::shippedClassicsPath(const QString &executableDir)
{
    const QDir exe(executableDir);
    const QString beside = exe.filePath(kClassicsFile);
    const QString shared = QDir::cleanPath(exe.filePath(QStringLiteral("../share/tolvane/") + kClassicsFile));
    if (!QFileInfo(beside).isFile() && QFileInfo(shared).isFile())
        return shared;
    return beside;
}

AppPaths AppPaths::forExecutable()
{
    const QString exeDir = QCoreApplication::applicationDirPath();
    AppPaths paths = forFolders(exeDir);
    paths.m_classicsPath = shippedClassicsPath(exeDir);
    return paths;
}

AppPaths AppPaths::forFolders(const QString &exeDir)
{
    if (QFileInfo(exeDir).isWritable())
        return AppPaths(exeDir);

    const QString userDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(userDir);
    const QString target = QDir(userDir).filePath(kDatabaseFile);
    if (!QFileInfo::exists(target)) {
        // An installed program ships its library in share/tolvane; a portable copy beside the executable.
        const QStringList shipped{QDir(exeDir).filePath(kDatabaseFile),
                                  QDir(exeDir).filePath(QStringLiteral("../share/tolvane/") + kDatabaseFile)};
        for (const QString &source : shipped) {
            if (QFileInfo::exists(source) && QFile::copy(source, target)) {
                QFile::setPermissions(target, QFile::permissions(target) | QFile::WriteOwner | QFile::ReadOwner);
                break;
            }
        }
    }
    return AppPaths(userDir);
}

QString AppPaths::databasePath() const
{
    return QDir(m_appDir).filePath(kDatabaseFile);
}

QString AppPaths::resultRtfPath() const
{
    return QDir(m_appDir).filePath(QStringLiteral("name.rtf"));
}

QString AppPaths::infoPath() const
{
    return QDir(m_appDir).filePath(QStringLiteral("Info.txt"));
}

} // namespace tolvane
