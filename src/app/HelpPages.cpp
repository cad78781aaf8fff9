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

namespace {

struct WindowPage {
    const char *window;
    const char *page;
};

// The dialogs by their object names, and the page that explains them.
constexpr WindowPage kWindowPages[] = {
    { "dlgdanfuxing", "wizard.html" },
    { "frmDanfuxing", "wizard.html#kind" },
    { "DialogLast", "wizard.html#finish" },
    { "frmZhaozi", "wizard.html#finish" },
    { "frmGudingzi", "wizard.html#fixed" },
    { "frmCorrect", "wuge.html#strokes" },
    { "frmPersonalInfo", "functions.html#menus" },
    { "frmSetPass", "settings.html#password" },
    { "frmCancelPass", "settings.html#password" },
    { "frmLogin", "settings.html#password" },
    { "frmAbout", "functions.html#menus" },
    { "frmSysInfo", "functions.html#menus" },
    { "frmNewWindow", "functions.html#menus" },
    { "CommonDialog1", "functions.html#pane" },
};

// The main window: the part of the functions page for the function chosen.
constexpr WindowPage kFunctionPages[] = {
    { "个人起名", "functions.html#personal" },
    { "姓名分析", "functions.html#analysis" },
    { "公司名分析", "functions.html#company" },
    { "其他功能", "functions.html#other" },
};

} // namespace

QString HelpPages::pageFor(const QString &windowName, const QString &function)
{
    for (const WindowPage &entry : kWindowPages) {
        if (windowName == QLatin1String(entry.window))
            return QString::fromLatin1(entry.page);
    }
    for (const WindowPage &entry : kFunctionPages) {
        if (function == QString::fromUtf8(entry.window))
            return QString::fromLatin1(entry.page);
    }
    return kIndex;
}

QStringList HelpPages::contextPages()
{
    QStringList pages;
    for (const WindowPage &entry : kWindowPages)
        pages.append(QString::fromLatin1(entry.page));
    for (const WindowPage &entry : kFunctionPages)
        pages.append(QString::fromLatin1(entry.page));
    pages.removeDuplicates();
    return pages;
}

UserMessage HelpPages::missing()
{
    return UserMessage::warning(QStringLiteral("找不到帮助文件，请重新安装本程序。"));
}

} // namespace tolvane
