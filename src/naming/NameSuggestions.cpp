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

namespace {

const QStringList &ruleNames()
{
    static const QStringList names { QStringLiteral("grids.full"), QStringLiteral("grids.half"),
        QStringLiteral("sancai.full"), QStringLiteral("sancai.half"), QStringLiteral("pairing.full"),
        QStringLiteral("pairing.half"), QStringLiteral("elements.character"), QStringLiteral("elements.person"),
        QStringLiteral("sound.clear"), QStringLiteral("sound.weak"), QStringLiteral("sound.strong"),
        QStringLiteral("meaning.name"), QStringLiteral("meaning.name.each"), QStringLiteral("meaning.name.cap"),
        QStringLiteral("meaning.word"), QStringLiteral("meaning.classic"), QStringLiteral("meaning.plain"),
        QStringLiteral("meaning.sex"),
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
        v("meaning.classic"), v("meaning.plain"), v("meaning.sex") };
    return rules;
}

bool RankingRules::readTastes(const QString &text, QString *error)
{
    QHash<QString, int> tastes;
    QHash<QString, Sex> keptFor;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList fields = lines.at(i).split(QLatin1Char('\t'));
        bool number = false;
        const int points = fields.value(1).toInt(&number);
        const std::optional<Sex> sex = fields.size() == 4 ? sexFromText(fields.at(3).trimmed()) : std::nullopt;
        if (fields.size() < 3 || fields.size() > 4 || (fields.size() == 4 && !sex)
            || splitCharacters(fields.at(0)).size() != 1 || !number || points < -10 || points > 10
            || fields.at(2).trimmed().isEmpty() || tastes.contains(fields.at(0))) {
            if (error)
                *error = QStringLiteral("name-characters.tsv:%1: expected a character listed once, points -10..10, "
                                        "the reason and perhaps 男 or 女")
                             .arg(i + 1);
            return false;
        }
        tastes.insert(fields.at(0), points);
        if (sex)
            keptFor.insert(fields.at(0), *sex);
    }
    m_tastes = tastes;
    m_keptFor = keptFor;
    return true;
}

const RankingRules &RankingRules::builtIn()
{
    static const RankingRules rules = [] {
        QString error;
        std::optional<RankingRules> parsed = parse(QString::fromUtf16(kRankingRulesText), &error);
        // The build checks the files (the tests parse them too); a broken file must never reach a user.
        Q_ASSERT_X(parsed, "RankingRules", qPrintable(error));
        RankingRules built = parsed.value_or(RankingRules {});
        const bool tastes = built.readTastes(QString::fromUtf16(kNameCharactersText), &error);
        Q_ASSERT_X(tastes, "RankingRules", qPrintable(error));
        Q_UNUSED(tastes);
        return built;
    }();
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
};

// One name before the shortlist is cut.
struct Candidate {
    int config = 0; // index into the configurations searched
    LuckLevel level = LuckLevel::Full;
    int first = -1;
    int second = -1; // -1 for a one-character name
    NameWords::Entry word;
    bool inClassics = false;
    NameScore score;
};

quint64 pairKey(char32_t first, char32_t second)
{
    return (quint64(first) << 32) | second;
}

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

// What the search reads once: the surname, the characters and the words.
struct Sources {
    QString surname;
    QList<qint16> surnameStrokes;
    QSet<char32_t> surnameCodes;
    std::vector<Character> characters;
    std::optional<int> included; // the index of the character every name must have
    NameWords words;
    QStringList surnamePinyin; // the library's first reading of each surname character
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
    {
    }

    // The names of the configurations for the wishes; false when the classics cannot be read.
    bool collect(const Wishes &wishes, const QList<GoodConfiguration> &configs, int configOffset, LuckLevel level,
        std::vector<Candidate> &out)
    {
        QHash<quint64, QString> classic;
        if (wishes.classics && !classicNames(wishes, configs, classic))
            return false;
        // The characters by stroke count that fit the wishes, in stored order.
        QHash<int, std::vector<int>> byStrokes;
        for (int i = 0; i < int(m_sources.characters.size()); ++i) {
            if (fits(wishes, i))
                byStrokes[m_sources.characters[size_t(i)].shown.strokes].push_back(i);
        }
        // The index of the character every name must have, or -1 (a plain int: GCC 12 cannot follow an optional
        // through the loops below).
        const int included = wishes.include && m_sources.included ? *m_sources.included : -1;
        if (wishes.include && included < 0)
            return true;
        if (included >= 0) {
            std::vector<int> &same = byStrokes[m_sources.characters[size_t(included)].shown.strokes];
            if (std::find(same.begin(), same.end(), included) == same.end())
                same.push_back(included);
        }
        NameFacts facts;
        facts.sex = m_request.sex;
        facts.wishes = wishes.elements;
        facts.givenCount = wishes.nameLength;
        static const std::vector<int> noSecond { -1 };
        for (int k = 0; k < int(configs.size()); ++k) {
            const GoodConfiguration &config = configs.at(k);
            facts.grids = config.grids;
            const auto firstIt = byStrokes.constFind(config.strokes[0]);
            const auto secondIt = byStrokes.constFind(config.strokes[1]);
            if (firstIt == byStrokes.constEnd() || (wishes.nameLength == 2 && secondIt == byStrokes.constEnd()))
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
                    if (b >= 0) {
                        const Character &cb = m_sources.characters[size_t(b)];
                        c.word = m_sources.words.find(ca.code, cb.code);
                        if (c.word.kind == NameWords::Kind::Unfit || (c.word.sex && *c.word.sex != m_request.sex))
                            continue;
                        // A doubled character is a name only where people use it as one (婷婷), not as a mere word
                        // (清清, 深深).
                        if (a == b && c.word.kind != NameWords::Kind::GivenName)
                            continue;
                        facts.elements[1] = cb.element;
                        facts.sexes[1] = cb.sex;
                        facts.tastes[1] = cb.taste;
                    }
                    if (wishes.classics) {
                        c.inClassics = classic.contains(pairKey(ca.code, b >= 0 ? m_sources.characters[size_t(b)].code : 0));
                        if (!wishes.fromLibrary && !c.inClassics)
                            continue;
                    }
                    // Two characters that merely fit the strokes make a name only when both are characters parents
                    // choose today; otherwise they read as a random pair (然少, 博中). Two characters that merely
                    // stand side by side in a line are no more, unless the names are to come from the classics
                    // alone.
                    if (b >= 0 && c.word.kind == NameWords::Kind::None && (wishes.fromLibrary || !c.inClassics)
                        && a != included && b != included
                        && (ca.taste < m_rules.weights().plain
                            || m_sources.characters[size_t(b)].taste < m_rules.weights().plain))
                        continue;
                    facts.word = c.word;
                    facts.inClassics = c.inClassics;
                    c.score = scoreName(facts, std::nullopt, m_rules);
                    out.push_back(c);
                }
            }
        }
        m_verses.insert(classic);
        return true;
    }

    QString verse(char32_t first, char32_t second) const { return m_verses.value(pairKey(first, second)); }

private:
    bool fits(const Wishes &wishes, int index) const
    {
        const Character &c = m_sources.characters[size_t(index)];
        if (m_sources.included && index == *m_sources.included)
            return true; // the family's choice: its element, sex and strokes are not asked about
        if (!c.code || m_sources.surnameCodes.contains(c.code) || wishes.exclude.contains(c.code))
            return false;
        if ((c.sex && *c.sex != m_request.sex) || (c.keptFor && *c.keptFor != m_request.sex))
            return false;
        if (!c.element || !wishes.elements.contains(*c.element))
            return false;
        if (wishes.minStrokes > 0 && c.shown.strokes < wishes.minStrokes)
            return false;
        return wishes.maxStrokes <= 0 || c.shown.strokes <= wishes.maxStrokes;
    }

    // Names from the classics for the configurations, by ClassicNameSearch over all of them at once.
    bool classicNames(const Wishes &wishes, const QList<GoodConfiguration> &configs, QHash<quint64, QString> &out)
    {
        NameRequest request;
        request.nameLength = qint16(wishes.nameLength);
        request.sex = m_request.sex;
        request.elementWishes = wishes.elements;
        {
            const ClassicListing listing = ClassicNameSearch::run(m_sources.surname, configs, request, *wishes.classics,
                m_paths.library, m_paths.classics);
            if (listing.databaseFailed) {
                m_failure = listing.message;
                return false;
            }
            for (const ClassicGroup &group : listing.groups) {
                for (const ClassicName &name : group.names) {
                    const QList<uint> codes = name.given.toUcs4();
                    const quint64 key = pairKey(char32_t(codes.value(0)), char32_t(codes.value(1)));
                    if (!out.contains(key))
                        out.insert(key, verseText(name.verse));
                }
            }
        }
        return true;
    }

public:
    std::optional<UserMessage> m_failure;

private:
    const SuggestionRequest &m_request;
    const SuggestionSources &m_paths;
    const Sources &m_sources;
    const RankingRules &m_rules;
    QHash<quint64, QString> m_verses;
};

bool better(const Candidate &a, const Candidate &b)
{
    if (a.score.total != b.score.total)
        return a.score.total > b.score.total;
    return std::tie(a.config, a.first, a.second) < std::tie(b.config, b.first, b.second);
}

// The shortlist: best first, no character in more than variety.character names, no first character in more than
// a variety.first-th of the list. When the limits leave the list short, it stays short: a name that breaks them
// would only repeat what the parent has read already.
std::vector<size_t> shortlist(
    const std::vector<Candidate> &ranked, int count, const RankingRules &rules, int included)
{
    const int perCharacter = rules.value(QStringLiteral("variety.character"));
    const int perFirst = std::max(1, count / rules.value(QStringLiteral("variety.first")));
    QHash<int, int> uses;
    QHash<int, int> firstUses;
    std::vector<size_t> chosen;
    for (size_t i = 0; i < ranked.size() && int(chosen.size()) < count; ++i) {
        const Candidate &c = ranked[i];
        // The character the family asked for stands in every name: the limits are for the others.
        const bool firstCounts = c.first != included;
        const bool secondCounts = c.second >= 0 && c.second != c.first && c.second != included;
        if ((firstCounts && (uses.value(c.first) >= perCharacter || firstUses.value(c.first) >= perFirst))
            || (secondCounts && uses.value(c.second) >= perCharacter))
            continue;
        if (firstCounts) {
            ++uses[c.first];
            ++firstUses[c.first];
        }
        if (secondCounts)
            ++uses[c.second];
        chosen.push_back(i);
    }
    return chosen;
}

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
    facts.inClassics = c.inClassics;
    return facts;
}

// How many names a search with these wishes finds over every good configuration (全吉 and 半吉); -1 when the
// classics cannot be read.
int namesWith(Search &search, const Wishes &wishes, const Sources &sources, const SuggestionRequest &request)
{
    std::vector<Candidate> found;
    for (LuckLevel level : { LuckLevel::Full, LuckLevel::Half }) {
        const QList<GoodConfiguration> configs
            = NameSuggestions::configurations(sources.surnameStrokes, wishes.nameLength, request.sex, level);
        if (!search.collect(wishes, configs, 0, level, found))
            return -1;
    }
    return int(found.size());
}

// Nothing found: each wish relaxed on its own, and what it would give.
UserMessage whatToRelax(const SuggestionRequest &request, Search &search, const Sources &sources)
{
    const Wishes asked = wishesOf(request);
    QStringList offers;
    const auto offer = [&](const Wishes &relaxed, const QString &what) {
        const int n = namesWith(search, relaxed, sources, request);
        if (n > 0)
            offers.append(QStringLiteral("%1可得 %2 个名字").arg(what).arg(n));
    };
    if (asked.elements != ElementSet::all()) {
        Wishes w = asked;
        w.elements = ElementSet::all();
        offer(w, QStringLiteral("放宽五行要求"));
    }
    if (asked.include) {
        Wishes w = asked;
        w.include.reset();
        offer(w, QStringLiteral("不指定必须用的“") + request.include + QStringLiteral("”字"));
    }
    if (!asked.exclude.isEmpty()) {
        Wishes w = asked;
        w.exclude.clear();
        offer(w, QStringLiteral("不排除“") + request.exclude + QStringLiteral("”"));
    }
    if (asked.minStrokes > 0 || asked.maxStrokes > 0) {
        Wishes w = asked;
        w.minStrokes = w.maxStrokes = 0;
        offer(w, QStringLiteral("不限笔画数"));
    }
    if (!asked.fromLibrary && asked.classics && !asked.classics->isAll()) {
        Wishes w = asked;
        w.classics = ClassicSet::all();
        offer(w, QStringLiteral("多选几部典籍"));
    }
    if (!asked.fromLibrary) {
        Wishes w = asked;
        w.fromLibrary = true;
        offer(w, QStringLiteral("同时从字库选字"));
    }
    {
        Wishes w = asked;
        w.nameLength = asked.nameLength == 2 ? 1 : 2;
        offer(w, asked.nameLength == 2 ? QStringLiteral("改起单字名") : QStringLiteral("改起双字名"));
    }
    QString text = QStringLiteral("对不起，按您的要求没有找出任何名字。");
    if (offers.isEmpty())
        text += QStringLiteral("只放宽其中一项要求也找不出名字，请同时放宽几项要求再试试。");
    else
        text += offers.join(QStringLiteral("；")) + QStringLiteral("。");
    return UserMessage::warning(text);
}

} // namespace

Suggestions NameSuggestions::run(
    const SuggestionRequest &request, const SuggestionSources &paths, const RankingRules &rules)
{
    Suggestions result;
    result.request = request;
    result.request.surname = trimSpaces(request.surname);
    if ((result.message = requestProblem(result.request)))
        return result;
    const SuggestionRequest &req = result.request;

    // The surname's strokes, the characters, the words.
    Sources sources;
    sources.surname = req.surname;
    const Outcome<QList<int>> strokes = StrokeLookup::strokesOfName(paths.library, req.surname);
    if (!strokes.value) {
        result.message = strokes.message();
        result.databaseFailed = strokes.databaseFailed;
        return result;
    }
    for (int s : *strokes.value)
        sources.surnameStrokes.append(qint16(s));
    for (uint c : req.surname.toUcs4())
        sources.surnameCodes.insert(char32_t(c));
    {
        NameDatabase db = paths.library.open({ DbTable::Name });
        if (auto failure = db.failure()) {
            result.message = failure->message();
            result.databaseFailed = true;
            return result;
        }
        const std::optional<QList<NameDatabase::NameRow>> rows = db.nameRows();
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
        for (const NameDatabase::NameRow &row : *rows) {
            sources.characters.push_back(characterOf(row));
            sources.characters.back().taste = rules.taste(row.namechr);
            sources.characters.back().keptFor = rules.keptFor(row.namechr);
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
                sources.included = int(sources.characters.size() - 1);
            }
        }
    }
    const std::optional<NameWords> words = NameWords::read(paths.wordsPath);
    if (!words) {
        result.message = UserMessage::warning(QStringLiteral("找不到名字词表") + NameWords::fileName()
            + QStringLiteral("，无法推荐名字。请重新安装本程序。"));
        result.databaseFailed = true;
        return result;
    }
    sources.words = *words;

    // 全吉 first; 半吉 too only when 全吉 gives too few names.
    const Wishes wishes = wishesOf(req);
    Search search(req, paths, sources, rules);
    QList<GoodConfiguration> configs
        = configurations(sources.surnameStrokes, req.nameLength, req.sex, LuckLevel::Full, &result.girlsLeftOut);
    result.fullConfigurations = int(configs.size());
    std::vector<Candidate> candidates;
    if (!search.collect(wishes, configs, 0, LuckLevel::Full, candidates)) {
        result.message = search.m_failure;
        result.databaseFailed = true;
        return result;
    }
    // Too few: fewer names that people use or that are words than asked for. Two characters that merely fit the
    // strokes are no name a parent would read far for; the 半吉 configurations bring real names instead.
    const auto recognised = [](const Candidate &c) {
        return c.word.kind == NameWords::Kind::GivenName || c.word.kind == NameWords::Kind::Word;
    };
    if (std::count_if(candidates.begin(), candidates.end(), recognised) < req.count) {
        const QList<GoodConfiguration> half
            = configurations(sources.surnameStrokes, req.nameLength, req.sex, LuckLevel::Half, &result.girlsLeftOut);
        result.halfConfigurations = int(half.size());
        result.halfUsed = !half.isEmpty();
        if (!search.collect(wishes, half, int(configs.size()), LuckLevel::Half, candidates)) {
            result.message = search.m_failure;
            result.databaseFailed = true;
            return result;
        }
        configs += half;
    }
    result.candidates = int(candidates.size());

    // The sound is judged for the best of them only: it can lower a score, never raise it above the others'.
    result.soundJudged = bool(paths.sound);
    const size_t judged = std::min(candidates.size(), size_t(std::max(req.count * 6, 300)));
    std::partial_sort(candidates.begin(), candidates.begin() + qsizetype(judged), candidates.end(), better);
    std::vector<Candidate> ranked(candidates.begin(), candidates.begin() + qsizetype(judged));
    std::vector<std::optional<SoundVerdict>> sounds(ranked.size());
    for (size_t i = 0; i < ranked.size(); ++i) {
        Candidate &c = ranked[i];
        const QString given = sources.characters[size_t(c.first)].shown.character
            + (c.second >= 0 ? sources.characters[size_t(c.second)].shown.character : QString());
        if (paths.sound)
            sounds[i] = paths.sound(req.surname, given);
        c.score = rescoreWithSound(c.score, sounds[i], rules);
    }
    std::vector<size_t> order(ranked.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return better(ranked[a], ranked[b]); });
    std::vector<Candidate> sorted;
    std::vector<std::optional<SoundVerdict>> sortedSounds;
    for (size_t i : order) {
        sorted.push_back(ranked[i]);
        sortedSounds.push_back(sounds[i]);
    }

    for (size_t i : shortlist(sorted, req.count, rules, req.include.isEmpty() ? -1 : sources.included.value_or(-1))) {
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
        name.inClassics = c.inClassics;
        if (c.inClassics)
            name.verse = search.verse(a.code, c.second >= 0 ? sources.characters[size_t(c.second)].code : 0);
        const std::optional<SoundVerdict> &sound = sortedSounds[i];
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

    if (result.names.isEmpty())
        result.message = whatToRelax(req, search, sources);
    return result;
}

Outcome<SuggestedName> NameSuggestions::judge(const QString &surnameText, const QString &givenText, Sex sex,
    const ElementSet &wishes, const SuggestionSources &paths, const RankingRules &rules)
{
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
        const std::optional<NameWords> words = NameWords::read(paths.wordsPath);
        if (words)
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
            for (const ClassicsDatabase::Link &link : links) {
                if (link.other != wanted)
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
