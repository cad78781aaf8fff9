#pragma once

#include "data/Outcome.h"

#include <QString>

#include <optional>

namespace tolvane {

// What "公司名分析" does to the result pane: replace its text (when the folded total has a company meaning),
// then append the trade sentences.
struct CompanyReport {
    std::optional<QString> replacement;
    QString appended;
    int total = 0;
    int folded = 0;
};

// Judges a company name by the sum of the naming strokes of all its characters.
class CompanyAnalysis final {
public:
    static constexpr int kMaxLength = 50;

    // A message instead of a report means nothing is written.
    static Outcome<CompanyReport> analyze(const QString &input, const QString &databasePath);
    // The trade sentences whose lucky numbers include total, one per line, in their fixed order.
    static QString tradeSentences(int total);
};

} // namespace tolvane
