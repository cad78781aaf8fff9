#include "birthchart/Ganzhi.h"

namespace tolvane {

namespace {

// Sources of the tables below. The stems, the branches and the element of each are the classical
// correspondences (甲乙木 丙丁火 戊己土 庚辛金 壬癸水; 寅卯木 巳午火 申酉金 亥子水 辰戌丑未土) as set out in
// 萧吉《五行大义》. The hidden stems are the common 地支藏干 table of 《渊海子平》 and 《三命通会》; books
// differ in the order of the lesser stems of 寅 and 巳, and this table uses 寅 = 甲丙戊 and 巳 = 丙庚戊.

constexpr char16_t kStemNames[] = u"甲乙丙丁戊己庚辛壬癸";
constexpr char16_t kBranchNames[] = u"子丑寅卯辰巳午未申酉戌亥";

constexpr std::array<Element, kStemCount> kStemElements {
    Element::Wood,
    Element::Wood,
    Element::Fire,
    Element::Fire,
    Element::Earth,
    Element::Earth,
    Element::Metal,
    Element::Metal,
    Element::Water,
    Element::Water,
};

constexpr std::array<Element, kBranchCount> kBranchElements {
    Element::Water,
    Element::Earth,
    Element::Wood,
    Element::Wood,
    Element::Earth,
    Element::Fire,
    Element::Fire,
    Element::Earth,
    Element::Metal,
    Element::Metal,
    Element::Earth,
    Element::Water,
};

// Stems by index: 甲0 乙1 丙2 丁3 戊4 己5 庚6 辛7 壬8 癸9; only the first count entries are stems.
constexpr std::array<HiddenStems, kBranchCount> kHiddenStems { {
    { { 9, 0, 0 }, 1 }, // 子: 癸
    { { 5, 9, 7 }, 3 }, // 丑: 己 癸 辛
    { { 0, 2, 4 }, 3 }, // 寅: 甲 丙 戊
    { { 1, 0, 0 }, 1 }, // 卯: 乙
    { { 4, 1, 9 }, 3 }, // 辰: 戊 乙 癸
    { { 2, 6, 4 }, 3 }, // 巳: 丙 庚 戊
    { { 3, 5, 0 }, 2 }, // 午: 丁 己
    { { 5, 3, 1 }, 3 }, // 未: 己 丁 乙
    { { 6, 8, 4 }, 3 }, // 申: 庚 壬 戊
    { { 7, 0, 0 }, 1 }, // 酉: 辛
    { { 4, 7, 3 }, 3 }, // 戌: 戊 辛 丁
    { { 8, 0, 0 }, 2 }, // 亥: 壬 甲
} };

// The generating cycle 木 火 土 金 水 as element values.
constexpr std::array<Element, kElementCount> kGeneratingCycle { Element::Wood, Element::Fire, Element::Earth,
    Element::Metal, Element::Water };

int cyclePosition(Element e)
{
    for (int i = 0; i < kElementCount; ++i)
        if (kGeneratingCycle[i] == e)
            return i;
    return 0;
}

Element cycleStep(Element e, int steps)
{
    return kGeneratingCycle[(cyclePosition(e) + steps) % kElementCount];
}

} // namespace

Element elementGenerated(Element e)
{
    return cycleStep(e, 1);
}

Element elementGenerating(Element e)
{
    return cycleStep(e, 4);
}

Element elementOvercome(Element e)
{
    return cycleStep(e, 2);
}

Element elementOvercoming(Element e)
{
    return cycleStep(e, 3);
}

QChar stemName(int stem)
{
    return QChar(kStemNames[stem]);
}

QChar branchName(int branch)
{
    return QChar(kBranchNames[branch]);
}

Element stemElement(int stem)
{
    return kStemElements[stem];
}

Element branchElement(int branch)
{
    return kBranchElements[branch];
}

HiddenStems hiddenStems(int branch)
{
    return kHiddenStems[branch];
}

std::array<int, 3> hiddenStemWeights(int count)
{
    switch (count) {
    case 1:
        return { 10, 0, 0 };
    case 2:
        return { 7, 3, 0 };
    default:
        return { 6, 3, 1 };
    }
}

Pillar Pillar::fromCycleIndex(long long index)
{
    const int i = int(((index % 60) + 60) % 60);
    return { i % kStemCount, i % kBranchCount };
}

int Pillar::cycleIndex() const
{
    // The index i with i % 10 == stem and i % 12 == branch.
    for (int i = stem; i < 60; i += kStemCount)
        if (i % kBranchCount == branch)
            return i;
    return 0;
}

QString Pillar::text() const
{
    return QString(stemName(stem)) + branchName(branch);
}

} // namespace tolvane
