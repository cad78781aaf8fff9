#include "ui/MainMenus.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace tolvane {

namespace {

QMenu *addMenu(QMenuBar *bar, const char *name, const QString &title)
{
    QMenu *menu = bar->addMenu(title);
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    return menu;
}

QAction *addItem(QMenu *menu, const char *name, const QString &caption, const QKeySequence &shortcut = {})
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    if (!shortcut.isEmpty()) {
        action->setShortcut(shortcut);
        // 编辑 is also the result pane's context menu, where its keys are shown as in the menu bar.
        action->setShortcutVisibleInContextMenu(true);
    }
    return action;
}

void addSeparator(QMenu *menu, const char *name)
{
    menu->addSeparator()->setObjectName(QString::fromLatin1(name));
}

} // namespace

MainMenus MainMenus::build(QMenuBar *bar)
{
    MainMenus m;
    m.file = addMenu(bar, "Menu_File", QStringLiteral("文件(&F)"));
    m.open = addItem(m.file, "Menu_Open", QStringLiteral("打开(&O)"));
    m.saveAs = addItem(m.file, "Menu_SaveAs", QStringLiteral("另存为(&A)"));
    m.print = addItem(m.file, "Menu_Print", QStringLiteral("打印(&P)"));
    m.send = addItem(m.file, "Menu_Send", QStringLiteral("发送(&S)"));
    addSeparator(m.file, "Menu_Bar1");
    m.exit = addItem(m.file, "Menu_Exit", QStringLiteral("退出(&E)"));

    m.edit = addMenu(bar, "Menu_Edit", QStringLiteral("编辑(&E)"));
    // The keys stand in the menu's shortcut column; a text box with the focus takes them first, as its own.
    m.undo = addItem(m.edit, "Menu_Undo", QStringLiteral("撤消(&U)"), Qt::CTRL | Qt::Key_Z);
    m.cut = addItem(m.edit, "Menu_Cut", QStringLiteral("剪切(&T)"), Qt::CTRL | Qt::Key_X);
    m.copy = addItem(m.edit, "Menu_Copy", QStringLiteral("复制(&C)"), Qt::CTRL | Qt::Key_C);
    m.paste = addItem(m.edit, "Menu_Paste", QStringLiteral("粘贴(&P)"), Qt::CTRL | Qt::Key_V);
    m.selectAll = addItem(m.edit, "Menu_All", QStringLiteral("全选(&A)"), Qt::CTRL | Qt::Key_A);
    addSeparator(m.edit, "Menu_Bar2");
    m.font = addItem(m.edit, "Menu_Font", QStringLiteral("字体(&F)"));

    m.readings = addMenu(bar, "Menu_ruanjian", QStringLiteral("造命篇(&X)"));
    m.liaofan = addItem(m.readings, "Menu_Liaofan", QStringLiteral("了凡四训(&L)"));
    m.sanshiyinguo = addItem(m.readings, "Menu_Sanshiyinguo", QStringLiteral("三世因果经(&S)"));
    m.xinming = addItem(m.readings, "Menu_Xinming", QStringLiteral("心命歌(&M)"));

    m.tools = addMenu(bar, "Menu_Tool", QStringLiteral("工具(&T)"));
    m.newWindow = addItem(m.tools, "Menu_NewWindow", QStringLiteral("打开新窗口(&N)"));
    m.correctLibrary = addItem(m.tools, "Menu_CorrectZiku", QStringLiteral("修改字库(&C)"));
    m.reportInfo = addItem(m.tools, "mnu_Info", QStringLiteral("抬头及结尾信息(&I)"));
    m.startupPassword = addItem(m.tools, "mnu_SetPass", QStringLiteral("设置启动密码(&D)"));
    m.favourites = addItem(m.tools, "mnu_Shoucang", QStringLiteral("收藏与比较(&S)..."));

    m.help = addMenu(bar, "Menu_bangzhu", QStringLiteral("帮助(&H)"));
    m.helpTopics = addItem(m.help, "Menu_ruanjianjieshao", QStringLiteral("帮助主题(&H)"));
    m.homePage = addItem(m.help, "Menu_myweb", QStringLiteral("进入主页(&I)"));
    addSeparator(m.help, "Menu_Bar5");
    m.softwareProtection = addItem(m.help, "Menu_softprotect", QStringLiteral("计算机软件保护条例(&C)"));
    addSeparator(m.help, "Menu_Bar7");
    m.about = addItem(m.help, "Menu_about", QStringLiteral("关于起名程序(&A)"));
    return m;
}

} // namespace tolvane
