#include "app/AppInfo.h"
#include "app/AppPaths.h"
#include "app/QtTranslations.h"
#include "ui/FontSetup.h"
#include "ui/Logo.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <cstring>

namespace {

// What tolvane --help says; its manual page is made from it. One line a paragraph: the terminal or the manual
// page wraps them.
constexpr char kHelp[] = R"(用法：tolvane [选项]

青禾起名程序：按笔画数的五格剖象法（天格、人格、地格、总格、外格）、81 数、三才和人格外格搭配，为中国人取名、分析姓名和公司名的桌面程序。它打开主窗口：在窗口中选择个人起名、姓名分析、公司名分析或其他功能，输入姓氏、姓名或数字，按“执行”或回车。结果写在可编辑的结果窗格中，可另存为 RTF 或文本文件、打印。按 F1 打开帮助。

同样的功能在命令行上由 tolvane-cli 提供（见 tolvane-cli --help）。

选项：
  -h, --help     印出本帮助
  --version      印出版本号

安装后的程序把上次的结果 name.rtf、抬头及结尾信息 Info.txt 和它自己的字库副本 namedbs.mdb（修改字库改的是它）放在 ~/.local/share/TolVane 中；窗口的位置和大小、启动密码保存在 ~/.config/TolVane 中。
)";

} // namespace

int main(int argc, char *argv[])
{
    // Answered on the terminal, without a window.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kHelp, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("tolvane %d.%d\n", tolvane::AppInfo::majorVersion(), tolvane::AppInfo::minorVersion());
            return 0;
        }
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(tolvane::AppInfo::applicationName());
    tolvane::QtTranslations::installChinese();
    // The desktop matches the windows to the installed menu entry and shows the program's icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.tolvane"));
    tolvane::FontSetup::install();
    QApplication::setWindowIcon(QIcon(tolvane::Logo::pixmap(256)));
    QApplication::setFont(QFont(QStringLiteral("宋体"), 10));

    tolvane::MainWindow window(tolvane::AppPaths::forExecutable());
    // A refused start-up password ends the program here, before anything is written.
    if (!window.startUp())
        return 0;
    window.show();
    return QApplication::exec();
}
