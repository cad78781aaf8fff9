#pragma once

#include <QJsonArray>

namespace tolvane {

// Numbers (stroke counts, grids) as a JSON array, in their order.
template <typename Numbers> QJsonArray jsonNumbers(const Numbers &numbers)
{
    QJsonArray array;
    for (const auto n : numbers)
        array.append(int(n));
    return array;
}

} // namespace tolvane
