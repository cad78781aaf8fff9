#pragma once

#include "data/NameDatabase.h"
#include "data/Library.h"
#include "data/Outcome.h"

#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace tolvane {

// What "公司名分析" does to the result pane: replace its text (when the folded total has a company meaning),
// then append the trade sentences.
struct CompanyReport {
    std::optional<QString> replacement;
    QString appended;
    int total = 0;
    int folded = 0;
    // What the texts are made of: the name as analysed, its characters with their strokes, the library's
    // meaning of the folded total (none when it has no row) and the trade sentences.
    QString name;
    QStringList characters;
    QList<int> strokes;
    std::optional<MeaningRow> meaning;
    QStringList trades;
};

// Judges a company name by the sum of the naming strokes of all its characters.
class CompanyAnalysis final {
public:
    static constexpr int kMaxLength = 50;

    // A message instead of a report means nothing is written.
    static Outcome<CompanyReport> analyze(const QString &input, const Library &library);
    // The trade sentences whose lucky numbers include total, one per line, in their fixed order.
    static QString tradeSentences(int total);
    static QStringList tradeList(int total);
    // The report as fields for machines (the command line's --format json), texts with LF line breaks.
    static QJsonObject fields(const CompanyReport &report);
};

} // namespace tolvane
