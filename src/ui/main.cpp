#include "app/AppInfo.h"
#include "app/AppPaths.h"
#include "ui/FontSetup.h"
#include "ui/MainWindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(tolvane::AppInfo::applicationName());
    tolvane::FontSetup::install();
    QApplication::setFont(QFont(QStringLiteral("宋体"), 10));

    tolvane::MainWindow window(tolvane::AppPaths::forExecutable());
    window.startUp();
    window.show();
    return QApplication::exec();
}
