#include "ui/FontSetup.h"

#include <QFont>
#include <QStringList>

namespace tolvane {

QStringList FontSetup::songFaces()
{
    // AR PL UMing lacks some three hundred of the library's rarer characters. Qt takes a missing glyph from
    // the next face of this list: Noto Serif CJK, a Song face too, has all but a handful of them, where the
    // Hei face came in before, bolder and with other line heights. Noto is not the first face: printed to PDF,
    // its glyphs shared with the Kangxi radicals would be read back as radicals (人 as ⼈).
    return { QStringLiteral("AR PL UMing CN"), QStringLiteral("AR PL UMing TW"), QStringLiteral("Noto Serif CJK SC"),
        QStringLiteral("WenQuanYi Zen Hei") };
}

void FontSetup::install()
{
    const QStringList song = songFaces();
    const QStringList hei{QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("AR PL UMing CN")};
    for (const QString &name : {QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("新宋体"),
                                QStringLiteral("NSimSun")})
        QFont::insertSubstitutions(name, song);
    for (const QString &name : {QStringLiteral("黑体"), QStringLiteral("SimHei")})
        QFont::insertSubstitutions(name, hei);
}

} // namespace tolvane
