#include "naming/NameScore.h"

#include "numerology/DigitTables.h"
#include "numerology/LuckRules.h"

#include <algorithm>

namespace tolvane {

namespace {

int levelPoints(LuckLevel level, int full, int half)
{
    return level == LuckLevel::Full ? full : level == LuckLevel::Half ? half : 0;
}

LuckLevel sancaiLevel(const FiveGrids &g)
{
    if (LuckRules::sancaiPasses(LuckLevel::Full, g.tiange, g.renge, g.dige))
        return LuckLevel::Full;
    return LuckRules::sancaiPasses(LuckLevel::Half, g.tiange, g.renge, g.dige) ? LuckLevel::Half : LuckLevel::Bad;
}

LuckLevel pairLevel(const FiveGrids &g)
{
    if (LuckRules::pairPasses(LuckLevel::Full, g.renge, g.waige))
        return LuckLevel::Full;
    return LuckRules::pairPasses(LuckLevel::Half, g.renge, g.waige) ? LuckLevel::Half : LuckLevel::Bad;
}

// The grids the naming rules test: 人格, 地格, 总格, and 外格 for a two-character given name.
int testedGrids(const FiveGrids &g, int givenCount, std::array<int, 4> &out)
{
    out = { g.renge, g.dige, g.zongge, g.waige };
    return givenCount >= 2 ? 4 : 3;
}

int soundPoints(const SoundVerdict &sound, const RankingRules::Weights &w)
{
    const int clear = sound.strong.isEmpty() && sound.weak.isEmpty() ? w.soundClear : 0;
    return clear + w.soundWeak * int(sound.weak.size()) + w.soundStrong * int(sound.strong.size());
}

} // namespace

NameScore scoreName(const NameFacts &facts, const std::optional<SoundVerdict> &sound, const RankingRules &rules)
{
    const RankingRules::Weights &w = rules.weights();
    NameScore score;
    const FiveGrids &g = facts.grids;
    std::array<int, 4> tested {};
    const int n = testedGrids(g, facts.givenCount, tested);
    int gridPoints = 0;
    for (int i = 0; i < n; ++i)
        gridPoints += levelPoints(LuckRules::luckClass(tested[size_t(i)]), w.gridsFull, w.gridsHalf);
    gridPoints = (gridPoints + n / 2) / n;
    score.sancaiLevel = sancaiLevel(g);
    score.pairLevel = pairLevel(g);
    const int numerology = gridPoints + levelPoints(score.sancaiLevel, w.sancaiFull, w.sancaiHalf)
        + levelPoints(score.pairLevel, w.pairingFull, w.pairingHalf);

    int elements = 0;
    for (int i = 0; i < facts.givenCount && i < 2; ++i) {
        if (facts.elements[size_t(i)] && facts.wishes.contains(*facts.elements[size_t(i)]))
            elements += w.elementsCharacter;
    }
    if (facts.wishes.contains(DigitTables::element(g.renge)))
        elements += w.elementsPerson;

    int meaning = 0;
    if (facts.word.kind == NameWords::Kind::GivenName)
        meaning += w.name + std::min(w.nameCap, w.nameEach * std::max(0, facts.word.weight - 2));
    else if (facts.word.kind == NameWords::Kind::Current)
        meaning += w.current;
    else if (facts.word.kind == NameWords::Kind::Word)
        meaning += w.word;
    meaning += facts.dated;
    if (facts.inClassics)
        meaning += w.classic;
    for (int i = 0; i < facts.givenCount && i < 2; ++i) {
        if (facts.sexes[size_t(i)] == facts.sex)
            meaning += w.sex;
        meaning += facts.tastes[size_t(i)];
    }

    score.parts = { { { ScorePart::Kind::Numerology, numerology, true }, { ScorePart::Kind::Elements, elements, true },
        { ScorePart::Kind::Sound, 0, false }, { ScorePart::Kind::Meaning, meaning, true } } };
    score.total = numerology + elements + meaning;
    return sound ? rescoreWithSound(score, sound, rules) : score;
}

NameScore rescoreWithSound(NameScore score, const std::optional<SoundVerdict> &sound, const RankingRules &rules)
{
    ScorePart &part = score.parts[2];
    score.total -= part.points;
    part.judged = sound.has_value();
    part.points = sound ? soundPoints(*sound, rules.weights()) : 0;
    score.total += part.points;
    return score;
}

QStringList scoreReasons(const NameFacts &facts, const NameScore &score, const std::optional<SoundVerdict> &sound)
{
    const QString given = facts.characters[0] + (facts.givenCount >= 2 ? facts.characters[1] : QString());
    QStringList meaning;
    if (facts.word.kind == NameWords::Kind::GivenName)
        meaning.append(QStringLiteral("“%1”是常用的名字").arg(given));
    else if (facts.word.kind == NameWords::Kind::Current)
        meaning.append(QStringLiteral("“%1”是当今父母常取的名字").arg(given));
    else if (facts.nameLike)
        meaning.append(QStringLiteral("“%1”常作名字的首字，“%2”常作名字的末字").arg(facts.characters[0], facts.characters[1]));
    else if (facts.word.kind == NameWords::Kind::Word)
        meaning.append(QStringLiteral("“%1”是一个词").arg(given));
    if (facts.inClassics)
        meaning.append(facts.givenCount >= 2 ? QStringLiteral("两字在典籍中成词") : QStringLiteral("字有典籍出处"));
    if (facts.dated < 0)
        meaning.append(QStringLiteral("今天读来有些老派"));
    QStringList own;
    for (int i = 0; i < facts.givenCount && i < 2; ++i) {
        if (facts.sexes[size_t(i)] == facts.sex)
            own.append(facts.characters[size_t(i)]);
    }
    if (!own.isEmpty())
        meaning.append((facts.sex == Sex::Female ? QStringLiteral("女孩用字：") : QStringLiteral("男孩用字："))
            + own.join(QStringLiteral("、")));
    if (meaning.isEmpty())
        meaning.append(QStringLiteral("两字都是适合%1的名字用字").arg(facts.sex == Sex::Female ? QStringLiteral("女孩")
                                                                                           : QStringLiteral("男孩")));
    if (sound) {
        if (sound->strong.isEmpty() && sound->weak.isEmpty())
            meaning.append(QStringLiteral("读音无碍"));
        else {
            QStringList findings = sound->strong + sound->weak;
            for (QString &finding : findings) {
                while (finding.endsWith(QStringLiteral("。")))
                    finding.chop(1);
            }
            meaning.append(QStringLiteral("读音提醒：") + findings.join(QStringLiteral("；")));
        }
    }

    QStringList numbers;
    std::array<int, 4> tested {};
    const int n = testedGrids(facts.grids, facts.givenCount, tested);
    int halfGrids = 0;
    int badGrids = 0;
    for (int i = 0; i < n; ++i) {
        const LuckLevel level = LuckRules::luckClass(tested[size_t(i)]);
        halfGrids += level == LuckLevel::Half;
        badGrids += level == LuckLevel::Bad;
    }
    numbers.append(badGrids ? QStringLiteral("五格有%1格凶").arg(badGrids)
            : halfGrids     ? QStringLiteral("五格有%1格半吉").arg(halfGrids)
                            : QStringLiteral("五格全吉"));
    numbers.append(QStringLiteral("三才") + Sancai::compute(facts.grids.tiange, facts.grids.renge, facts.grids.dige).elementTriple
        + luckLevelText(score.sancaiLevel));
    numbers.append(QStringLiteral("人格外格搭配") + luckLevelText(score.pairLevel));
    QStringList wished;
    QStringList other;
    for (int i = 0; i < facts.givenCount && i < 2; ++i) {
        const std::optional<Element> e = facts.elements[size_t(i)];
        if (!e)
            continue;
        (facts.wishes.contains(*e) ? wished : other).append(QString(elementChar(*e)));
    }
    if (facts.wishes != ElementSet::all()) {
        if (!wished.isEmpty())
            numbers.append(QStringLiteral("用字五行") + wished.join(QStringLiteral("、")) + QStringLiteral("合所求"));
        if (!other.isEmpty())
            numbers.append(QStringLiteral("用字五行") + other.join(QStringLiteral("、")) + QStringLiteral("不在所求之中"));
    }
    return { meaning.join(QStringLiteral("；")) + QStringLiteral("。"), numbers.join(QStringLiteral("，")) + QStringLiteral("。") };
}

} // namespace tolvane
