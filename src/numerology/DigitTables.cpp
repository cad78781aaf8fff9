#include "numerology/DigitTables.h"

namespace tolvane {

namespace {
constexpr char16_t kNumerals[] = u"一二三四五六七八九十";
constexpr char16_t kElements[] = u"木火土金水";
} // namespace

QChar DigitTables::numeral(int n)
{
    return QChar(kNumerals[digitClass(n) - 1]);
}

QChar DigitTables::elementChar(int n)
{
    return elementName(element(n));
}

QChar DigitTables::elementName(Element e)
{
    return QChar(kElements[e]);
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
