#include "ClassicsGenerator.h"

#include "ClassicsBuilder.h"
#include "PoetryPackage.h"
#include "TraditionalConverter.h"
#include "data/NameDatabase.h"

namespace tolvane::mkclassics {

std::optional<QSet<char32_t>> ClassicsGenerator::fitCharacters(const QString &libraryPath, QString *error)
{
    NameDatabase db(libraryPath);
    std::optional<QStringList> chars;
    if (!db.openWith({ DbTable::Name }) && (chars = db.nameCharacters())) {
        QSet<char32_t> fit;
        for (const QString &c : std::as_const(*chars)) {
            const QList<uint> ucs4 = c.toUcs4();
            if (ucs4.size() == 1)
                fit.insert(char32_t(ucs4.first()));
        }
        return fit;
    }
    if (error)
        *error = QStringLiteral("cannot read the characters of %1").arg(libraryPath);
    return std::nullopt;
}

std::optional<ClassicsContents> ClassicsGenerator::build(const QString &packageDir, const QSet<char32_t> &fit,
    const UnfitPairs &unfit, const QString &openccConfig, QString *error)
{
    const PoetryPackage package(packageDir);
    const std::optional<QString> version = package.version(error);
    if (!version)
        return std::nullopt;
    const TraditionalConverter converter(openccConfig);
    if (!converter.isValid()) {
        if (error)
            *error = QStringLiteral("OpenCC cannot load %1: %2").arg(openccConfig, converter.error());
        return std::nullopt;
    }
    ClassicsBuilder builder(fit, unfit);
    for (Classic classic : kAllClassics) {
        const std::optional<QList<SourcePoem>> poems = package.poems(classic, converter, error);
        if (!poems)
            return std::nullopt;
        for (const SourcePoem &poem : *poems)
            builder.add(classic, poem);
    }
    ClassicsContents contents = builder.take();
    contents.meta = { { QStringLiteral("source"), QStringLiteral("chinese-poetry ") + *version },
        { QStringLiteral("conversion"), QStringLiteral("OpenCC ") + openccConfig },
        { QStringLiteral("fit_characters"), QString::number(fit.size()) },
        { QStringLiteral("unfit_pairs"), QString::number(unfit.size()) } };
    return contents;
}

} // namespace tolvane::mkclassics
