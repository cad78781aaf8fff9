#include "app/AppPaths.h"

#include "app/BuildInfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace tolvane {

namespace {
const QString kDatabaseFile = QStringLiteral("namedbs.mdb");
} // namespace

AppPaths::AppPaths(QString appDir)
    : m_appDir(std::move(appDir))
{
}

QString AppPaths::sharedDataDir()
{
    return QDir::cleanPath(
        QDir(QCoreApplication::applicationDirPath()).filePath(QLatin1String(build::kSharedDataFromProgram)));
}

AppPaths AppPaths::forExecutable()
{
    const QString exeDir = QCoreApplication::applicationDirPath();
    // An installed program ships its library in the shared data folder and keeps its files per user, even
    // where it could write beside itself (an administrator's own start).
    const QString shipped = QDir(sharedDataDir()).filePath(kDatabaseFile);
    const bool installed = QFileInfo::exists(shipped);
    if (!installed && QFileInfo(exeDir).isWritable())
        return AppPaths(exeDir);

    const QString userDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(userDir);
    const QString target = QDir(userDir).filePath(kDatabaseFile);
    if (!QFileInfo::exists(target)) {
        const QString source = installed ? shipped : QDir(exeDir).filePath(kDatabaseFile);
        if (QFileInfo::exists(source) && QFile::copy(source, target))
            QFile::setPermissions(target, QFile::permissions(target) | QFile::WriteOwner | QFile::ReadOwner);
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
