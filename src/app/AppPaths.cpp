#include "app/AppPaths.h"

#include "analysis/CompoundSurnames.h"

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

AppPaths AppPaths::forExecutable()
{
    const QString exeDir = QCoreApplication::applicationDirPath();
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

QString AppPaths::compoundSurnamesPath() const
{
    const QString file = CompoundSurnames::fileName();
    QStringList places { QDir(m_appDir).filePath(file) };
    if (QCoreApplication::instance()) {
        const QDir exe(QCoreApplication::applicationDirPath());
        places << exe.filePath(file) << exe.filePath(QStringLiteral("../share/tolvane/") + file);
    }
    for (const QString &place : std::as_const(places)) {
        if (QFileInfo::exists(place))
            return place;
    }
    return places.constFirst();
}

} // namespace tolvane
