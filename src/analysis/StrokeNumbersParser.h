#pragma once

#include "text/UserMessage.h"

#include <QList>
#include <QString>

namespace tolvane {

// ParseStrokeNumbers: two to four stroke counts typed for "姓名笔画数", each 1..30. A rejected input can
// bring two messages: a character that is no digit, then one about the numbers typed before it.
class StrokeNumbersParser final {
public:
    struct Result {
        QList<int> numbers; // empty when rejected
        QList<UserMessage> messages;
        bool rejected() const { return numbers.isEmpty(); }
    };

    static Result parse(const QString &text);
};

} // namespace tolvane
