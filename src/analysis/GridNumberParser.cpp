#include "analysis/GridNumberParser.h"

#include "text/VbText.h"

namespace tolvane {

namespace {

constexpr int kMaxLength = 60;

struct Walk {
    std::array<int, 4> numbers{};
    int count = 0;
    bool overflow = false;
};

// The whole walk. wanted is the count of numbers the caller uses (3 or 2); the walk stops at wanted + 1.
// The two-number parse also checks for overflow after every character that does not end the walk.
GridNumberParser::Numbers parse(const QString &input, int wanted, const char16_t *tooFew,
                                const std::array<const char16_t *, 3> &rangeMessages, bool checkEachCharacter)
{
    const auto reject = [](const char16_t *text) {
        return GridNumberParser::Numbers::refused(UserMessage::plain(QString::fromUtf16(text)));
    };
    const QString text = trimSpaces(input);
    if (text.size() > kMaxLength)
        return reject(u"输入的数据太长,请重新输入!");

    Walk walk;
    QString run;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char(' '))
            continue;
        if (c.unicode() < u'0' || c.unicode() > u'9')
            return reject(u"输入必须为数字！");
        run += c;
        if (GridNumberParser::endsNumber(text, i)) {
            // A value above 16 bits is remembered as an overflow.
            const int value = GridNumberParser::runValue(run);
            if (value > 32767)
                walk.overflow = true;
            else
                walk.numbers[walk.count] = int(value);
            ++walk.count;
            run.clear();
            if (walk.count == wanted + 1)
                break;
        }
        if (checkEachCharacter && walk.overflow)
            return reject(u"输入的数据太大，应小于81。");
    }
    if (walk.count < wanted)
        return reject(tooFew);
    if (walk.overflow)
        return reject(u"输入的数据太大，应小于81。");
    std::array<qint16, 3> numbers{};
    for (int k = 0; k < wanted; ++k) {
        numbers[k] = qint16(walk.numbers[k]);
        if (walk.numbers[k] < 1 || walk.numbers[k] > 81)
            return reject(rangeMessages[k]);
    }
    return numbers;
}

} // namespace

bool GridNumberParser::endsNumber(const QString &text, qsizetype i)
{
    if (i + 1 == text.size())
        return true;
    const char16_t next = text.at(i + 1).unicode();
    return next == u' ' || next < 0x0A;
}

int GridNumberParser::runValue(QStringView run)
{
    qsizetype first = 0;
    while (first + 1 < run.size() && run.at(first) == QLatin1Char('0'))
        ++first;
    const QStringView digits = run.mid(first);
    return digits.size() > 5 ? 99999 : digits.toInt();
}

GridNumberParser::Numbers GridNumberParser::parseThree(const QString &text)
{
    return parse(text, 3, u"输入位数不够，应有三位数，并以空格隔开。",
                 {u"天格数必须在1至81之间。", u"人格数必须在1至81之间。", u"地格数必须在1至81之间。"}, false);
}

GridNumberParser::Numbers GridNumberParser::parseTwo(const QString &text)
{
    return parse(text, 2, u"输入位数不够，应有两位数，并以空格隔开。",
                 {u"人格数必须在1至81之间。", u"外格数必须在1至81之间。", nullptr}, true);
}

} // namespace tolvane
