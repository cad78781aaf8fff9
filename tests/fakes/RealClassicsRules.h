#pragma once

#include "mkclassics/ClassicsGenerator.h"

#include <QtGlobal>

namespace tolvane {

// The rules of the real build: the lists of data/classics, jieba's dictionary and Unihan, for the tests that
// generate verses from small fixtures.
inline mkclassics::ClassicsRules realClassicsRules()
{
    QString error;
    std::optional<mkclassics::ClassicsRules> rules = mkclassics::ClassicsGenerator::readRules(
        qEnvironmentVariable("TOLVANE_SOURCE_DIR") + QStringLiteral("/data/classics"),
        qEnvironmentVariable("TOLVANE_JIEBA_DICT"), qEnvironmentVariable("TOLVANE_UNIHAN_DIR"), &error);
    if (!rules)
        qFatal("%s", qPrintable(error));
    // The fixture's few poems cannot show how often the poets use a word.
    rules->leastUses = 0;
    rules->modernRatio = 0;
    return std::move(*rules);
}

} // namespace tolvane
