#include "app/AppPaths.h"

#include "analysis/CompoundSurnames.h"
#include "analysis/NameSound.h"
#include "app/BuildInfo.h"
#include "naming/FavouriteNames.h"
#include "naming/NameWords.h"
#include "text/DurableFile.h"
#include "text/PlainTextFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tolvane {

namespace {
const QString kDatabaseFile = QStringLiteral("namedbs.mdb");
const QString kClassicsFile = QStringLiteral("classics.db");
} // namespace

AppPaths::AppPaths(QString appDir)
    : AppPaths(appDir, QDir(appDir).filePath(kDatabaseFile))
{
}

AppPaths::AppPaths(QString appDir, QString databasePath)
    : m_appDir(std::move(appDir))
    , m_databasePath(std::move(databasePath))
    , m_classicsPath(QDir(m_appDir).filePath(kClassicsFile))
    , m_favouritesPath(QDir(m_appDir).filePath(FavouriteNames::fileName()))
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

QString AppPaths::nameWordsPath() const
{
    return QFileInfo(m_classicsPath).dir().filePath(NameWords::fileName());
}

AppPaths AppPaths::forExecutable()
{
    AppPaths paths = forExecutableFolders();
    const QString userDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (!userDir.isEmpty())
        paths.m_favouritesPath = QDir(userDir).filePath(FavouriteNames::fileName());
    return paths;
}

AppPaths AppPaths::forExecutableFolders()
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

    // The library to copy: the shipped one of an installed program, else the one beside a portable copy.
    QString source = installed ? shipped : QDir(exeDir).filePath(kDatabaseFile);
    if (!QFileInfo(source).isFile())
        source.clear();

    const QString userDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    const bool userDirWritable = QDir().mkpath(userDir) && QFileInfo(userDir).isWritable();
    const QString userLibrary = QDir(userDir).filePath(kDatabaseFile);
    if (userDirWritable && !QFileInfo::exists(userLibrary) && !source.isEmpty()) {
        // Through DurableFile: a copy cut off by a full disk must never pass for the library at the next start.
        // The copy is the user's own to correct, whatever the shipped file's permissions.
        if (const std::optional<QByteArray> bytes = PlainTextFile::readBytes(source))
            (void)DurableFile::write(userLibrary, *bytes);
    }
    const QString appDir = userDirWritable ? userDir : exeDir;
    AppPaths paths = (userDirWritable && QFileInfo::exists(userLibrary)) || source.isEmpty()
        ? AppPaths(appDir)
        : AppPaths(appDir, QDir::cleanPath(source));
    paths.m_classicsPath = shippedClassicsPath(exeDir);
    return paths;
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
    return shippedFilePath(CompoundSurnames::fileName());
}

QString AppPaths::nameSoundPath() const
{
    return shippedFilePath(NameSoundChecker::fileName());
}

QString AppPaths::shippedFilePath(const QString &file) const
{
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
