// mkicon: draws the program's logo as the PNG icons a desktop shows, one file per size.
#include "ui/FontSetup.h"
#include "ui/Logo.h"

#include <QDir>
#include <QGuiApplication>
#include <QPixmap>

#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments().mid(1);
    if (args.size() < 3) {
        std::fputs(
            "usage: mkicon OUTDIR NAME SIZE...\n  writes OUTDIR/SIZExSIZE/apps/NAME.png for each size\n", stderr);
        return 2;
    }
    tolvane::FontSetup::install();
    for (const QString &size : args.mid(2)) {
        const int pixels = size.toInt();
        const QString dir = QDir(args.at(0)).filePath(QStringLiteral("%1x%1/apps").arg(pixels));
        if (pixels <= 0 || !QDir().mkpath(dir)
            || !tolvane::Logo::pixmap(pixels).save(QDir(dir).filePath(args.at(1) + QStringLiteral(".png")))) {
            std::fprintf(stderr, "mkicon: cannot write the %s pixel icon\n", qPrintable(size));
            return 1;
        }
    }
    return 0;
}
