#pragma once

#include <QtGlobal>

#include <array>

namespace tolvane {

// The five grids of a name, always in the order 天格 人格 地格 总格 外格. They are never folded: a number
// above 81 is simply never auspicious.
struct FiveGrids {
    qint16 tiange = 0;
    qint16 renge = 0;
    qint16 dige = 0;
    qint16 zongge = 0;
    qint16 waige = 0;

    std::array<qint16, 5> list() const { return {tiange, renge, dige, zongge, waige}; }
    bool operator==(const FiveGrids &) const = default;

    // The grid rule. surname holds one (single) or two (compound) stroke counts, given one to three (a
    // compound surname takes at most two). Arithmetic is 16-bit, as stored.
    static constexpr FiveGrids compute(int surnameCount, const int *surname, int givenCount, const int *given)
    {
        FiveGrids g;
        const int s1 = surname[0];
        const int g1 = given[0];
        int sum = 0;
        for (int i = 0; i < surnameCount; ++i)
            sum += surname[i];
        for (int i = 0; i < givenCount; ++i)
            sum += given[i];
        g.zongge = qint16(sum);
        if (surnameCount == 1) {
            g.tiange = qint16(s1 + 1);
            g.renge = qint16(s1 + g1);
            if (givenCount == 1) {
                g.dige = qint16(g1 + 1);
                g.waige = 2;
            } else if (givenCount == 2) {
                g.dige = qint16(g1 + given[1]);
                g.waige = qint16(given[1] + 1);
            } else {
                g.dige = qint16(g1 + given[1] + given[2]);
                g.waige = qint16(given[1] + given[2]);
            }
        } else {
            const int s2 = surname[1];
            g.tiange = qint16(s1 + s2);
            g.renge = qint16(s2 + g1);
            if (givenCount == 1) {
                g.dige = qint16(g1 + 1);
                g.waige = qint16(s1 + 1);
            } else {
                g.dige = qint16(g1 + given[1]);
                g.waige = qint16(s1 + given[1]);
            }
        }
        return g;
    }
};

} // namespace tolvane
