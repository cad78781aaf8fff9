#include "ui/FontSetup.h"

#include <QFont>
#include <QStringList>

namespace tolvane {

void FontSetup::install()
{
    const QStringList song{QStringLiteral("AR PL UMing CN"), QStringLiteral("AR PL UMing TW"),
                           QStringLiteral("WenQuanYi Zen Hei")};
    const QStringList hei{QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("AR PL UMing CN")};
    for (const QString &name : {QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("新宋体"),
                                QStringLiteral("NSimSun")})
        QFont::insertSubstitutions(name, song);
    for (const QString &name : {QStringLiteral("黑体"), QStringLiteral("SimHei")})
        QFont::insertSubstitutions(name, hei);
}

} // namespace tolvane
