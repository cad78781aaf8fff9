#include "app/AppPaths.h"

#include "analysis/CompoundSurnames.h"
#include "app/BuildInfo.h"

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

QString AppPaths::sharedDataDir()
{
    return QDir::cleanPath(
        QDir(QCoreApplication::applicationDirPath()).filePath(QLatin1String(build::kSharedDataFromProgram)));
}

QString AppPaths::shippedClassicsPath(const QString &executableDir)
{
    const QDir exe(executableDir);
    const QString beside = exe.filePath(kClassicsFile);
    const QString shared = QDir::cleanPath(exe.filePath(QLatin1String(build::kSharedDataFromProgram) + QLatin1Char('/') + kClassicsFile));
    if (!QFileInfo(beside).isFile() && QFileInfo(shared).isFile())
        return shared;
    return beside;
}

AppPaths AppPaths::forExecutable()
{
    const QString exeDir = QCoreApplication::applicationDirPath();
    // An installed program ships its library in the shared data folder and keeps its files per user, even
    // where it could write beside itself (an administrator's own start).
    const QString shipped = QDir(sharedDataDir()).filePath(kDatabaseFile);
    const bool installed = QFileInfo::exists(shipped);
    if (!installed && QFileInfo(exeDir).isWritable()) {
        AppPaths paths(exeDir);
        paths.m_classicsPath = shippedClassicsPath(exeDir);
        return paths;
    }

    const QString userDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(userDir);
    const QString target = QDir(userDir).filePath(kDatabaseFile);
    if (!QFileInfo::exists(target)) {
        const QString source = installed ? shipped : QDir(exeDir).filePath(kDatabaseFile);
        if (QFileInfo::exists(source) && QFile::copy(source, target))
            QFile::setPermissions(target, QFile::permissions(target) | QFile::WriteOwner | QFile::ReadOwner);
    }
    AppPaths paths(userDir);
    paths.m_classicsPath = shippedClassicsPath(exeDir);
    return paths;
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

QString AppPaths::compoundSurnamesPath() const
{
    const QString file = CompoundSurnames::fileName();
    QStringList places { QDir(m_appDir).filePath(file) };
    if (QCoreApplication::instance()) {
        const QDir exe(QCoreApplication::applicationDirPath());
        places << exe.filePath(file) << QDir(sharedDataDir()).filePath(file);
    }
    for (const QString &place : std::as_const(places)) {
        if (QFileInfo::exists(place))
            return place;
    }
    return places.constFirst();
}

} // namespace tolvane
