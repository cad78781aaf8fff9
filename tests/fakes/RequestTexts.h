#pragma once

#include "naming/NameRequest.h"

#include <QStringList>

namespace tolvane {

// A naming request's fields as the windows show them, so that tests can compare them with the captions.

// "单", "复", or empty when none is chosen.
inline QString kindText(const NameRequest &request)
{
    return request.surnameKind ? surnameKindText(*request.surnameKind) : QString();
}

// "全吉", "半吉", or empty when none is chosen.
inline QString luckText(const NameRequest &request)
{
    return request.luckLevel ? luckLevelText(*request.luckLevel) : QString();
}

// The five wish slots in the order 金木水火土, each its element or empty.
inline QStringList wishSlots(const NameRequest &request)
{
    const std::array<QString, 5> slots = request.elementWishes.wishSlots();
    return QStringList(slots.begin(), slots.end());
}

} // namespace tolvane
