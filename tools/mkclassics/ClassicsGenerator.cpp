#include "ClassicsGenerator.h"

#include "ClassicsBuilder.h"
#include "PoetryPackage.h"
#include "TraditionalConverter.h"
#include "common/DataLines.h"
#include "data/Library.h"

#include <QDir>

namespace tolvane::mkclassics {

std::optional<QSet<char32_t>> ClassicsGenerator::fitCharacters(const QString &libraryPath, QString *error)
{
    NameDatabase db = Library(libraryPath).open({ DbTable::Name });
    std::optional<QStringList> chars;
    if (!db.failure() && (chars = db.nameCharacters())) {
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

std::optional<ClassicsRules> ClassicsGenerator::readRules(
    const QString &rulesDir, const QString &wordList, const QString &unihanDir, QString *error)
{
    std::optional<UnfitPairs> unfit = UnfitPairs::readFolder(rulesDir, error);
    std::optional<WordSegmenter> words = unfit ? WordSegmenter::read(wordList, error) : std::nullopt;
    std::optional<CharacterForms> forms = words
        ? CharacterForms::read(unihanDir, QDir(rulesDir).filePath(QStringLiteral("variants.tsv")), error)
        : std::nullopt;
    if (!forms)
        return std::nullopt;
    // Words of the classics the dictionary lacks (灵均, 夭夭, 蒹葭): word<TAB>reason, each counted as a word
    // of moderate frequency, enough to hold together against single characters.
    constexpr qint64 kClassicalWordFrequency = 100;
    QString problem;
    const bool read = tools::forEachDataLine(QDir(rulesDir).filePath(QStringLiteral("words.tsv")), &problem,
        [&](const QStringList &fields, const QString &where, int) {
            const QList<uint> word = fields.value(0).toUcs4();
            if (fields.size() != 2 || word.size() < 2 || fields.at(1).trimmed().isEmpty()) {
                problem = QStringLiteral("%1: expected a word of two or more characters and a reason separated by one "
                                         "tab")
                              .arg(where);
                return false;
            }
            words->add(std::u32string(word.begin(), word.end()), kClassicalWordFrequency);
            return true;
        });
    if (!read) {
        if (error)
            *error = problem;
        return std::nullopt;
    }
    return ClassicsRules { std::move(*unfit), std::move(*words), std::move(*forms), ClassicsBuilder::kLeastUses,
        ClassicsBuilder::kModernRatio };
}

std::optional<ClassicsContents> ClassicsGenerator::build(const QString &packageDir, const QSet<char32_t> &fit,
    const ClassicsRules &rules, const QString &openccConfig, QString *error)
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
    ClassicsBuilder builder(
        fit, rules.unfit, rules.words, rules.leastUses, rules.modernRatio, rules.forms.commonCharacters());
    for (Classic classic : kAllClassics) {
        const std::optional<QList<SourcePoem>> poems = package.poems(classic, converter, rules.forms, error);
        if (!poems)
            return std::nullopt;
        for (const SourcePoem &poem : *poems)
            builder.add(classic, poem);
    }
    ClassicsContents contents = builder.take();
    contents.meta = { { QStringLiteral("source"), QStringLiteral("chinese-poetry ") + *version },
        { QStringLiteral("conversion"), QStringLiteral("OpenCC ") + openccConfig },
        { QStringLiteral("fit_characters"), QString::number(fit.size()) },
        { QStringLiteral("unfit_pairs"), QString::number(rules.unfit.size()) },
        { QStringLiteral("unfit_contexts"), QString::number(rules.unfit.contextCount()) },
        { QStringLiteral("words"), QString::number(rules.words.size()) },
        { QStringLiteral("variants"), QString::number(rules.forms.variantCount()) } };
    return contents;
}

} // namespace tolvane::mkclassics
