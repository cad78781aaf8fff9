#pragma once

class QAction;
class QMenu;
class QMenuBar;

namespace tolvane {

// The main window's menus and their items, each a member under the object name the program has always used
// (Menu_Open, mnu_SetPass, ...). Built once; MainWindow wires every item in one place.
struct MainMenus {
    QMenu *file = nullptr; // 文件
    QAction *open = nullptr;
    QAction *saveAs = nullptr;
    QAction *print = nullptr;
    QAction *send = nullptr;
    QAction *exit = nullptr;

    QMenu *edit = nullptr; // 编辑, also the result pane's context menu
    QAction *undo = nullptr;
    QAction *cut = nullptr;
    QAction *copy = nullptr;
    QAction *paste = nullptr;
    QAction *selectAll = nullptr;
    QAction *font = nullptr;

    QMenu *readings = nullptr; // 造命篇
    QAction *liaofan = nullptr;
    QAction *sanshiyinguo = nullptr;
    QAction *xinming = nullptr;

    QMenu *tools = nullptr; // 工具
    QAction *newWindow = nullptr;
    QAction *correctLibrary = nullptr;
    QAction *reportInfo = nullptr;
    QAction *startupPassword = nullptr;
    QAction *favourites = nullptr; // 收藏与比较 of the suggested names

    QMenu *help = nullptr; // 帮助
    QAction *helpTopics = nullptr;
    QAction *homePage = nullptr;
    QAction *softwareProtection = nullptr;
    QAction *about = nullptr;

    static MainMenus build(QMenuBar *bar);
};

} // namespace tolvane
