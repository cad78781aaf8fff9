#include "naming/NameSuggestions.h"

#include "data/ClassicsDatabase.h"
#include "data/NameDatabase.h"
#include "data/StrokeLookup.h"
#include "naming/ClassicNameSearch.h"
#include "naming/NameScore.h"
#include "numerology/LuckRules.h"
#include "text/Characters.h"
#include "text/VbText.h"

#include <QSet>

#include <algorithm>
#include <vector>

namespace tolvane {

// The text of data/suggestions/ranking.tsv, built into the program (RankingRulesText.cpp, generated).
extern const char16_t kRankingRulesText[];
extern const char16_t kNameCharactersText[];
extern const char16_t kNameLeaningText[];
extern const char16_t kParticlesText[];
extern const char16_t kDatedNamesText[];
extern const char16_t kFamousNamesText[];

namespace {

const QStringList &ruleNames()
{
    static const QStringList names { QStringLiteral("grids.full"), QStringLiteral("grids.half"),
        QStringLiteral("sancai.full"), QStringLiteral("sancai.half"), QStringLiteral("pairing.full"),
        QStringLiteral("pairing.half"), QStringLiteral("elements.character"), QStringLiteral("elements.person"),
        QStringLiteral("sound.clear"), QStringLiteral("sound.weak"), QStringLiteral("sound.strong"),
        QStringLiteral("meaning.name"), QStringLiteral("meaning.name.each"), QStringLiteral("meaning.name.cap"),
        QStringLiteral("meaning.word"), QStringLiteral("meaning.classic"), QStringLiteral("meaning.plain"),
        QStringLiteral("meaning.sex"), QStringLiteral("meaning.current"), QStringLiteral("meaning.place"), QStringLiteral("relax.position"),
        QStringLiteral("relax.character"),
        QStringLiteral("variety.character"), QStringLiteral("variety.first") };
    return names;
}

} // namespace

QStringList RankingRules::names()
{
    return ruleNames();
}

std::optional<RankingRules> RankingRules::parse(const QString &text, QString *error)
{
    RankingRules rules;
    const auto refuse = [error](const QString &why) {
        if (error)
            *error = why;
        return std::nullopt;
    };
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList fields = lines.at(i).split(QLatin1Char('\t'));
        bool number = false;
        const int value = fields.value(1).toInt(&number);
        const QString where = QStringLiteral("ranking.tsv:%1: ").arg(i + 1);
        if (fields.size() != 3 || !number || fields.at(2).trimmed().isEmpty())
            return refuse(where + QStringLiteral("expected rule<TAB>points<TAB>reason"));
        if (!ruleNames().contains(fields.at(0)))
            return refuse(where + QStringLiteral("unknown rule ") + fields.at(0));
        if (rules.m_values.contains(fields.at(0)))
            return refuse(where + QStringLiteral("rule listed twice: ") + fields.at(0));
        rules.m_values.insert(fields.at(0), value);
    }
    for (const QString &name : ruleNames()) {
        if (!rules.m_values.contains(name))
            return refuse(QStringLiteral("ranking.tsv: rule missing: ") + name);
    }
    if (rules.value(QStringLiteral("variety.character")) < 1 || rules.value(QStringLiteral("variety.first")) < 1)
        return refuse(QStringLiteral("ranking.tsv: the variety limits must be at least 1"));
    const auto v = [&rules](const char *name) { return rules.value(QLatin1String(name)); };
    rules.m_weights = { v("grids.full"), v("grids.half"), v("sancai.full"), v("sancai.half"), v("pairing.full"),
        v("pairing.half"), v("elements.character"), v("elements.person"), v("sound.clear"), v("sound.weak"),
        v("sound.strong"), v("meaning.name"), v("meaning.name.each"), v("meaning.name.cap"), v("meaning.word"),
        v("meaning.classic"), v("meaning.plain"), v("meaning.sex"), v("meaning.current"), v("meaning.place"), v("relax.position"),
        v("relax.character") };
    if (rules.m_weights.relaxedCharacter < rules.value(QStringLiteral("variety.character")))
        return refuse(QStringLiteral("ranking.tsv: relax.character must not be below variety.character"));
    return rules;
}

namespace {

// The lines of one of the character lists: fields split at tabs (three, or up to most), the third a reason, #
// comments and empty lines left out; false, with the file and line in error, when take refuses a line.
bool forEachListLine(const QString &text, const QString &file, QString *error,
    const std::function<bool(const QStringList &fields)> &take, const QString &expected, qsizetype most = 3)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList fields = lines.at(i).split(QLatin1Char('\t'));
        if (fields.size() < 3 || fields.size() > most || fields.at(2).trimmed().isEmpty() || !take(fields)) {
            if (error)
                *error = QStringLiteral("%1:%2: expected %3").arg(file).arg(i + 1).arg(expected);
            return false;
        }
    }
    return true;
}

// A list of single characters, each listed once with a value named by its second field (女 or 中; 首, 末 or 两端).
template <typename T>
bool readCharacterValues(const QString &text, const QString &file, QString *error, const QHash<QString, T> &named,
    const QString &expected, QHash<QString, T> &into)
{
    QHash<QString, T> read;
    const bool ok = forEachListLine(text, file, error,
        [&](const QStringList &f) {
            const auto value = named.constFind(f.at(1));
            if (splitCharacters(f.at(0)).size() != 1 || value == named.constEnd() || read.contains(f.at(0)))
                return false;
            read.insert(f.at(0), *value);
            return true;
        },
        expected);
    if (ok)
        into = read;
    return ok;
}

} // namespace

bool RankingRules::readTastes(const QString &text, QString *error)
{
    QHash<QString, int> tastes;
    QHash<QString, Sex> keptFor;
    const bool ok = forEachListLine(text, QStringLiteral("name-characters.tsv"), error,
        [&](const QStringList &f) {
            bool number = false;
            const int points = f.at(1).toInt(&number);
            const std::optional<Sex> sex = f.size() == 4 ? sexFromText(f.at(3).trimmed()) : std::nullopt;
            if ((f.size() == 4 && !sex) || splitCharacters(f.at(0)).size() != 1 || !number || points < -10
                || points > 10 || tastes.contains(f.at(0)))
                return false;
            tastes.insert(f.at(0), points);
            if (sex)
                keptFor.insert(f.at(0), *sex);
            return true;
        },
        QStringLiteral("a character listed once, points -10..10, the reason and perhaps 男 or 女"), 4);
    if (ok) {
        m_tastes = tastes;
        m_keptFor = keptFor;
    }
    return ok;
}

bool RankingRules::readLeanings(const QString &text, QString *error)
{
    static const QHash<QString, Leaning> named { { QStringLiteral("女"), Leaning::Girl },
        { QStringLiteral("中"), Leaning::Neutral } };
    return readCharacterValues(text, QStringLiteral("name-leaning.tsv"), error, named,
        QStringLiteral("a character listed once, 女 or 中 and the reason"), m_leanings);
}

bool RankingRules::readParticles(const QString &text, QString *error)
{
    static const QHash<QString, int> named { { QStringLiteral("首"), NotFirst }, { QStringLiteral("末"), NotLast },
        { QStringLiteral("两端"), NotFirst | NotLast } };
    return readCharacterValues(text, QStringLiteral("particles.tsv"), error, named,
        QStringLiteral("a character listed once, 首, 末 or 两端 and the reason"), m_particles);
}

bool RankingRules::readDatedNames(const QString &text, QString *error)
{
    QHash<quint64, int> dated;
    const bool ok = forEachListLine(text, QStringLiteral("dated-names.tsv"), error,
        [&](const QStringList &f) {
            const QList<uint> pair = f.at(0).toUcs4();
            bool number = false;
            const int points = f.at(1).toInt(&number);
            if (pair.size() != 2 || !number || points < -20 || points > 0)
                return false;
            const quint64 key = characterPair(pair.at(0), pair.at(1));
            if (dated.contains(key))
                return false;
            dated.insert(key, points);
            return true;
        },
        QStringLiteral("a pair listed once, points -20..0 and the reason"));
    if (ok)
        m_dated = dated;
    return ok;
}

bool RankingRules::readFamousNames(const QString &text, QString *error)
{
    QSet<QString> famous;
    const bool ok = forEachListLine(text, QStringLiteral("famous-names.tsv"), error,
        [&](const QStringList &f) {
            const int length = int(splitCharacters(f.at(0)).size());
            if (length < 2 || length > 4 || f.at(1).trimmed().isEmpty() || famous.contains(f.at(0)))
                return false;
            famous.insert(f.at(0));
            return true;
        },
        QStringLiteral("a whole name of two to four characters listed once, who bears it and the reason"));
    if (ok)
        m_famous = famous;
    return ok;
}

QSet<quint64> RankingRules::famousGivenNames(const QString &surname) const
{
    QSet<quint64> pairs;
    for (const QString &name : m_famous) {
        if (!name.startsWith(surname))
            continue;
        const QList<uint> given = name.mid(surname.size()).toUcs4();
        if (given.size() == 1 || given.size() == 2)
            pairs.insert(characterPair(given.at(0), given.size() == 2 ? given.at(1) : 0));
    }
    return pairs;
}

RankingRules::Texts RankingRules::builtInTexts()
{
    return { QString::fromUtf16(kRankingRulesText), QString::fromUtf16(kNameCharactersText),
        QString::fromUtf16(kNameLeaningText), QString::fromUtf16(kParticlesText), QString::fromUtf16(kDatedNamesText),
        QString::fromUtf16(kFamousNamesText) };
}

RankingRules RankingRules::fromTexts(const Texts &texts)
{
    QString error;
    std::optional<RankingRules> parsed = parse(texts.ranking, &error);
    RankingRules rules = parsed.value_or(RankingRules {});
    const bool read = parsed && rules.readTastes(texts.characters, &error) && rules.readLeanings(texts.leaning, &error)
        && rules.readParticles(texts.particles, &error) && rules.readDatedNames(texts.dated, &error)
        && rules.readFamousNames(texts.famous, &error);
    if (!read) {
        // Half a table would rank names without a word of warning: nothing is kept but what is wrong.
        rules = RankingRules {};
        rules.m_problem = error.isEmpty() ? QStringLiteral("unreadable") : error;
    }
    return rules;
}

const RankingRules &RankingRules::builtIn()
{
    static const RankingRules rules = fromTexts(builtInTexts());
    return rules;
}

QString scorePartName(ScorePart::Kind kind)
{
    switch (kind) {
    case ScorePart::Kind::Numerology:
        return QStringLiteral("数理");
    case ScorePart::Kind::Elements:
        return QStringLiteral("五行");
    case ScorePart::Kind::Sound:
        return QStringLiteral("读音");
    case ScorePart::Kind::Meaning:
        return QStringLiteral("字义");
    }
    return {};
}

std::optional<UserMessage> NameSuggestions::requestProblem(const SuggestionRequest &request)
{
    const qsizetype surname = splitCharacters(request.surname).size();
    if (surname < 1 || surname > 2)
        return UserMessage::warning(QStringLiteral("请输入一个或两个字的姓氏。"));
    if (request.nameLength != 1 && request.nameLength != 2)
        return UserMessage::warning(QStringLiteral("推荐名字只推荐单字名或双字名。"));
    if (!request.fromLibrary && !request.classics)
        return UserMessage::warning(QStringLiteral("请至少选择一个名字来源：字库或典籍。"));
    if (request.classics && request.classics->isEmpty())
        return UserMessage::warning(QStringLiteral("请至少选择一部典籍（诗经、论语、楚辞、唐诗、宋词）。"));
    if (request.count < 1 || request.count > 500)
        return UserMessage::warning(QStringLiteral("推荐名字的个数须在1到500之间。"));
    if (request.minStrokes < 0 || request.maxStrokes < 0 || request.minStrokes > 30 || request.maxStrokes > 30
        || (request.maxStrokes > 0 && request.minStrokes > request.maxStrokes))
        return UserMessage::warning(QStringLiteral("每个字的最少、最多笔画数须在1到30之间，且最少不大于最多。"));
    if (splitCharacters(request.include).size() > 1)
        return UserMessage::warning(QStringLiteral("必须用的字只能填一个字。"));
    return std::nullopt;
}

QList<GoodConfiguration> NameSuggestions::configurations(
    const QList<qint16> &surnameStrokes, int nameLength, Sex sex, LuckLevel level, int *leftOut)
{
    SearchInput input;
    input.surnameLength = int(surnameStrokes.size());
    input.surnameStrokes = { surnameStrokes.value(0), surnameStrokes.value(1) };
    input.nameLength = nameLength;
    input.sex = sex;
    input.luckLevel = level;
    QList<GoodConfiguration> found = ConfigSearch::everyGood(input);
    if (level == LuckLevel::Half) {
        // 半吉 or better, less what 全吉 already gave.
        found.removeIf([&](const GoodConfiguration &c) {
            return LuckRules::accepts(c.grids, nameLength, LuckLevel::Full, sex);
        });
    }
    if (sex == Sex::Female) {
        const qsizetype before = found.size();
        found.removeIf([](const GoodConfiguration &c) { return LuckRules::earthWarnsWomen(c.grids.dige); });
        if (leftOut)
            *leftOut += int(before - found.size());
    }
    return found;
}

namespace {

// A character the library offers, as the search weighs it.
struct Character {
    char32_t code = 0;
    SuggestedCharacter shown;
    std::optional<Element> element;
    std::optional<Sex> sex; // none: fit for both
    int taste = 0; // the rules' points for how it reads today
    std::optional<Sex> keptFor; // the rules keep it for this sex in suggested names
    RankingRules::Leaning leaning = RankingRules::Leaning::None;
    int particlePlaces = 0; // RankingRules::ParticlePlace bits
    // Where it stands in a pair that is neither a name nor a word (see Search::takesPlace), and whether it stands
    // there in enough names for a pair only the places speak for (relax.position); read once for every pair.
    bool placeFirst = false;
    bool placeSecond = false;
    bool oftenFirst = false;
    bool oftenSecond = false;
    qint64 rowid = 0; // its row in the library, for the reading and meaning of the names shown; 0: read already
    bool outsideLibrary = false; // a character the family asked for that the library does not offer for names
};

// Whether a name reads as one of the sex asked for: a girl's name needs a character that reads as a girl's or
// an elegant neutral one (or is a girl's name as a whole); a boy's name may not be made of characters that all
// read as a girl's.
bool readsAsSex(const Character &a, const Character *b, const NameWords::Entry &word, Sex sex)
{
    if (sex == Sex::Female) {
        const auto girlish = [](const Character &c) {
            return c.sex == Sex::Female || c.keptFor == Sex::Female || c.leaning != RankingRules::Leaning::None;
        };
        return word.sex == Sex::Female || girlish(a) || (b && girlish(*b));
    }
    return !(a.leaning == RankingRules::Leaning::Girl && (!b || b->leaning == RankingRules::Leaning::Girl));
}

// One name before the shortlist is cut.
struct Candidate {
    int config = 0; // index into the configurations searched
    LuckLevel level = LuckLevel::Full;
    int first = -1;
    int second = -1; // -1 for a one-character name
    NameWords::Entry word;
    bool inClassics = false; // the pair (or character) stands in a line of the chosen collections
    bool classicWord = false; // as a word of that line: only then does the line count for its meaning
    bool nameLike = false; // a pair that only the places its characters take in names speak for
    int dated = 0; // the points of a whole name that reads dated
    qint32 line = -1; // its best line in the collections
    NameScore score;
};

// A pair's (or a character's) best line in the chosen collections.
struct ClassicHit {
    qint32 line = -1;
    quint8 rank = 255;
    int preference = 0;
    std::optional<Sex> sex; // kept for one sex as a whole
};


QString firstReading(const QString &pinyin)
{
    return pinyin.section(QStringLiteral("、"), 0, 0).trimmed();
}

std::optional<Sex> sexOfColumn(const QString &sex)
{
    return sex == QStringLiteral("0") ? std::nullopt : sexFromText(sex);
}

Character characterOf(const NameDatabase::NameRow &row)
{
    Character c;
    const QList<uint> ucs4 = row.namechr.toUcs4();
    c.code = ucs4.size() == 1 ? char32_t(ucs4.first()) : 0;
    c.shown.character = row.namechr;
    c.shown.strokes = row.strokes;
    c.shown.element = row.wuxing;
    c.shown.meaning = row.meaning;
    if (!row.pinyin.isEmpty())
        c.shown.pinyin = firstReading(row.pinyin);
    c.element = row.wuxing.size() == 1 ? elementFromChar(row.wuxing.at(0)) : std::nullopt;
    c.sex = sexOfColumn(row.sex);
    return c;
}

QString verseText(const ClassicVerse &verse)
{
    QString title = classicName(verse.classic);
    if (!verse.title.isEmpty())
        title += QStringLiteral("·") + verse.title;
    QString from = QStringLiteral("《") + title + QStringLiteral("》");
    if (!verse.author.isEmpty())
        from += verse.author;
    return from + QStringLiteral("：") + verse.text;
}

// Whether a character takes the first (or last) place of a pair that is neither a name nor a word: it stands there
// in given names people use, and not far more often in the other place (萱, 妍 and 怡 end names, 锦 and 美 begin
// them).
bool takesPlace(const NameWords &words, char32_t c, bool first, const RankingRules &rules)
{
    const int here = first ? words.asFirst(c) : words.asSecond(c);
    const int there = first ? words.asSecond(c) : words.asFirst(c);
    return here >= 1 && here * rules.weights().place >= there;
}

// What the search reads once: the surname, the characters and the words.
struct Sources {
    QString surname;
    QList<qint16> surnameStrokes;
    QSet<char32_t> surnameCodes;
    std::vector<Character> characters;
    std::optional<int> included; // the index of the character every name must have
    NameWords words;
    QStringList surnamePinyin; // the library's first reading of each surname character
    QSet<quint64> famous; // the given names that with this surname are a famous person's name
};

// The wishes a search runs with: the request's, or relaxed.
struct Wishes {
    ElementSet elements;
    QSet<char32_t> exclude;
    std::optional<char32_t> include;
    int minStrokes = 0;
    int maxStrokes = 0;
    bool fromLibrary = true;
    std::optional<ClassicSet> classics;
    int nameLength = 2;
};

Wishes wishesOf(const SuggestionRequest &request)
{
    Wishes w;
    w.elements = request.elements;
    for (uint c : request.exclude.toUcs4())
        w.exclude.insert(char32_t(c));
    const QList<uint> include = request.include.toUcs4();
    if (!include.isEmpty())
        w.include = char32_t(include.first());
    w.minStrokes = request.minStrokes;
    w.maxStrokes = request.maxStrokes;
    w.fromLibrary = request.fromLibrary;
    w.classics = request.classics;
    w.nameLength = request.nameLength;
    return w;
}

class Search {
public:
    Search(const SuggestionRequest &request, const SuggestionSources &paths, const Sources &sources,
        const RankingRules &rules)
        : m_request(request)
        , m_paths(paths)
        , m_sources(sources)
        , m_rules(rules)
        , m_classicsDb(paths.classics.open())
    {
    }

    // The names of the configurations for the wishes; false when the classics cannot be read. Pairs that only
    // the places their characters take in names speak for are taken too, marked nameLike: the caller decides
    // whether the list needs them.
    bool collect(const Wishes &wishes, const QList<GoodConfiguration> &configs, int configOffset, LuckLevel level,
        std::vector<Candidate> &out)
    {
        const PairTable<ClassicHit> *classic = nullptr;
        if (wishes.classics) {
            classic = classicHits(*wishes.classics, wishes.nameLength);
            if (!classic)
                return false;
        }
        // The characters by stroke count that fit the wishes, in stored order, for each place: a function word
        // keeps out of the places it may not take, except in a name parents choose today (馨予, 芷若, 婉如), which
        // the pair loop below lets through.
        QHash<int, std::vector<int>> firstByStrokes;
        QHash<int, std::vector<int>> secondByStrokes;
        for (int i = 0; i < int(m_sources.characters.size()); ++i) {
            if (!fits(wishes, i))
                continue;
            const Character &c = m_sources.characters[size_t(i)];
            if (wishes.nameLength == 2 || bannedPlaces(wishes, i) == 0)
                firstByStrokes[c.shown.strokes].push_back(i);
            if (wishes.nameLength == 2)
                secondByStrokes[c.shown.strokes].push_back(i);
        }
        // The index of the character every name must have, or -1 (a plain int: GCC 12 cannot follow an optional
        // through the loops below).
        const int included = wishes.include && m_sources.included ? *m_sources.included : -1;
        if (wishes.include && included < 0)
            return true;
        if (included >= 0) {
            const int strokes = m_sources.characters[size_t(included)].shown.strokes;
            for (QHash<int, std::vector<int>> *places : { &firstByStrokes, &secondByStrokes }) {
                if (places == &secondByStrokes && wishes.nameLength == 1)
                    continue;
                std::vector<int> &same = (*places)[strokes];
                if (std::find(same.begin(), same.end(), included) == same.end())
                    same.push_back(included);
            }
        }
        const RankingRules::Weights &w = m_rules.weights();
        NameFacts facts;
        facts.sex = m_request.sex;
        facts.wishes = wishes.elements;
        facts.givenCount = wishes.nameLength;
        static const std::vector<int> noSecond { -1 };
        for (int k = 0; k < int(configs.size()); ++k) {
            const GoodConfiguration &config = configs.at(k);
            facts.grids = config.grids;
            const auto firstIt = firstByStrokes.constFind(config.strokes[0]);
            const auto secondIt = secondByStrokes.constFind(config.strokes[1]);
            if (firstIt == firstByStrokes.constEnd()
                || (wishes.nameLength == 2 && secondIt == secondByStrokes.constEnd()))
                continue;
            const std::vector<int> &seconds = wishes.nameLength == 2 ? *secondIt : noSecond;
            for (int a : *firstIt) {
                const Character &ca = m_sources.characters[size_t(a)];
                facts.elements[0] = ca.element;
                facts.sexes[0] = ca.sex;
                facts.tastes[0] = ca.taste;
                for (int b : seconds) {
                    if (included >= 0 && a != included && b != included)
                        continue;
                    Candidate c;
                    c.config = configOffset + k;
                    c.level = level;
                    c.first = a;
                    c.second = b;
                    const Character *cb = b >= 0 ? &m_sources.characters[size_t(b)] : nullptr;
                    if (cb) {
                        c.word = m_sources.words.find(ca.code, cb->code);
                        if (c.word.kind == NameWords::Kind::Unfit || (c.word.sex && *c.word.sex != m_request.sex))
                            continue;
                        // A doubled character is a name only where people use it as one (婷婷), not as a mere word
                        // (清清, 深深).
                        if (a == b && c.word.kind != NameWords::Kind::GivenName
                            && c.word.kind != NameWords::Kind::Current)
                            continue;
                        if (((bannedPlaces(wishes, a) & RankingRules::NotFirst) || (bannedPlaces(wishes, b) & RankingRules::NotLast))
                            && c.word.kind != NameWords::Kind::Current)
                            continue;
                        facts.elements[1] = cb->element;
                        facts.sexes[1] = cb->sex;
                        facts.tastes[1] = cb->taste;
                    }
                    if (!readsAsSex(ca, cb, c.word, m_request.sex))
                        continue;
                    if (m_sources.famous.contains(characterPair(ca.code, cb ? cb->code : 0)))
                        continue;
                    if (classic) {
                        const ClassicHit *hit = classic->find(characterPair(ca.code, cb ? cb->code : 0));
                        if (hit) {
                            // A pair the collections keep for the other sex as a whole is not offered at all.
                            if (hit->sex && *hit->sex != m_request.sex)
                                continue;
                            c.inClassics = true;
                            c.classicWord = hit->rank == 0;
                            c.line = hit->line;
                        }
                        if (!wishes.fromLibrary && !c.inClassics)
                            continue;
                    }
                    // Two characters that merely fit the strokes make a name when both are characters parents
                    // choose today; otherwise they read as a random pair (然少, 博中), unless both read as the
                    // sex's own and each takes its place in names people use (雅 first, 丹 last): such pairs come
                    // only when the list is short.
                    // Two characters that merely stand side by side in a line are no more, unless the names are
                    // to come from the classics alone.
                    const bool recognised = c.word.kind == NameWords::Kind::GivenName
                        || c.word.kind == NameWords::Kind::Current || c.word.kind == NameWords::Kind::Word
                        || c.classicWord || (!wishes.fromLibrary && c.inClassics);
                    if (cb && !recognised && a != included && b != included) {
                        if (!ca.placeFirst || !cb->placeSecond)
                            continue;
                        if (ca.taste < w.plain || cb->taste < w.plain) {
                            if (ca.taste < 0 || cb->taste < 0 || !ownSex(ca) || !ownSex(*cb) || !ca.oftenFirst
                                || !cb->oftenSecond)
                                continue;
                            c.nameLike = true;
                        }
                    }
                    if (cb)
                        c.dated = m_rules.datedPoints(ca.code, cb->code);
                    facts.word = c.word;
                    facts.inClassics = c.classicWord;
                    facts.dated = c.dated;
                    c.score = scoreName(facts, std::nullopt, m_rules);
                    out.push_back(c);
                }
            }
        }
        return true;
    }

    // The places a function word may not take (RankingRules::ParticlePlace bits); none for the family's character
    // while the wishes still ask for it.
    int bannedPlaces(const Wishes &wishes, int index) const
    {
        const bool family = wishes.include && m_sources.included && index == *m_sources.included;
        return family ? 0 : m_sources.characters[size_t(index)].particlePlaces;
    }

    // A character that by itself reads as the sex asked for: marked for it, or for girls an elegant one.
    bool ownSex(const Character &c) const
    {
        if (c.sex == m_request.sex || c.keptFor == m_request.sex)
            return true;
        return m_request.sex == Sex::Female ? c.leaning != RankingRules::Leaning::None
                                            : c.leaning == RankingRules::Leaning::Neutral;
    }

    // The line a name comes from, as the list shows it.
    QString verse(qint32 line)
    {
        if (line < 0 || !openClassics())
            return {};
        const std::optional<ClassicsDatabase::Verse> v = m_classicsDb.verse(line);
        return v ? verseText({ v->classic, v->title, v->author, v->text }) : QString();
    }

private:
    bool openClassics() const { return m_classicsDb.isOpen(); }

    bool fits(const Wishes &wishes, int index) const
    {
        const Character &c = m_sources.characters[size_t(index)];
        if (wishes.include && m_sources.included && index == *m_sources.included)
            return true; // the family's choice: its element, sex and strokes are not asked about
        if (c.outsideLibrary || !c.code || m_sources.surnameCodes.contains(c.code) || wishes.exclude.contains(c.code))
            return false;
        if ((c.sex && *c.sex != m_request.sex) || (c.keptFor && *c.keptFor != m_request.sex))
            return false;
        if (!c.element || !wishes.elements.contains(*c.element))
            return false;
        if (wishes.minStrokes > 0 && c.shown.strokes < wishes.minStrokes)
            return false;
        return wishes.maxStrokes <= 0 || c.shown.strokes <= wishes.maxStrokes;
    }

    // The best line of every pair (or, for one-character names, every character) of the collections, read at
    // once and kept for the next search with the same collections; none when classics.db cannot be read. The
    // best line is one where the pair is a word, in the most preferred collection.
    const PairTable<ClassicHit> *classicHits(ClassicSet classics, int nameLength)
    {
        if (m_hitsRead && m_hitsClassics == classics && m_hitsLength == nameLength)
            return &m_hits;
        m_hits.clear();
        m_hitsRead = false;
        if (!openClassics()) {
            m_failure = ClassicsDatabase::failureMessage();
            return nullptr;
        }
        const auto keep = [this](quint64 key, const ClassicsDatabase::Link &link) {
            ClassicHit hit { link.line, link.rank, classicPreference(link.classic),
                link.sex == ClassicsDatabase::PairSex::Male ? std::optional<Sex>(Sex::Male)
                    : link.sex == ClassicsDatabase::PairSex::Female ? std::optional<Sex>(Sex::Female)
                                                                    : std::nullopt };
            if (key == 0)
                return; // a row without characters
            const bool first = !m_hits.contains(key);
            ClassicHit &it = m_hits[key];
            if (first) {
                it = hit;
                return;
            }
            if (!hit.sex)
                hit.sex = it.sex;
            if (std::tuple(hit.rank != 0, hit.preference, hit.rank, hit.line)
                < std::tuple(it.rank != 0, it.preference, it.rank, it.line))
                it = hit;
            else
                it.sex = hit.sex;
        };
        bool read = false;
        if (nameLength == 2) {
            std::vector<std::pair<char32_t, ClassicsDatabase::Link>> pairs;
            read = m_classicsDb.everyPair(classics, pairs);
            for (const auto &[first, link] : pairs)
                keep(characterPair(first, link.other), link);
        } else {
            std::vector<ClassicsDatabase::Link> singles;
            read = m_classicsDb.everySingle(classics, singles);
            for (const ClassicsDatabase::Link &link : singles)
                keep(characterPair(link.other, 0), link);
        }
        if (!read) {
            m_hits.clear();
            m_failure = ClassicsDatabase::failureMessage();
            return nullptr;
        }
        m_hitsRead = true;
        m_hitsClassics = classics;
        m_hitsLength = nameLength;
        return &m_hits;
    }

public:
    std::optional<UserMessage> m_failure;

private:
    const SuggestionRequest &m_request;
    const SuggestionSources &m_paths;
    const Sources &m_sources;
    const RankingRules &m_rules;
    ClassicsDatabase m_classicsDb;
    PairTable<ClassicHit> m_hits;
    bool m_hitsRead = false;
    ClassicSet m_hitsClassics;
    int m_hitsLength = 0;
};

bool better(const Candidate &a, const Candidate &b)
{
    if (a.score.total != b.score.total)
        return a.score.total > b.score.total;
    return std::tie(a.config, a.first, a.second) < std::tie(b.config, b.first, b.second);
}

// The shortlist as it is drawn, best first: no character in more than perCharacter names (variety.character, or
// relax.character when the list is short), no first character in more than a variety.first-th of the list (of
// `length` names: the count asked for, or what a short list holds). The character the family asked for stands in
// every name: the limits are for the others.
class Shortlist {
public:
    Shortlist(int length, const RankingRules &rules, int included, int perCharacter)
        : m_perCharacter(perCharacter)
        , m_perFirst(std::max(1, length / rules.value(QStringLiteral("variety.first"))))
        , m_included(included)
    {
    }
    // Takes the name unless it would break a limit.
    bool offer(const Candidate &c)
    {
        const bool firstCounts = c.first != m_included;
        const bool secondCounts = c.second >= 0 && c.second != c.first && c.second != m_included;
        if ((firstCounts && (m_uses.value(c.first) >= m_perCharacter || m_firstUses.value(c.first) >= m_perFirst))
            || (secondCounts && m_uses.value(c.second) >= m_perCharacter))
            return false;
        if (firstCounts) {
            ++m_uses[c.first];
            ++m_firstUses[c.first];
        }
        if (secondCounts)
            ++m_uses[c.second];
        ++m_taken;
        return true;
    }
    int size() const { return m_taken; }

private:
    int m_perCharacter;
    int m_perFirst;
    int m_included;
    QHash<int, int> m_uses;
    QHash<int, int> m_firstUses;
    int m_taken = 0;
};

NameFacts factsOf(const Candidate &c, const GoodConfiguration &config, const Sources &sources,
    const SuggestionRequest &request)
{
    NameFacts facts;
    facts.grids = config.grids;
    facts.givenCount = c.second >= 0 ? 2 : 1;
    facts.sex = request.sex;
    facts.wishes = request.elements;
    const Character &a = sources.characters[size_t(c.first)];
    facts.characters[0] = a.shown.character;
    facts.elements[0] = a.element;
    facts.sexes[0] = a.sex;
    facts.tastes[0] = a.taste;
    if (c.second >= 0) {
        const Character &b = sources.characters[size_t(c.second)];
        facts.characters[1] = b.shown.character;
        facts.elements[1] = b.element;
        facts.sexes[1] = b.sex;
        facts.tastes[1] = b.taste;
    }
    facts.word = c.word;
    facts.inClassics = c.classicWord;
    facts.dated = c.dated;
    facts.nameLike = c.nameLike;
    return facts;
}

// One list drawn for a set of wishes: the configurations searched, the names judged in the order they were drawn
// and those chosen, and how the list was loosened.
struct Drawing {
    QList<GoodConfiguration> configs;
    std::vector<Candidate> sorted;
    std::vector<size_t> chosen; // indexes into sorted, best first
    int fullConfigurations = 0;
    int halfConfigurations = 0;
    bool halfUsed = false;
    bool nameLikeUsed = false;
    bool varietyRelaxed = false;
    int characterLimit = 0;
    int girlsLeftOut = 0;
    int candidates = 0;
};

// Draws the list for the request's wishes and, with the same loaded sources, for each wish relaxed on its own: the
// characters, the words, the classics' pairs, the configurations and every name's sound are read once a run.
class Drawer {
public:
    Drawer(const SuggestionRequest &request, const SuggestionSources &paths, const Sources &sources,
        const RankingRules &rules)
        : m_request(request)
        , m_paths(paths)
        , m_sources(sources)
        , m_rules(rules)
        , m_search(request, paths, sources, rules)
    {
    }

    // The list for the wishes; false when the classics cannot be read (failure()).
    bool draw(const Wishes &wishes, Drawing &d)
    {
        const SuggestionRequest &req = m_request;
        // 全吉 first; 半吉 too only when 全吉 gives too few names.
        d.configs = configurations(wishes.nameLength, LuckLevel::Full, d.girlsLeftOut);
        d.fullConfigurations = int(d.configs.size());
        std::vector<Candidate> candidates;
        if (!m_search.collect(wishes, d.configs, 0, LuckLevel::Full, candidates))
            return false;
        // Too few: fewer names that people use or that are words than asked for. Two characters that merely fit
        // the strokes are no name a parent would read far for; the 半吉 configurations bring real names instead.
        const auto recognised = [](const Candidate &c) {
            return c.word.kind == NameWords::Kind::GivenName || c.word.kind == NameWords::Kind::Current
                || c.word.kind == NameWords::Kind::Word || c.classicWord;
        };
        if (std::count_if(candidates.begin(), candidates.end(), recognised) < req.count) {
            const QList<GoodConfiguration> &half = configurations(wishes.nameLength, LuckLevel::Half, d.girlsLeftOut);
            d.halfConfigurations = int(half.size());
            d.halfUsed = !half.isEmpty();
            if (!m_search.collect(wishes, half, int(d.configs.size()), LuckLevel::Half, candidates))
                return false;
            d.configs += half;
        }

        // The list, loosened step by step while it is shorter than asked for: first pairs that only the places
        // their characters take in names speak for, then a character in a few more names.
        const int included = wishes.include && m_sources.included ? *m_sources.included : -1;
        // The names are drawn best first. A name's sound can add at most sound.clear to its score and may take
        // much away, so the sound is judged only for names that can still reach the list: a name is drawn once
        // its score with the sound beats what any name not yet judged could reach.
        const auto pick = [&](bool nameLike, int perCharacter, int length) {
            std::vector<Candidate> pool;
            pool.reserve(candidates.size());
            for (const Candidate &c : candidates) {
                if (nameLike || !c.nameLike)
                    pool.push_back(c);
            }
            d.candidates = int(pool.size());
            const auto worse = [](const Candidate &a, const Candidate &b) { return better(b, a); };
            std::make_heap(pool.begin(), pool.end(), worse);
            std::vector<Candidate> judged;
            const int lift = m_paths.sound ? std::max(0, m_rules.weights().soundClear) : 0;
            Shortlist list(length, m_rules, included, perCharacter);
            d.sorted.clear();
            d.chosen.clear();
            while (list.size() < req.count && (!pool.empty() || !judged.empty())) {
                if (!judged.empty()
                    && (pool.empty() || judged.front().score.total > pool.front().score.total + lift)) {
                    std::pop_heap(judged.begin(), judged.end(), worse);
                    d.sorted.push_back(judged.back());
                    judged.pop_back();
                    if (list.offer(d.sorted.back()))
                        d.chosen.push_back(d.sorted.size() - 1);
                    continue;
                }
                std::pop_heap(pool.begin(), pool.end(), worse);
                Candidate c = pool.back();
                pool.pop_back();
                const std::optional<SoundVerdict> &verdict = sound(c);
                // A name that sounds like an insult or an ill omen (孙子涵) is never offered, not even to fill a
                // short list.
                if (verdict && !verdict->strong.isEmpty())
                    continue;
                c.score = rescoreWithSound(c.score, verdict, m_rules);
                judged.push_back(c);
                std::push_heap(judged.begin(), judged.end(), worse);
            }
        };
        const RankingRules::Weights &weights = m_rules.weights();
        const int perCharacter = m_rules.value(QStringLiteral("variety.character"));
        pick(false, perCharacter, req.count);
        if (int(d.chosen.size()) < req.count
            && std::any_of(candidates.begin(), candidates.end(), [](const Candidate &c) { return c.nameLike; })) {
            d.nameLikeUsed = true;
            pick(true, perCharacter, req.count);
        }
        if (int(d.chosen.size()) < req.count && weights.relaxedCharacter > perCharacter) {
            const size_t before = d.chosen.size();
            pick(d.nameLikeUsed, weights.relaxedCharacter, req.count);
            d.varietyRelaxed = d.chosen.size() > before;
            if (!d.varietyRelaxed)
                pick(d.nameLikeUsed, perCharacter, req.count);
        }
        d.characterLimit = d.varietyRelaxed ? weights.relaxedCharacter : perCharacter;
        // A short list keeps a full list's variety: no first character in more than a variety.first-th of the
        // names it holds (孙 for a girl: not five of thirteen names beginning with 薇), though always in two: a list
        // of a few names is not cut to a handful with every first character different. Drawn again with the limit
        // of its own length until that holds; each draw is shorter, so this ends.
        const int firstShare = m_rules.value(QStringLiteral("variety.first"));
        for (int length = int(d.chosen.size()); length < req.count;) {
            const int perFirst = std::max(2, length / firstShare);
            QHash<int, int> firsts;
            int most = 0;
            for (size_t i : d.chosen) {
                if (d.sorted[i].first != included)
                    most = std::max(most, ++firsts[d.sorted[i].first]);
            }
            if (most <= perFirst)
                break;
            pick(d.nameLikeUsed, d.characterLimit, perFirst * firstShare);
            length = int(d.chosen.size());
            // The shorter list may no longer need a character in more names than usual.
            if (d.varietyRelaxed) {
                QHash<int, int> uses;
                for (size_t i : d.chosen) {
                    const Candidate &c = d.sorted[i];
                    if (c.first != included)
                        ++uses[c.first];
                    if (c.second >= 0 && c.second != c.first && c.second != included)
                        ++uses[c.second];
                }
                d.varietyRelaxed = std::any_of(uses.cbegin(), uses.cend(), [&](int n) { return n > perCharacter; });
                d.characterLimit = d.varietyRelaxed ? weights.relaxedCharacter : perCharacter;
            }
        }
        return true;
    }

    // How a name sounds, judged once a run whichever list draws it; none without the sound check.
    const std::optional<SoundVerdict> &sound(const Candidate &c)
    {
        const Character &a = m_sources.characters[size_t(c.first)];
        const Character *b = c.second >= 0 ? &m_sources.characters[size_t(c.second)] : nullptr;
        const quint64 key = characterPair(a.code, b ? b->code : 0);
        auto it = m_soundOf.constFind(key);
        if (it == m_soundOf.constEnd()) {
            const QString given = a.shown.character + (b ? b->shown.character : QString());
            it = m_soundOf.insert(key, m_paths.sound ? m_paths.sound(m_request.surname, given) : std::nullopt);
        }
        return *it;
    }

    Search &search() { return m_search; }

private:
    // The good configurations of a length and level, searched once a run; leftOut grows by the girls' ones
    // left out.
    const QList<GoodConfiguration> &configurations(int nameLength, LuckLevel level, int &leftOut)
    {
        const int key = nameLength * 4 + int(level);
        auto it = m_configs.find(key);
        if (it == m_configs.end()) {
            int girls = 0;
            QList<GoodConfiguration> found
                = NameSuggestions::configurations(m_sources.surnameStrokes, nameLength, m_request.sex, level, &girls);
            it = m_configs.insert(key, { found, girls });
        }
        leftOut += it->second;
        return it->first;
    }

    const SuggestionRequest &m_request;
    const SuggestionSources &m_paths;
    const Sources &m_sources;
    const RankingRules &m_rules;
    Search m_search;
    QHash<quint64, std::optional<SoundVerdict>> m_soundOf;
    QHash<int, std::pair<QList<GoodConfiguration>, int>> m_configs;
};

// Each wish of the request relaxed on its own, with the words that name it, in the order the user reads them.
QList<std::pair<QString, SuggestionRequest>> relaxedRequests(const SuggestionRequest &request)
{
    QList<std::pair<QString, SuggestionRequest>> relaxed;
    const auto add = [&](const QString &what, const std::function<void(SuggestionRequest &)> &change) {
        SuggestionRequest r = request;
        change(r);
        relaxed.append({ what, r });
    };
    if (request.elements != ElementSet::all())
        add(QStringLiteral("放宽五行要求"), [](SuggestionRequest &r) { r.elements = ElementSet::all(); });
    if (!request.include.isEmpty()) {
        add(QStringLiteral("不指定必须用的“") + request.include + QStringLiteral("”字"),
            [](SuggestionRequest &r) { r.include.clear(); });
    }
    if (!request.exclude.isEmpty()) {
        QString excluded;
        for (const QString &c : splitCharacters(request.exclude))
            excluded += QStringLiteral("“") + c + QStringLiteral("”");
        add(QStringLiteral("不排除") + excluded, [](SuggestionRequest &r) { r.exclude.clear(); });
    }
    if (request.minStrokes > 0 || request.maxStrokes > 0)
        add(QStringLiteral("不限笔画数"), [](SuggestionRequest &r) { r.minStrokes = r.maxStrokes = 0; });
    if (!request.fromLibrary && request.classics && !request.classics->isAll())
        add(QStringLiteral("多选几部典籍"), [](SuggestionRequest &r) { r.classics = ClassicSet::all(); });
    if (!request.fromLibrary)
        add(QStringLiteral("同时从字库选字"), [](SuggestionRequest &r) { r.fromLibrary = true; });
    add(request.nameLength == 2 ? QStringLiteral("改起单字名") : QStringLiteral("改起双字名"),
        [](SuggestionRequest &r) { r.nameLength = r.nameLength == 2 ? 1 : 2; });
    return relaxed;
}

// Each wish relaxed on its own and the length of the list it gives: the list the request so relaxed would show,
// drawn on what the run has loaded. Nothing when the classics cannot be read.
std::optional<QList<Suggestions::Relaxation>> relaxedLists(const SuggestionRequest &request, Drawer &drawer)
{
    QList<Suggestions::Relaxation> lists;
    for (const auto &[what, relaxed] : relaxedRequests(request)) {
        Drawing d;
        if (!drawer.draw(wishesOf(relaxed), d))
            return std::nullopt;
        lists.append({ what, int(d.chosen.size()) });
    }
    return lists;
}

// Nothing found: each wish relaxed on its own, and what it would give.
UserMessage whatToRelax(const QList<Suggestions::Relaxation> &lists)
{
    QStringList offers;
    for (const Suggestions::Relaxation &list : lists) {
        if (list.names > 0)
            offers.append(QStringLiteral("%1可得 %2 个名字").arg(list.wish).arg(list.names));
    }
    QString text = QStringLiteral("对不起，按您的要求没有找出任何名字。");
    if (offers.isEmpty())
        text += QStringLiteral("只放宽其中一项要求也找不出名字，请同时放宽几项要求再试试。");
    else
        text += offers.join(QStringLiteral("；")) + QStringLiteral("。");
    return UserMessage::warning(text);
}

// What the user is told when the ranking's own files, built into the program, do not parse.
UserMessage brokenRulesMessage(const RankingRules &rules)
{
    return UserMessage::warning(QStringLiteral("本程序内置的推荐名字规则有误（") + rules.problem()
        + QStringLiteral("），无法推荐或评判名字。请重新安装本程序。"));
}

// What the user is told when the list of name words installed with the program cannot be read (badLine as
// NameWords::read gives it).
UserMessage wordsMessage(int badLine)
{
    const QString file = QStringLiteral("名字词表") + NameWords::fileName();
    const QString what = badLine == 0 ? QStringLiteral("找不到") + file
        : badLine < 0                 ? file + QStringLiteral("没有内容")
                                      : file + QStringLiteral("第 %1 行有误").arg(badLine);
    return UserMessage::warning(what + QStringLiteral("，无法推荐或评判名字。请重新安装本程序。"));
}

// The suggested names; with moreWith a list shorter than asked for says what each wish relaxed would give.
Suggestions suggestNames(
    const SuggestionRequest &request, const SuggestionSources &paths, const RankingRules &rules, bool moreWith);

} // namespace

Suggestions NameSuggestions::run(
    const SuggestionRequest &request, const SuggestionSources &paths, const RankingRules &rules)
{
    return suggestNames(request, paths, rules, true);
}

Suggestions NameSuggestions::search(
    const SuggestionRequest &request, const SuggestionSources &paths, const RankingRules &rules)
{
    return suggestNames(request, paths, rules, false);
}

namespace {

Suggestions suggestNames(
    const SuggestionRequest &request, const SuggestionSources &paths, const RankingRules &rules, bool moreWith)
{
    Suggestions result;
    result.request = request;
    result.request.surname = trimSpaces(request.surname);
    if ((result.message = NameSuggestions::requestProblem(result.request)))
        return result;
    if (!rules.problem().isEmpty()) {
        result.message = brokenRulesMessage(rules);
        return result;
    }
    const SuggestionRequest &req = result.request;

    // The surname's strokes, the characters, the words.
    Sources sources;
    sources.surname = req.surname;
    sources.famous = rules.famousGivenNames(req.surname);
    // One connection for the whole search: the surname's strokes, the characters, and at the end the readings
    // and meanings of the names shown only.
    NameDatabase db = paths.library.open({ DbTable::Name });
    {
        if (auto failure = db.failure()) {
            result.message = failure->message();
            result.databaseFailed = true;
            return result;
        }
        const Outcome<QList<int>> strokes = StrokeLookup::strokesOfName(db, req.surname);
        if (!strokes.value) {
            result.message = strokes.message();
            result.databaseFailed = strokes.databaseFailed;
            return result;
        }
        for (int s : *strokes.value)
            sources.surnameStrokes.append(qint16(s));
        for (uint c : req.surname.toUcs4())
            sources.surnameCodes.insert(char32_t(c));
        const std::optional<QList<NameDatabase::NameKey>> rows = db.nameKeys();
        if (!rows) {
            result.message = DatabaseFailure::unreadable().message();
            result.databaseFailed = true;
            return result;
        }
        for (const QString &ch : splitCharacters(req.surname)) {
            const std::optional<QList<NameDatabase::LibraryRow>> known = db.rowsOf(ch);
            sources.surnamePinyin.append(known && !known->isEmpty() ? firstReading(known->constFirst().pinyin) : QString());
        }
        sources.characters.reserve(size_t(rows->size()) + 1);
        for (const NameDatabase::NameKey &row : *rows) {
            sources.characters.push_back(characterOf({ row.namechr, row.strokes, row.wuxing, row.sex, {}, {} }));
            sources.characters.back().rowid = row.rowid;
            Character &c = sources.characters.back();
            c.taste = rules.taste(row.namechr);
            c.keptFor = rules.keptFor(row.namechr);
            c.leaning = rules.leaning(row.namechr);
            c.particlePlaces = rules.particlePlaces(row.namechr);
        }
        if (!req.include.isEmpty()) {
            const auto it = std::find_if(sources.characters.begin(), sources.characters.end(),
                [&](const Character &c) { return c.shown.character == req.include; });
            if (it != sources.characters.end()) {
                sources.included = int(it - sources.characters.begin());
            } else {
                // A character the library does not offer on its own (a generation name of the family) is still
                // taken when the library knows its strokes.
                const std::optional<QList<NameDatabase::LibraryRow>> known = db.rowsOf(req.include);
                if (!known) {
                    result.message = DatabaseFailure::unreadable().message();
                    result.databaseFailed = true;
                    return result;
                }
                if (known->isEmpty()) {
                    result.message = UserMessage::warning(
                        QStringLiteral("字库中没有“") + req.include + QStringLiteral("”字，无法用它起名。"));
                    return result;
                }
                const NameDatabase::LibraryRow &row = known->constFirst();
                sources.characters.push_back(characterOf(
                    { row.namechr, qint16(row.strokes.toInt()), row.wuxing, QStringLiteral("0"), row.pinyin,
                        row.meaning }));
                sources.characters.back().taste = rules.taste(row.namechr);
                sources.characters.back().outsideLibrary = true;
                sources.included = int(sources.characters.size() - 1);
            }
        }
    }
    int badLine = 0;
    std::optional<NameWords> words = NameWords::read(paths.wordsPath, &badLine);
    if (!words) {
        result.message = wordsMessage(badLine);
        result.databaseFailed = true;
        return result;
    }
    sources.words = std::move(*words);
    for (Character &c : sources.characters) {
        c.placeFirst = takesPlace(sources.words, c.code, true, rules);
        c.placeSecond = takesPlace(sources.words, c.code, false, rules);
        c.oftenFirst = sources.words.asFirst(c.code) >= rules.weights().position;
        c.oftenSecond = sources.words.asSecond(c.code) >= rules.weights().position;
    }

    const Wishes wishes = wishesOf(req);
    Drawer drawer(req, paths, sources, rules);
    Drawing drawn;
    if (!drawer.draw(wishes, drawn)) {
        result.message = drawer.search().m_failure;
        result.databaseFailed = true;
        return result;
    }
    const QList<GoodConfiguration> &configs = drawn.configs;
    const std::vector<Candidate> &sorted = drawn.sorted;
    const std::vector<size_t> &chosen = drawn.chosen;
    result.fullConfigurations = drawn.fullConfigurations;
    result.halfConfigurations = drawn.halfConfigurations;
    result.halfUsed = drawn.halfUsed;
    result.nameLikeUsed = drawn.nameLikeUsed;
    result.varietyRelaxed = drawn.varietyRelaxed;
    result.characterLimit = drawn.characterLimit;
    result.girlsLeftOut = drawn.girlsLeftOut;
    result.candidates = drawn.candidates;
    result.soundJudged = bool(paths.sound);
    Search &search = drawer.search();
    // The readings and meanings of the characters shown.
    {
        QList<qint64> rowids;
        for (size_t i : chosen) {
            for (int k : { sorted[i].first, sorted[i].second }) {
                if (k >= 0 && sources.characters[size_t(k)].rowid > 0)
                    rowids.append(sources.characters[size_t(k)].rowid);
            }
        }
        const std::optional<QHash<qint64, std::pair<QString, QString>>> texts = db.readingsAndMeanings(rowids);
        if (!texts) {
            result.message = DatabaseFailure::unreadable().message();
            result.databaseFailed = true;
            return result;
        }
        for (Character &c : sources.characters) {
            const auto it = texts->constFind(c.rowid);
            if (c.rowid > 0 && it != texts->constEnd()) {
                c.shown.pinyin = firstReading(it->first);
                c.shown.meaning = it->second;
            }
        }
    }
    for (size_t i : chosen) {
        const Candidate &c = sorted[i];
        SuggestedName name;
        name.surname = req.surname;
        const Character &a = sources.characters[size_t(c.first)];
        name.characters.append(a.shown);
        name.given = a.shown.character;
        if (c.second >= 0) {
            const Character &b = sources.characters[size_t(c.second)];
            name.characters.append(b.shown);
            name.given += b.shown.character;
        }
        name.configuration = configs.at(c.config);
        name.level = c.level;
        const std::array<qint16, 5> grids = name.configuration.grids.list();
        for (size_t g = 0; g < 5; ++g)
            name.gridLuck[g] = LuckRules::luckClass(grids[g]);
        name.sancaiLevel = c.score.sancaiLevel;
        name.pairLevel = c.score.pairLevel;
        name.wordKind = c.word.kind;
        name.inClassics = c.classicWord || (!req.fromLibrary && c.inClassics);
        name.nameLike = c.nameLike;
        // The line is shown where the pair is a word of it, or where the names are to come from the classics.
        if (name.inClassics) {
            const QString verse = search.verse(c.line);
            if (!verse.isEmpty())
                name.verse = verse;
        }
        const std::optional<SoundVerdict> sound = drawer.sound(c);
        if (sound) {
            name.pinyin = sound->pinyin;
            name.soundFindings = sound->strong + sound->weak;
        }
        if (name.pinyin.isEmpty()) {
            // Without the sound check: the library's first reading of each character.
            QStringList syllables = sources.surnamePinyin;
            for (const SuggestedCharacter &ch : std::as_const(name.characters))
                syllables.append(ch.pinyin);
            name.pinyin = syllables.join(QLatin1Char(' '));
        }
        name.score = c.score.total;
        name.parts = QList<ScorePart>(c.score.parts.begin(), c.score.parts.end());
        name.reasons = scoreReasons(factsOf(c, name.configuration, sources, req), c.score, sound);
        result.names.append(name);
    }


    // Nothing found, or (asked for) fewer names than asked for: what each wish relaxed on its own would give.
    const bool empty = result.names.isEmpty();
    if (empty || (moreWith && result.names.size() < req.count)) {
        const std::optional<QList<Suggestions::Relaxation>> lists = relaxedLists(req, drawer);
        if (!lists) {
            // The classics a relaxed wish reads could not be read: a list found stays, without the offers; an
            // empty one says what failed.
            if (empty) {
                result.message = search.m_failure;
                result.databaseFailed = true;
            }
            return result;
        }
        if (empty)
            result.message = whatToRelax(*lists);
        for (const Suggestions::Relaxation &list : *lists) {
            if (!empty && list.names > result.names.size())
                result.moreWith.append(list);
        }
    }
    return result;
}

} // namespace

Outcome<SuggestedName> NameSuggestions::judge(const QString &surnameText, const QString &givenText, Sex sex,
    const ElementSet &wishes, const SuggestionSources &paths, const RankingRules &rules)
{
    if (!rules.problem().isEmpty())
        return Outcome<SuggestedName>::refused(brokenRulesMessage(rules));
    const QString surname = trimSpaces(surnameText);
    const QString given = trimSpaces(givenText);
    const QStringList surnameChars = splitCharacters(surname);
    const QStringList givenChars = splitCharacters(given);
    if (surnameChars.isEmpty() || surnameChars.size() > 2 || givenChars.isEmpty() || givenChars.size() > 2) {
        return Outcome<SuggestedName>::refused(UserMessage::warning(
            QStringLiteral("“") + surname + given + QStringLiteral("”：只能比较一到两个字的姓加一到两个字的名。")));
    }
    const Outcome<QList<int>> strokes = StrokeLookup::strokesOfName(paths.library, surname + given);
    if (!strokes.value) {
        Outcome<SuggestedName> refused;
        refused.messages = strokes.messages;
        refused.databaseFailed = strokes.databaseFailed;
        return refused;
    }
    const QList<int> &s = *strokes.value;
    const int surnameCount = int(surnameChars.size());
    const int givenCount = int(givenChars.size());

    SuggestedName name;
    name.surname = surname;
    name.given = given;
    name.configuration.grids = FiveGrids::compute(surnameCount, s.constData(), givenCount, s.constData() + surnameCount);
    for (int i = 0; i < givenCount; ++i)
        name.configuration.strokes[size_t(i)] = qint16(s.at(surnameCount + i));
    const FiveGrids &g = name.configuration.grids;
    name.configuration.triple = Sancai::compute(g.tiange, g.renge, g.dige).elementTriple;
    name.configuration.pairKey = computePairKey(g.renge, g.waige);
    name.level = LuckRules::accepts(g, givenCount, LuckLevel::Full, sex) ? LuckLevel::Full
        : LuckRules::accepts(g, givenCount, LuckLevel::Half, sex)        ? LuckLevel::Half
                                                                         : LuckLevel::Bad;
    const std::array<qint16, 5> grids = g.list();
    for (size_t i = 0; i < 5; ++i)
        name.gridLuck[i] = LuckRules::luckClass(grids[i]);

    NameFacts facts;
    facts.grids = g;
    facts.givenCount = givenCount;
    facts.sex = sex;
    facts.wishes = wishes;
    QStringList syllables;
    {
        NameDatabase db = paths.library.open({ DbTable::Name });
        if (auto failure = db.failure())
            return Outcome<SuggestedName>::failed(*failure);
        const std::optional<QList<NameDatabase::NameRow>> fitRows = db.nameRows();
        if (!fitRows)
            return Outcome<SuggestedName>::failed(DatabaseFailure::unreadable());
        for (int i = 0; i < surnameCount + givenCount; ++i) {
            const QString ch = i < surnameCount ? surnameChars.at(i) : givenChars.at(i - surnameCount);
            const std::optional<QList<NameDatabase::LibraryRow>> rows = db.rowsOf(ch);
            if (!rows)
                return Outcome<SuggestedName>::failed(DatabaseFailure::unreadable());
            const NameDatabase::LibraryRow row = rows->isEmpty() ? NameDatabase::LibraryRow {} : rows->constFirst();
            syllables.append(firstReading(row.pinyin));
            if (i < surnameCount)
                continue;
            const auto fit = std::find_if(fitRows->begin(), fitRows->end(),
                [&](const NameDatabase::NameRow &r) { return r.namechr == ch; });
            Character c = characterOf({ ch, qint16(s.at(i)), row.wuxing,
                fit == fitRows->end() ? QStringLiteral("0") : fit->sex, row.pinyin, row.meaning });
            const int k = i - surnameCount;
            facts.characters[size_t(k)] = ch;
            facts.elements[size_t(k)] = c.element;
            facts.sexes[size_t(k)] = c.sex;
            facts.tastes[size_t(k)] = rules.taste(ch);
            name.characters.append(c.shown);
        }
    }
    if (givenCount == 2) {
        int badLine = 0;
        const std::optional<NameWords> words = NameWords::read(paths.wordsPath, &badLine);
        if (!words)
            return Outcome<SuggestedName>::refused(wordsMessage(badLine));
        facts.word = words->find(char32_t(givenChars.at(0).toUcs4().value(0)), char32_t(givenChars.at(1).toUcs4().value(0)));
    }
    // Where it stands in the classics: the pair's (or the character's) best line in any collection.
    ClassicsDatabase verses = paths.classics.open();
    if (verses.isOpen()) {
        std::vector<ClassicsDatabase::Link> links;
        const char32_t first = char32_t(givenChars.at(0).toUcs4().value(0));
        const bool read = givenCount == 2 ? verses.pairsStartingWith(first, ClassicSet::all(), links)
                                          : verses.linesHolding(first, ClassicSet::all(), links);
        const char32_t wanted = givenCount == 2 ? char32_t(givenChars.at(1).toUcs4().value(0)) : first;
        if (read) {
            // Only a pair that is a word of its line counts (a pair a line merely puts side by side does not).
            for (const ClassicsDatabase::Link &link : links) {
                if (link.other != wanted || link.rank != 0)
                    continue;
                if (const std::optional<ClassicsDatabase::Verse> v = verses.verse(link.line)) {
                    facts.inClassics = true;
                    name.verse = verseText({ v->classic, v->title, v->author, v->text });
                }
                break;
            }
        }
    }
    name.inClassics = facts.inClassics;
    name.wordKind = facts.word.kind;
    if (givenCount == 2)
        facts.dated = rules.datedPoints(char32_t(givenChars.at(0).toUcs4().value(0)), char32_t(givenChars.at(1).toUcs4().value(0)));
    std::optional<SoundVerdict> sound;
    if (paths.sound)
        sound = paths.sound(surname, given);
    const NameScore score = scoreName(facts, sound, rules);
    name.pinyin = sound && !sound->pinyin.isEmpty() ? sound->pinyin : syllables.join(QLatin1Char(' '));
    if (sound)
        name.soundFindings = sound->strong + sound->weak;
    name.sancaiLevel = score.sancaiLevel;
    name.pairLevel = score.pairLevel;
    name.score = score.total;
    name.parts = QList<ScorePart>(score.parts.begin(), score.parts.end());
    name.reasons = scoreReasons(facts, score, sound);
    return name;
}

} // namespace tolvane
