#pragma once

#include "data/Classics.h"
#include "numerology/Vocabulary.h"

#include <QJsonObject>
#include <QString>
#include <QtGlobal>

#include <optional>

namespace tolvane {

// The birth chart the wished-for elements were taken from, as the naming result shows it at its top: its
// lines (ending with "\n") and its JSON object.
struct ChartPreface {
    QString text;
    QJsonObject fields;
};

// The user's naming request as the naming wizard leaves it. Fields survive between runs unless a step
// says otherwise; the group limit is 7 (six groups) from start-up until the advanced page changes it.
struct NameRequest {
    std::optional<SurnameKind> surnameKind; // none until chosen, and after a cancel
    qint16 surnameLength = 0;               // 0, 1, 2
    qint16 nameLength = 0;                  // 1..3, 0 after a cancel
    Sex sex = Sex::Male;
    ElementSet elementWishes;
    std::optional<LuckLevel> luckLevel;     // 全吉 or 半吉 once chosen
    qint16 firstStrokeStart = 1;            // 1..29, reset to 1 before every Execute
    qint16 groupLimit = 7;                  // groups wanted plus one, at most 21
    // Where the given names come from: none for the library's characters, else the lines of these collections.
    std::optional<ClassicSet> classics;
    // Set when the elements were confirmed as a birth chart suggested them; none otherwise.
    std::optional<ChartPreface> chartPreface;
};

} // namespace tolvane
