#include "app/AppInfo.h"
#include "app/AppPaths.h"
#include "app/QtTranslations.h"
#include "ui/FontSetup.h"
#include "ui/Logo.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
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
