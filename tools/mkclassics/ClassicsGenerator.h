#pragma once

#include "ClassicsContents.h"
#include "UnfitPairs.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

namespace tolvane::mkclassics {

// The whole generation: the characters fit for names from the library, the five collections from the package,
// the rows of classics.db.
class ClassicsGenerator final {
public:
    // The characters of the library's rows fit for names (xiong "0"); nothing when the library cannot be read.
    static std::optional<QSet<char32_t>> fitCharacters(const QString &libraryPath, QString *error = nullptr);
    // Reads every collection of the package (converting with the OpenCC configuration given) into rows, leaving
    // out the unfit pairs.
    static std::optional<ClassicsContents> build(const QString &packageDir, const QSet<char32_t> &fit,
        const UnfitPairs &unfit, const QString &openccConfig, QString *error = nullptr);
};

} // namespace tolvane::mkclassics
