#include "analysis/CompanyAnalysis.h"

#include "analysis/RefusalTexts.h"
#include "data/NameDatabase.h"
#include "numerology/Fold81.h"
#include "text/Characters.h"
#include "text/VbText.h"

#include <QJsonArray>

#include <algorithm>
#include <array>
#include <initializer_list>

namespace tolvane {

namespace {

struct Trade {
    std::initializer_list<int> numbers;
    const char16_t *sentence;
};

// The trades whose lucky numbers are listed, in the order they are reported. The sentence of 技艺业 lists
// its numbers in its own order.
const std::array<Trade, 19> kTrades{{
    {{24, 31, 41, 52, 63}, u"24、31、41、52、63这些数适宜于“旅社”。"},
    {{15, 16, 21, 24, 32, 33, 35}, u"15、16、21、24、32、33、35这些数适宜于“店”。"},
    {{47, 52, 61, 63, 67, 68}, u"47、52、61、63、67、68这些数适宜于“厂”。"},
    {{52, 62, 64, 67, 68}, u"52、62、64、67、68这些数适宜于“公司”。"},
    {{17, 18, 23, 33, 48, 52, 63, 65}, u"17、18、23、33、48、52、63、65这些数适宜于“制造业”。"},
    {{13, 17, 33, 35, 38, 41, 47, 52}, u"13、33、35、38、41、17、47、52这些数适宜于“技艺业”。"},
    {{15, 16, 35, 38, 45, 63, 65}, u"15、16、35、38、45、63、65这些数适宜于“美术业”。"},
    {{13, 23, 24, 33, 39, 41, 47, 61}, u"13、23、24、33、39、41、47、61这些数适宜于“花丽业、银行”。"},
    {{3, 7, 13, 17, 23, 33, 37, 39, 48}, u"3、7、13、17、23、33、37、39、48这些数适宜于“包办业”。"},
    {{13, 23, 25, 33, 39, 41, 47, 61}, u"13、23、25、33、39、41、47、61这些数适宜于“中介业”。"},
    {{8, 15, 18, 24, 35, 38, 39, 41, 52}, u"8、15、18、24、35、38、39、41、52这些数适宜于“古品业”。"},
    {{15, 16, 32, 37, 41, 47, 52, 61, 63}, u"15、16、32、37、41、47、52、61、63这些数适宜于“医药业”。"},
    {{29, 33, 39, 41, 52, 63, 67}, u"29、33、39、41、52、63、67这些数适宜于“食品业”。"},
    {{16, 21, 23, 39, 52, 65, 68}, u"16、21、23、39、52、65、68这些数适宜于“交通业”。"},
    {{13, 17, 35, 47, 48, 52, 61, 63}, u"13、17、35、47、48、52、61、63这些数适宜于“教育业”。"},
    {{3, 13, 31, 41, 47, 52, 57, 65}, u"3、13、31、41、47、52、57、65这些数适宜于“化工业”。"},
    {{7, 17, 18, 29, 33, 39, 47, 48}, u"7、17、18、29、33、39、47、48这些数适宜于“钢铁业”。"},
    {{11, 24, 32, 35, 37, 48, 61, 63, 67}, u"11、24、32、35、37、48、61、63、67这些数适宜于“加工业”。"},
    {{13, 23, 24, 33, 37, 42, 57, 63, 68}, u"13、23、24、33、37、42、57、63、68这些数适宜于“文艺业”。"},
}};

} // namespace

QStringList CompanyAnalysis::tradeList(int total)
{
    QStringList sentences;
    for (const Trade &trade : kTrades) {
        if (std::find(trade.numbers.begin(), trade.numbers.end(), total) != trade.numbers.end())
            sentences.append(QString::fromUtf16(trade.sentence));
    }
    return sentences;
}

QString CompanyAnalysis::tradeSentences(int total)
{
    QString text;
    for (const QString &sentence : tradeList(total))
        text += sentence + kCrLf;
    return text;
}

QJsonObject CompanyAnalysis::fields(const CompanyReport &report)
{
    QJsonObject fields;
    fields.insert(QStringLiteral("name"), report.name);
    QJsonArray characters;
    for (qsizetype i = 0; i < report.characters.size(); ++i)
        characters.append(QJsonObject { { QStringLiteral("character"), report.characters.at(i) },
            { QStringLiteral("strokes"), report.strokes.value(i) } });
    fields.insert(QStringLiteral("characters"), characters);
    fields.insert(QStringLiteral("total"), report.total);
    fields.insert(QStringLiteral("number"), report.folded);
    fields.insert(QStringLiteral("verdict"), report.meaning ? QJsonValue(report.meaning->flag) : QJsonValue());
    fields.insert(
        QStringLiteral("meaning"), report.meaning ? QJsonValue(withLineFeeds(report.meaning->meaning)) : QJsonValue());
    fields.insert(QStringLiteral("trades"), QJsonArray::fromStringList(report.trades));
    fields.insert(QStringLiteral("text"), withLineFeeds(report.replacement.value_or(QString()) + report.appended));
    return fields;
}

Outcome<CompanyReport> CompanyAnalysis::analyze(const QString &input, const Library &library)
{
    using Result = Outcome<CompanyReport>;
    const QString name = trimSpaces(input);
    if (splitCharacters(name).size() > kMaxLength)
        return Result::refused(UserMessage::warning(QStringLiteral("在此最多输入50个字，本程序最多分析50个字的名称。")));
    if (name.isEmpty())
        return Result::refused(UserMessage::warning(QStringLiteral("您还没有输入公司名称。")));

    NameDatabase db = library.open({DbTable::Name, DbTable::Corp81});
    if (auto failure = db.failure())
        return Result::failed(*failure);

    // Strokes are summed wider than 16 bits so that a hand-edited library cannot overflow the total.
    int total = 0;
    // A character outside the BMP is one library row, not two halves of a surrogate pair.
    CompanyReport result;
    result.name = name;
    // Only Chinese characters have stroke counts: letters, digits and blanks the library lacks are gathered,
    // and the name is refused with all of them named.
    QStringList others;
    for (const QString &ch : splitCharacters(name)) {
        const RowRead<qint16> strokes = db.strokesOf(ch);
        if (strokes.failed)
            return Result::failed(DatabaseFailure::unreadable());
        if (!strokes.row && !RefusalTexts::isChinese(ch)) {
            if (!others.contains(ch))
                others.append(ch);
            continue;
        }
        if (!strokes.row && others.isEmpty())
            return Result::refused(UserMessage::warning(QStringLiteral("字库里没有 ") + ch + QStringLiteral(" 字，请与程序员联系。")));
        if (!strokes.row)
            break;
        total += *strokes.row;
        result.characters.append(ch);
        result.strokes.append(*strokes.row);
    }
    if (!others.isEmpty()) {
        QString chinese;
        for (const QString &ch : splitCharacters(name)) {
            if (RefusalTexts::isChinese(ch))
                chinese += ch;
        }
        return Result::refused(RefusalTexts::companyNameNotChinese(name, others, chinese));
    }
    result.total = total;
    result.folded = fold81(total);

    const RowRead<MeaningRow> meaning = db.numberMeaning(DbTable::Corp81, result.folded);
    if (meaning.failed)
        return Result::failed(DatabaseFailure::unreadable());
    result.meaning = meaning.row;
    if (const std::optional<MeaningRow> &row = result.meaning) {
        result.replacement = name + QLatin1Char(' ') + decimal(result.folded)
            + QStringLiteral(" 数暗示为（总笔画数是") + decimal(total) + QStringLiteral("）：") + kCrLf + kCrLf
            + row->meaning + QStringLiteral(" （") + row->flag + QStringLiteral("）") + kCrLf + kCrLf + kCrLf
            + QStringLiteral("注：如果名称总笔画数超过81，则减去80用其余数。") + kCrLf + kCrLf + kCrLf;
    }
    db.close();
    result.trades = tradeList(total);
    result.appended = tradeSentences(total);
    return result;
}

} // namespace tolvane
