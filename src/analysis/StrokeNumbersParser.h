#pragma once

#include "data/Outcome.h"

#include <QList>
#include <QString>

namespace tolvane {

// Two to four stroke counts typed for "姓名笔画数", each 1..30. A rejected input can bring two messages: a
// character that is no digit, then one about the numbers typed before it.
class StrokeNumbersParser final {
public:
    static Outcome<QList<int>> parse(const QString &text);
};

} // namespace tolvane
