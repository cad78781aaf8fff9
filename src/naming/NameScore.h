#pragma once

#include "naming/NameSuggestions.h"
#include "naming/NameWords.h"
#include "numerology/FiveGrids.h"
#include "numerology/Vocabulary.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace tolvane {

// What the score of a whole name is made from.
struct NameFacts {
    FiveGrids grids;
    int givenCount = 2;
    Sex sex = Sex::Male;
    ElementSet wishes = ElementSet::all();
    std::array<QString, 2> characters;
    std::array<std::optional<Element>, 2> elements;
    std::array<std::optional<Sex>, 2> sexes; // none: fit for both
    std::array<int, 2> tastes {}; // how each character reads today (name-characters.tsv)
    NameWords::Entry word;
    bool inClassics = false; // a word of a line of the classics
    int dated = 0; // the points of a whole name that reads dated (dated-names.tsv)
    bool nameLike = false; // only the places its characters take in names speak for it
};

struct NameScore {
    int total = 0;
    std::array<ScorePart, 4> parts {}; // numerology, elements, sound, meaning
    LuckLevel sancaiLevel = LuckLevel::Bad;
    LuckLevel pairLevel = LuckLevel::Bad;
};

// The score of a name by the ranking rules; the sound part is unjudged without a verdict.
NameScore scoreName(const NameFacts &facts, const std::optional<SoundVerdict> &sound, const RankingRules &rules);
// The same score with the sound part judged (or left unjudged) anew.
NameScore rescoreWithSound(NameScore score, const std::optional<SoundVerdict> &sound, const RankingRules &rules);
// The reasons in one or two short Chinese lines: what the name means as a whole and how it sounds, then its
// numerology and elements.
QStringList scoreReasons(const NameFacts &facts, const NameScore &score, const std::optional<SoundVerdict> &sound);

} // namespace tolvane
