// libFuzzer target: the typed-number parsers take any text. The grid numbers of the 三才 and pairing lookups
// are 1..81 once accepted and a rejection carries its message; the stroke counts of 姓名笔画数 are two to four
// numbers of 1..30 without a message, or no numbers with one or two messages; the 16-bit conversion every
// number box uses ignores blanks around the number and reads its own decimal text back unchanged.
#include "analysis/GridNumberParser.h"
#include "analysis/StrokeNumbersParser.h"
#include "text/VbText.h"

#include <cstdint>
#include <cstdlib>

using namespace tolvane;

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));

    const GridNumberParser::Numbers three = GridNumberParser::parseThree(text);
    if (three.value) {
        check(three.messages.isEmpty());
        for (int k = 0; k < 3; ++k)
            check((*three.value)[k] >= 1 && (*three.value)[k] <= 81);
    } else {
        check(three.messages.size() == 1 && !three.messages.constFirst().text.isEmpty());
    }
    const GridNumberParser::Numbers two = GridNumberParser::parseTwo(text);
    if (two.value) {
        for (int k = 0; k < 2; ++k)
            check((*two.value)[k] >= 1 && (*two.value)[k] <= 81);
    } else {
        check(two.messages.size() == 1);
    }

    const Outcome<QList<int>> strokes = StrokeNumbersParser::parse(text);
    check(!strokes.databaseFailed);
    if (!strokes.value) {
        check(strokes.messages.size() == 1 || strokes.messages.size() == 2);
    } else {
        check(strokes.messages.isEmpty());
        check(strokes.value->size() >= 2 && strokes.value->size() <= 4);
        for (int n : *strokes.value)
            check(n >= 1 && n <= 30);
    }

    const std::optional<qint16> number = toInt16(text);
    check(toInt16(QStringLiteral("  ") + text + QStringLiteral("\t ")) == number);
    if (number)
        check(toInt16(decimal(*number)) == number);
    return 0;
}
