#include "app/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace tolvane {

bool QtTranslations::installChinese()
{
    auto *translator = new QTranslator(QCoreApplication::instance());
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    // What Qt formats by the locale (the file dialog's dates, sizes and file kinds, the print dialog's paper
    // names) follows too, whatever the system's locale is. The program's own numbers do not depend on it.
    QLocale::setDefault(chinese);
    if (!translator->load(chinese, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace tolvane
