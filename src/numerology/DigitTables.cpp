#include "numerology/DigitTables.h"

namespace tolvane {

QChar DigitTables::numeral(int n)
{
    return QChar(kNumeralCharacters[digitClass(n) - 1]);
}

Sancai Sancai::compute(int heaven, int person, int earth)
{
    Sancai s;
    const QChar numerals[3] = {DigitTables::numeral(heaven), DigitTables::numeral(person), DigitTables::numeral(earth)};
    const QChar elements[3] = {DigitTables::elementChar(heaven), DigitTables::elementChar(person),
                               DigitTables::elementChar(earth)};
    s.numeralTriple = QString(numerals, 3);
    s.elementTriple = QString(elements, 3);
    return s;
}

QString computePairKey(int person, int outer)
{
    const QChar pair[2] = {DigitTables::numeral(person), DigitTables::numeral(outer)};
    return QString(pair, 2);
}

} // namespace tolvane
