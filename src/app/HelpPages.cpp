#include "app/HelpPages.h"

#include "app/AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace tolvane {

namespace {

const QString kIndex = QStringLiteral("index.html");

QString &preferredFolder()
{
    static QString folder;
    return folder;
}

} // namespace

QString HelpPages::folder()
{
    const QDir exe(QCoreApplication::applicationDirPath());
    const QStringList places{preferredFolder(), exe.filePath(QStringLiteral("help")),
                             QDir(AppPaths::sharedDataDir()).filePath(QStringLiteral("help"))};
    for (const QString &place : places) {
        if (!place.isEmpty() && QFileInfo::exists(QDir(place).filePath(kIndex)))
            return QDir::cleanPath(place);
    }
    return {};
}

QString HelpPages::indexFile()
{
    const QString dir = folder();
    return dir.isEmpty() ? QString() : QDir(dir).filePath(kIndex);
}

void HelpPages::setPreferredFolder(const QString &dir)
{
    preferredFolder() = dir;
}

UserMessage HelpPages::missing()
{
    return UserMessage::warning(QStringLiteral("找不到帮助文件，请重新安装本程序。"));
}

} // namespace tolvane
