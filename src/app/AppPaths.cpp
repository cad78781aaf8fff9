#include "app/AppPaths.h"

#include "text/DurableFile.h"
#include "text/PlainTextFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tolvane {

namespace {
const QString kDatabaseFile = QStringLiteral("namedbs.mdb");
} // namespace

AppPaths::AppPaths(QString appDir)
    : m_appDir(std::move(appDir))
    , m_databasePath(QDir(m_appDir).filePath(kDatabaseFile))
{
}

AppPaths::AppPaths(QString appDir, QString databasePath)
    : m_appDir(std::move(appDir))
    , m_databasePath(std::move(databasePath))
{
}

AppPaths AppPaths::forExecutable()
{
    const QString exeDir = QCoreApplication::applicationDirPath();
    if (QFileInfo(exeDir).isWritable())
        return AppPaths(exeDir);

    // An installed program ships its library in share/tolvane; a portable copy beside the executable.
    QString shipped;
    for (const QString &candidate : {QDir(exeDir).filePath(kDatabaseFile),
                                     QDir(exeDir).filePath(QStringLiteral("../share/tolvane/") + kDatabaseFile)}) {
        if (QFileInfo(candidate).isFile()) {
            shipped = QDir::cleanPath(candidate);
            break;
        }
    }

    const QString userDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    const bool userDirWritable = QDir().mkpath(userDir) && QFileInfo(userDir).isWritable();
    const QString userLibrary = QDir(userDir).filePath(kDatabaseFile);
    if (userDirWritable && !QFileInfo::exists(userLibrary) && !shipped.isEmpty()) {
        // Through DurableFile: a copy cut off by a full disk must never pass for the library at the next start.
        if (const std::optional<QByteArray> bytes = PlainTextFile::readBytes(shipped))
            (void)DurableFile::write(userLibrary, *bytes);
    }
    const QString appDir = userDirWritable ? userDir : exeDir;
    if ((userDirWritable && QFileInfo::exists(userLibrary)) || shipped.isEmpty())
        return AppPaths(appDir);
    return AppPaths(appDir, shipped);
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
