#pragma once

#include "CharacterForms.h"
#include "ClassicsContents.h"
#include "UnfitPairs.h"
#include "WordSegmenter.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

namespace tolvane::mkclassics {

// What decides which pairs of a line are names: the word list the lines are cut with (jieba's dictionary and the
// words of data/classics/words.tsv), the lists of data/classics (UnfitPairs) and the standard forms of characters.
struct ClassicsRules {
    UnfitPairs unfit;
    WordSegmenter words;
    CharacterForms forms;
    // How many lines of all the collections must use a pair of the Tang and Song collections as a word
    // (ClassicsBuilder::kLeastUses; a package of a few poems shows no such counts).
    int leastUses = 3;
    // A pair of the Tang and Song collections whose frequency in the word list (today's written language) is more
    // than this many times the lines that use it is a word of today's speech (ClassicsBuilder::kModernRatio; 0:
    // no such rule, for a package of a few poems).
    int modernRatio = 8;
};

// The whole generation: the characters fit for names from the library, the collections from the package,
// the rows of classics.db.
class ClassicsGenerator final {
public:
    // The characters of the library's rows fit for names (xiong "0"); nothing when the library cannot be read.
    static std::optional<QSet<char32_t>> fitCharacters(const QString &libraryPath, QString *error = nullptr);
    // The rules from the curated folder (data/classics), jieba's dictionary and the Unihan folder.
    static std::optional<ClassicsRules> readRules(
        const QString &rulesDir, const QString &wordList, const QString &unihanDir, QString *error = nullptr);
    // Reads every collection of the package (converting with the OpenCC configuration given) into rows by the
    // rules.
    static std::optional<ClassicsContents> build(const QString &packageDir, const QSet<char32_t> &fit,
        const ClassicsRules &rules, const QString &openccConfig, QString *error = nullptr);
};

} // namespace tolvane::mkclassics
