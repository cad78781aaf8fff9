#pragma once

// The numerology's fixed tables, written out here a second time, independently of the program's own copies,
// so that the tests can check the program against them exhaustively (every number 1..81, every element
// triple, every numeral pair). Elements are characters of 木火土金水; numbers are the 81 numbers.

#include <QList>
#include <QSet>
#include <QString>

#include <algorithm>

namespace reference {

using namespace Qt::StringLiterals;

inline const QList<int> kFullNumbers { 1, 3, 5, 6, 7, 11, 13, 15, 16, 21, 23, 24, 29, 31, 32, 33, 35, 37, 41, 45, 47,
    48, 52, 57, 61, 63, 65, 67, 68, 81 };
inline const QList<int> kHalfOnlyNumbers { 8, 17, 18, 25, 30, 36, 38, 39, 49, 50, 51, 55, 58, 71, 72, 73, 77 };
inline const QList<int> kBadNumbers { 2, 4, 9, 10, 12, 14, 19, 20, 22, 26, 27, 28, 34, 40, 42, 43, 44, 46, 53, 54, 56,
    59, 60, 62, 64, 66, 69, 70, 74, 75, 76, 78, 79, 80 };

inline const QStringList kFullSancai
    = u"木木火 木木木 木木土 木火木 木火火 木火土 木水木 火木木 火木火 火木土 火火木 火土土 土火木 土火土 土土火 "
      u"土土土 "
      u"土土金 土金土 土金金 金土土 金土金 金金土 金水金 水木木 水木土 水金土"_s.split(u' ');
inline const QStringList kHalfOnlySancai
    = u"木土火 木水水 火火火 火土火 土木木 土火火 土火金 金土木 金土火 水木火 水金金 土木火"_s.split(u' ');
inline const QStringList kFullPairs
    = u"一二 一一 一三 一四 一五 一九 一十 二一 二三 二四 三一 三二 三三 三五 四一 四二 四五 五一 五三 五四 五五 "
      u"五六 五七 五八 六一 六三 六四 六五 六七 七六 七五 七七 七八 七九 八一 八五 八六 八九 九一 九二 九七 九八"_s
          .split(u' ');
inline const QStringList kHalfOnlyPairs
    = u"一六 一七 二二 二五 二九 三四 三六 三七 三八 三九 四六 五二 六二 六六 六八 七一 八七 八八 九三 九四 九五 九六 "
      u"九十 十一 十二 十五 十七 十八 十九 九九"_s.split(u' ');

inline const QList<int> kUnsuitableForWomen { 21, 23, 28, 33 };

inline const QString kElements = u"木火土金水"_s;
inline const QString kNumerals = u"一二三四五六七八九十"_s;

// The digit class (last digit, 0 counting as 10) and what it stands for.
inline int digitClass(int n)
{
    return n % 10 == 0 ? 10 : n % 10;
}
inline QChar element(int n)
{
    return u"木木火火土土金金水水"_s.at(digitClass(n) - 1);
}
inline QChar numeral(int n)
{
    return kNumerals.at(digitClass(n) - 1);
}

// Whether a configuration with these grids (天 人 地 总 外) passes at "全吉" (full) or "半吉" for a boy or a
// girl.
inline bool accepts(const QList<int> &grids, int givenCount, bool full, bool female)
{
    static const QSet<int> fullNumbers(kFullNumbers.begin(), kFullNumbers.end());
    static const QSet<int> halfNumbers = fullNumbers + QSet<int>(kHalfOnlyNumbers.begin(), kHalfOnlyNumbers.end());
    static const QSet<QString> fullTriples(kFullSancai.begin(), kFullSancai.end());
    static const QSet<QString> halfTriples
        = fullTriples + QSet<QString>(kHalfOnlySancai.begin(), kHalfOnlySancai.end());
    static const QSet<QString> fullPairs(kFullPairs.begin(), kFullPairs.end());
    static const QSet<QString> halfPairs = fullPairs + QSet<QString>(kHalfOnlyPairs.begin(), kHalfOnlyPairs.end());
    const QList<int> tested = givenCount == 1 ? grids.mid(1, 3) : grids.mid(1, 4);
    for (int n : tested) {
        if (!(full ? fullNumbers : halfNumbers).contains(n) || (female && kUnsuitableForWomen.contains(n)))
            return false;
    }
    const QString triple = QString(element(grids[0])) + element(grids[1]) + element(grids[2]);
    const QString pair = QString(numeral(grids[1])) + numeral(grids[4]);
    return (full ? fullTriples : halfTriples).contains(triple) && (full ? fullPairs : halfPairs).contains(pair);
}

// The verdicts of success luck (人格 with 天格) and basis luck (人格 with 地格): rows the element of 人格,
// columns the other grid's, both in the order 木火土金水.
inline const QStringList kSuccessVerdicts[5] = { { u"吉"_s, u"吉"_s, u"凶"_s, u"凶"_s, u"吉"_s },
    { u"吉"_s, u"凶"_s, u"吉"_s, u"凶"_s, u"凶"_s }, { u"凶"_s, u"吉"_s, u"半吉"_s, u"吉"_s, u"半吉"_s },
    { u"凶"_s, u"凶"_s, u"吉"_s, u"凶"_s, u"吉"_s }, { u"半吉"_s, u"凶"_s, u"凶"_s, u"凶"_s, u"凶"_s } };
inline const QStringList kBasisVerdicts[5] = { { u"吉"_s, u"吉"_s, u"吉"_s, u"凶"_s, u"凶"_s },
    { u"吉"_s, u"半吉"_s, u"吉"_s, u"凶"_s, u"凶"_s }, { u"凶"_s, u"吉"_s, u"吉"_s, u"吉"_s, u"凶"_s },
    { u"凶"_s, u"凶"_s, u"吉"_s, u"凶"_s, u"凶"_s }, { u"凶"_s, u"凶"_s, u"凶"_s, u"凶"_s, u"凶"_s } };

// The opening words of the ten personality paragraphs, by digit class 1..10.
inline const QStringList kPersonalityOpenings { u"性情多好静"_s, u"性情隐忍不动"_s, u"性情急进"_s, u"内具爆发性品质"_s,
    u"心多洗练"_s, u"其表面温和，内心刚毅"_s, u"意志坚定，大都攻击性强"_s, u"顽固如砺石"_s, u"其活动力强"_s,
    u"其性迟"_s };

// The warnings, in report order. person/earth/heaven are elements ('\0' for any); classSix: the 人格 digit
// class must be 6 exactly instead of an element.
struct Warning {
    QChar person;
    QChar earth;
    QChar heaven;
    bool classSix;
    QString sentence; // heading and text
};
inline const QString kDisaster = u"人格与地格数理易诱发以下疾病或灾祸："_s;
inline const QString kDisaster3 = u"天格、人格与地格数理易诱发以下疾病或灾祸："_s;
inline const QString kIllness = u"天格、人格与地格数理易诱发以下难治疾病："_s;
inline const QString kInjury = u"天格、人格与地格数理易诱发外伤等事故。"_s;
inline const QString kTextA = u"脑溢血、心机梗塞、急难、自杀等，最好更名。"_s;
inline const QString kTextB = u"发狂、神经衰弱、肺病、气管炎等，最好更名。"_s;
inline const QList<Warning> kWarnings {
    { u'土', u'水', u'\0', false, kDisaster + kTextA },
    { u'水', u'土', u'土', false, kDisaster3 + kTextA },
    { u'火', u'水', u'水', false, kDisaster3 + kTextA },
    { u'水', u'火', u'火', false, kDisaster3 + kTextA },
    { u'火', u'金', u'金', false, kIllness + kTextB },
    { u'金', u'火', u'火', false, kIllness + kTextB },
    { u'\0', u'木', u'木', true, kIllness + kTextB },
    { u'土', u'水', u'金', false, kInjury },
    { u'金', u'水', u'金', false, kInjury },
    { u'水', u'火', u'水', false, kInjury },
    { u'金', u'水', u'土', false, kInjury },
    { u'火', u'水', u'火', false, kInjury },
    { u'火', u'水', u'金', false, kInjury },
};

// Remarks for women by the unfolded 地格.
inline const QList<int> kUnhappyMarriage { 21, 23, 26, 28, 29, 30, 39 };
inline const QList<int> kVirtuousWife { 5, 6, 11, 13, 31, 32, 35 };

// The special number sets of 人格 or 地格, in report order.
struct NumberSentence {
    QList<int> numbers;
    QString sentence;
};
inline const QList<NumberSentence> kSpecialSets {
    { { 2, 4, 9, 10, 12, 14, 19, 20, 22, 26, 36 },
        u"人格或地格中有2、4、9、10、12、14、19、20、22、26、36等败财运诱导之数（凶险病弱，家族缘薄）。"_s },
    { { 4, 10, 12, 14, 22, 28, 34 }, u"人格或地格中有4、10、12、14、22、28、34等孤独运诱导之数（妻凌夫或夫克妻）。"_s },
    { { 15, 16, 23, 24, 32, 33, 41, 42 },
        u"人格或地格中有15、16、23、24、32、33、41、42等财运诱导之数（多钱财，富贵）。"_s },
    { { 3, 13, 16, 21, 23, 31, 33, 41 },
        u"人格或地格中有3、13、16、21、23、31、33、41等首领诱导之数（智仁勇德全备，能领导众人）。"_s },
    { { 4, 9, 10, 14, 19, 20, 28, 34, 44 },
        u"人格或地格中有4、9、10、14、19、20、28、34、44等损寿运诱导之数（若天、地、人三格中两格有此数，难逃此命）。"_s },
    { { 22, 30, 36, 40, 50, 52, 54, 56, 59, 80 },
        u"人格或地格中有22、30、36、40、50、52、54、56、59、80等遭难诱导之数。"_s },
    { { 12, 14, 51 }, u"人格或地格中有12、14、51等品行外柔内刚诱导之数。"_s },
};

// The trades of company names, in report order.
inline const QList<NumberSentence> kTrades {
    { { 24, 31, 41, 52, 63 }, u"24、31、41、52、63这些数适宜于“旅社”。"_s },
    { { 15, 16, 21, 24, 32, 33, 35 }, u"15、16、21、24、32、33、35这些数适宜于“店”。"_s },
    { { 47, 52, 61, 63, 67, 68 }, u"47、52、61、63、67、68这些数适宜于“厂”。"_s },
    { { 52, 62, 64, 67, 68 }, u"52、62、64、67、68这些数适宜于“公司”。"_s },
    { { 17, 18, 23, 33, 48, 52, 63, 65 }, u"17、18、23、33、48、52、63、65这些数适宜于“制造业”。"_s },
    { { 13, 17, 33, 35, 38, 41, 47, 52 }, u"13、33、35、38、41、17、47、52这些数适宜于“技艺业”。"_s },
    { { 15, 16, 35, 38, 45, 63, 65 }, u"15、16、35、38、45、63、65这些数适宜于“美术业”。"_s },
    { { 13, 23, 24, 33, 39, 41, 47, 61 }, u"13、23、24、33、39、41、47、61这些数适宜于“花丽业、银行”。"_s },
    { { 3, 7, 13, 17, 23, 33, 37, 39, 48 }, u"3、7、13、17、23、33、37、39、48这些数适宜于“包办业”。"_s },
    { { 13, 23, 25, 33, 39, 41, 47, 61 }, u"13、23、25、33、39、41、47、61这些数适宜于“中介业”。"_s },
    { { 8, 15, 18, 24, 35, 38, 39, 41, 52 }, u"8、15、18、24、35、38、39、41、52这些数适宜于“古品业”。"_s },
    { { 15, 16, 32, 37, 41, 47, 52, 61, 63 }, u"15、16、32、37、41、47、52、61、63这些数适宜于“医药业”。"_s },
    { { 29, 33, 39, 41, 52, 63, 67 }, u"29、33、39、41、52、63、67这些数适宜于“食品业”。"_s },
    { { 16, 21, 23, 39, 52, 65, 68 }, u"16、21、23、39、52、65、68这些数适宜于“交通业”。"_s },
    { { 13, 17, 35, 47, 48, 52, 61, 63 }, u"13、17、35、47、48、52、61、63这些数适宜于“教育业”。"_s },
    { { 3, 13, 31, 41, 47, 52, 57, 65 }, u"3、13、31、41、47、52、57、65这些数适宜于“化工业”。"_s },
    { { 7, 17, 18, 29, 33, 39, 47, 48 }, u"7、17、18、29、33、39、47、48这些数适宜于“钢铁业”。"_s },
    { { 11, 24, 32, 35, 37, 48, 61, 63, 67 }, u"11、24、32、35、37、48、61、63、67这些数适宜于“加工业”。"_s },
    { { 13, 23, 24, 33, 37, 42, 57, 63, 68 }, u"13、23、24、33、37、42、57、63、68这些数适宜于“文艺业”。"_s },
};

// The sentences of table whose numbers hold n, in order.
inline QStringList sentencesFor(const QList<NumberSentence> &table, int n)
{
    QStringList out;
    for (const NumberSentence &row : table) {
        if (row.numbers.contains(n))
            out.append(row.sentence);
    }
    return out;
}

} // namespace reference
