#include "app/AppInfo.h"
#include "cli/CliRunner.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(tolvane::AppInfo::applicationName());
    return tolvane::CliRunner::run(QCoreApplication::arguments());
}
