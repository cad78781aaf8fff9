#pragma once

#include <QString>
#include <QStringList>

namespace tolvane {

// The user's naming request as the naming wizard leaves it. Fields survive between runs unless a step
// says otherwise; GroupLimit is 7 (six groups) from start-up until the advanced page changes it.
struct NameRequest {
    QString surnameKind;         // "单", "复" or empty
    qint16 surnameLength = 0;    // 0, 1, 2
    qint16 nameLength = 0;       // 1..3, 0 after a cancel
    QString sex;                 // "男" or "女"
    QStringList elementWishes{QString(), QString(), QString(), QString(), QString()}; // 金 木 水 火 土
    QString luckLevel;           // "全吉" or "半吉"
    qint16 firstStrokeStart = 1; // 1..29, reset to 1 before every Execute
    qint16 groupLimit = 7;       // groups wanted plus one, at most 21
};

} // namespace tolvane
