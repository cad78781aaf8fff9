#pragma once

#include "data/Classics.h"
#include "data/Library.h"
#include "data/Outcome.h"
#include "naming/NameWords.h"
#include "numerology/ConfigSearch.h"
#include "numerology/Vocabulary.h"
#include "text/UserMessage.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>

namespace tolvane {

// The rules of the ranking, read from data/suggestions/ranking.tsv when the program is built: the points of
// every score part and the variety limits.
class RankingRules final {
public:
    // The rules as built into the program. Should one of their files not parse, the rules are empty and
    // problem() says which file and line: the suggestions then refuse to run.
    static const RankingRules &builtIn();
    // The texts of the files the rules are read from (data/suggestions/).
    struct Texts {
        QString ranking; // ranking.tsv
        QString characters; // name-characters.tsv
        QString leaning; // name-leaning.tsv
        QString particles; // particles.tsv
        QString dated; // dated-names.tsv
        QString famous; // famous-names.tsv
    };
    static Texts builtInTexts();
    // The rules read from such texts; problem() is the first file and line that is wrong.
    static RankingRules fromTexts(const Texts &texts);
    // Empty for rules read whole; otherwise what is wrong with their files.
    const QString &problem() const { return m_problem; }
    // Rules from the text of such a file: rule<TAB>points<TAB>reason lines, # comments. Nothing, with the line
    // that is wrong in error, when a line is malformed, a rule is unknown or listed twice, or one is missing.
    static std::optional<RankingRules> parse(const QString &text, QString *error = nullptr);

    int value(const QString &rule) const { return m_values.value(rule); }
    // The same values read once, for the score of tens of thousands of names.
    struct Weights {
        int gridsFull = 0, gridsHalf = 0, sancaiFull = 0, sancaiHalf = 0, pairingFull = 0, pairingHalf = 0;
        int elementsCharacter = 0, elementsPerson = 0;
        int soundClear = 0, soundWeak = 0, soundStrong = 0;
        int name = 0, nameEach = 0, nameCap = 0, word = 0, classic = 0, plain = 0, sex = 0;
        int current = 0, place = 0, position = 0, relaxedCharacter = 0;
    };
    const Weights &weights() const { return m_weights; }
    // Every rule the ranking reads.
    static QStringList names();

    // The points a character brings to a name by how it reads today (data/suggestions/name-characters.tsv:
    // character<TAB>points<TAB>reason, points -10..10); 0 for a character not listed.
    int taste(const QString &character) const { return m_tastes.value(character); }
    // The sex a character is kept for in suggested names (a fourth column 男 or 女: 宸 and 昊 for boys, 萱 and 婉 for
    // girls), beyond the library's own marks; none for either.
    std::optional<Sex> keptFor(const QString &character) const
    {
        const auto it = m_keptFor.constFind(character);
        return it == m_keptFor.constEnd() ? std::nullopt : std::optional<Sex>(*it);
    }
    // Reads such a file into the rules; false, with the line that is wrong in error, for a malformed line.
    bool readTastes(const QString &text, QString *error = nullptr);

    // How a character leans in names today beyond the library's sex marks (data/suggestions/name-leaning.tsv):
    // Girl, a character that makes a name read as a girl's though boys have it too (雨, 欣); Neutral, an elegant
    // character a girl's name may rest on (语, 安).
    enum class Leaning : quint8 { None, Girl, Neutral };
    Leaning leaning(const QString &character) const { return m_leanings.value(character, Leaning::None); }
    // Where a function word may not stand (data/suggestions/particles.tsv): the bits NotFirst and NotLast.
    enum ParticlePlace : quint8 { NotFirst = 1, NotLast = 2 };
    int particlePlaces(const QString &character) const { return m_particles.value(character); }
    // The points of a whole given name that reads dated today (data/suggestions/dated-names.tsv, -20..0).
    int datedPoints(char32_t first, char32_t second) const
    {
        return m_dated.value(characterPair(first, second));
    }
    // Each reads its file into the rules; false, with the line that is wrong in error, for a malformed line or
    // a character or pair listed twice.
    bool readLeanings(const QString &text, QString *error = nullptr);
    bool readParticles(const QString &text, QString *error = nullptr);
    bool readDatedNames(const QString &text, QString *error = nullptr);
    // Whole names a parent avoids because they are a famous person's (data/suggestions/famous-names.tsv: 王俊凯,
    // 司马光): the given names of such names with this surname, as pairs (second 0 for a one-character name).
    QSet<quint64> famousGivenNames(const QString &surname) const;
    // Reads that file; false, with the line that is wrong in error, for a malformed line or a name listed twice.
    bool readFamousNames(const QString &text, QString *error = nullptr);

private:
    QHash<QString, int> m_values;
    QHash<QString, int> m_tastes;
    QHash<QString, Sex> m_keptFor;
    QHash<QString, Leaning> m_leanings;
    QHash<QString, int> m_particles;
    QHash<quint64, int> m_dated;
    QSet<QString> m_famous;
    Weights m_weights;
    QString m_problem;
};

// How a whole name sounds, as far as the ranking needs it: the pinyin to show and the findings, each as a short
// Chinese line, strong (an unlucky or mocking homophone) or not.
struct SoundVerdict {
    QString pinyin;
    QStringList strong;
    QStringList weak;
};
// The check of a surname and a given name; none when the name's sound is not judged.
using SoundCheck = std::function<std::optional<SoundVerdict>(const QString &surname, const QString &given)>;

// What the parent asks for.
struct SuggestionRequest {
    QString surname; // one or two characters
    Sex sex = Sex::Male;
    int nameLength = 2; // 1 or 2
    ElementSet elements = ElementSet::all();
    bool fromLibrary = true;
    std::optional<ClassicSet> classics; // names from lines of these collections as well (or alone)
    int count = 50;
    QString exclude; // characters never to use
    QString include; // one character every name must have, or empty
    int minStrokes = 0; // per given-name character; 0: no bound
    int maxStrokes = 0;
};

// Where the suggestions read from.
struct SuggestionSources {
    Library library;
    ClassicsLibrary classics;
    QString wordsPath;
    SoundCheck sound; // none: the sound part stays unjudged
};

// One part of a name's score as the user sees it.
struct ScorePart {
    enum class Kind { Numerology, Elements, Sound, Meaning };
    Kind kind = Kind::Numerology;
    int points = 0;
    bool judged = true; // false: not judged (the sound without its check)
};
QString scorePartName(ScorePart::Kind kind);

struct SuggestedCharacter {
    QString character;
    int strokes = 0;
    QString element;
    QString meaning;
    QString pinyin; // the first reading of the library
};

struct SuggestedName {
    QString surname;
    QString given;
    QString pinyin;
    GoodConfiguration configuration;
    LuckLevel level = LuckLevel::Full; // the configuration's level: 全吉, or 半吉 only
    std::array<LuckLevel, 5> gridLuck {};
    LuckLevel sancaiLevel = LuckLevel::Full;
    LuckLevel pairLevel = LuckLevel::Full;
    QList<SuggestedCharacter> characters;
    NameWords::Kind wordKind = NameWords::Kind::None;
    bool inClassics = false; // a word of a line of the classics (or, from the classics alone, in a line)
    bool nameLike = false; // only the places its characters take in names speak for it
    std::optional<QString> verse; // the line it comes from, with its title and author
    QStringList soundFindings;
    int score = 0;
    QList<ScorePart> parts;
    QStringList reasons; // one or two short lines

    QString fullName() const { return surname + given; }
};

struct Suggestions {
    SuggestionRequest request;
    QList<SuggestedName> names;
    int fullConfigurations = 0;
    int halfConfigurations = 0; // searched only when the 全吉 ones gave too few names
    bool halfUsed = false;
    bool nameLikeUsed = false; // too few names: pairs whose characters each take their place in many names as well
    bool varietyRelaxed = false; // still too few: a character in more names (relax.character)
    int characterLimit = 0; // how many names a character stood in at most
    int girlsLeftOut = 0; // configurations left out because the analysis warns a woman of them
    int candidates = 0; // names that passed every wish, before the shortlist was cut
    bool soundJudged = false;
    std::optional<UserMessage> message; // a failure, or what to relax when nothing was found
    bool databaseFailed = false;
    // A list shorter than asked for: each wish that relaxed on its own gives a longer one (放宽五行要求), and how
    // many names that list has.
    struct Relaxation {
        QString wish;
        int names = 0;
    };
    QList<Relaxation> moreWith;
};

// Suggested names: every good configuration of the surname (全吉; 半吉 as well only when 全吉 gives too few), the
// given names the library (and, if asked, the classics) offers for them, scored by numerology, elements, sound
// and meaning, and cut to a shortlist in which no character comes back too often.
class NameSuggestions final {
public:
    // The request's problems that need no library: a surname not of one or two characters, a length other
    // than 1 or 2, no source, a count or stroke bound out of range.
    static std::optional<UserMessage> requestProblem(const SuggestionRequest &request);
    static Suggestions run(const SuggestionRequest &request, const SuggestionSources &sources,
        const RankingRules &rules = RankingRules::builtIn());
    // The same search without the look at relaxed wishes a short list gets (run adds moreWith).
    static Suggestions search(const SuggestionRequest &request, const SuggestionSources &sources,
        const RankingRules &rules = RankingRules::builtIn());

    // One name judged as the shortlist judges its names, for the comparison of names: its grids whatever their
    // luck, its characters as the library has them (fit for names or not), its score and reasons.
    static Outcome<SuggestedName> judge(const QString &surname, const QString &given, Sex sex,
        const ElementSet &wishes, const SuggestionSources &sources, const RankingRules &rules = RankingRules::builtIn());

    // The configurations searched for a request, in search order: the good ones at the level, less those the
    // name analysis would warn a woman of (their number added to leftOut).
    static QList<GoodConfiguration> configurations(
        const QList<qint16> &surnameStrokes, int nameLength, Sex sex, LuckLevel level, int *leftOut = nullptr);
};

} // namespace tolvane
