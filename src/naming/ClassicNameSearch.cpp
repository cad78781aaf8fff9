#include "naming/ClassicNameSearch.h"

#include "data/ClassicsDatabase.h"
#include "data/NameDatabase.h"

#include <QHash>

#include <algorithm>
#include <unordered_map>
#include <vector>

namespace tolvane {

int ClassicListing::namesFound() const
{
    int count = 0;
    for (const ClassicGroup &g : groups)
        count += int(g.names.size());
    return count;
}

namespace {

// Configurations give every position 1 to 30 strokes, so one bit per count answers "has this count".
constexpr int kMaxConfigStrokes = 30;

quint32 strokeBit(int strokes)
{
    return strokes >= 1 && strokes <= kMaxConfigStrokes ? (1U << strokes) : 0U;
}

// The characters the library offers for the request: fit for names, for the sex and for the element wishes,
// with their stroke counts (a character on several qualifying rows has each row's count) and their place in
// the stored order.
struct FitCharacters {
    struct Entry {
        quint32 strokeMask = 0;
        int order = 0;
        int seen = 0; // the pass that last took a link to this character
    };
    std::unordered_map<char32_t, Entry> byCharacter;
    std::vector<char32_t> inOrder;
    int passes = 0;

    Entry *find(char32_t c)
    {
        const auto it = byCharacter.find(c);
        return it == byCharacter.end() ? nullptr : &it->second;
    }
};

std::optional<FitCharacters> fitCharacters(NameDatabase &db, Sex sex, const ElementSet &wishes)
{
    // An element not wished for is an empty slot, which matches the rows without an element.
    const std::array<QString, 5> slots = wishes.wishSlots();
    const std::optional<QList<NameDatabase::Candidate>> rows
        = db.candidates(sexText(sex), QStringList(slots.begin(), slots.end()));
    if (!rows)
        return std::nullopt;
    FitCharacters fit;
    fit.byCharacter.reserve(size_t(rows->size()));
    for (const NameDatabase::Candidate &row : *rows) {
        const QList<uint> ucs4 = row.namechr.toUcs4();
        if (ucs4.size() != 1)
            continue;
        const auto c = char32_t(ucs4.first());
        auto [it, inserted] = fit.byCharacter.try_emplace(c);
        if (inserted) {
            it->second.order = int(fit.inOrder.size());
            fit.inOrder.push_back(c);
        }
        it->second.strokeMask |= strokeBit(row.strokes);
    }
    return fit;
}

// What one configuration asks of the characters: the strokes of the first and second position.
struct Target {
    int group = 0;
    int first = 0;
    int second = 0;
};

struct Hit {
    int group = 0;
    char32_t first = 0;
    char32_t second = 0; // 0 for a one-character name
    qint32 line = 0;
    int preference = 0; // the collection's place in kAllClassics
    int rank = 0; // the pair's rank in classics.db
    int orderFirst = 0;
    int orderSecond = 0;
};

// Whether a pair kept from one sex as a whole may be given to the sex asked for.
bool pairSuitsSex(const ClassicsDatabase::Link &link, Sex sex)
{
    using PairSex = ClassicsDatabase::PairSex;
    return link.sex == PairSex::Any || (link.sex == PairSex::Male) == (sex == Sex::Male);
}

// Visits the first link to each character fit for the request. The links come in order of preference, so that
// is the character's best line.
template <typename Visit>
void bestLinks(const std::vector<ClassicsDatabase::Link> &links, FitCharacters &fit, Visit visit)
{
    const int pass = ++fit.passes;
    for (const ClassicsDatabase::Link &link : links) {
        FitCharacters::Entry *other = fit.find(link.other);
        if (!other || other->seen == pass)
            continue;
        other->seen = pass;
        visit(link, *other);
    }
}

class Finder {
public:
    Finder(ClassicsDatabase &verses, ClassicSet classics, Sex sex)
        : m_verses(verses)
        , m_classics(classics)
        , m_sex(sex)
    {
    }

    // Personal naming: the hits of every target, or nothing when classics.db cannot be read.
    std::optional<std::vector<Hit>> personal(FitCharacters &fit, int nameLength, const QList<Target> &targets)
    {
        quint32 firstMask = 0;
        for (const Target &t : targets)
            firstMask |= strokeBit(t.first);
        std::vector<Hit> hits;
        for (char32_t c : fit.inOrder) {
            const FitCharacters::Entry entry = *fit.find(c);
            if (!(entry.strokeMask & firstMask))
                continue;
            if (nameLength == 1) {
                if (!m_verses.linesHolding(c, m_classics, m_links))
                    return std::nullopt;
                if (m_links.empty())
                    continue;
                const ClassicsDatabase::Link &best = m_links.front();
                for (const Target &t : targets) {
                    if (entry.strokeMask & strokeBit(t.first))
                        hits.push_back({ t.group, c, 0, best.line, classicPreference(best.classic), best.rank,
                            entry.order, 0 });
                }
                continue;
            }
            if (!m_verses.pairsStartingWith(c, m_classics, m_links))
                return std::nullopt;
            std::erase_if(m_links, [this](const ClassicsDatabase::Link &l) { return !pairSuitsSex(l, m_sex); });
            bestLinks(m_links, fit, [&](const ClassicsDatabase::Link &link, const FitCharacters::Entry &second) {
                for (const Target &t : targets) {
                    if ((entry.strokeMask & strokeBit(t.first)) && (second.strokeMask & strokeBit(t.second)))
                        hits.push_back({ t.group, c, link.other, link.line, classicPreference(link.classic),
                            link.rank, entry.order, second.order });
                }
            });
        }
        return hits;
    }

    // Fixed-character naming: targets carry the free position's strokes in `first`.
    std::optional<std::vector<Hit>> fixed(
        FitCharacters &fit, char32_t fixedChar, bool firstFree, const QList<Target> &targets)
    {
        const bool read = firstFree ? m_verses.pairsEndingWith(fixedChar, m_classics, m_links)
                                    : m_verses.pairsStartingWith(fixedChar, m_classics, m_links);
        if (!read)
            return std::nullopt;
        std::erase_if(m_links, [this](const ClassicsDatabase::Link &l) { return !pairSuitsSex(l, m_sex); });
        std::vector<Hit> hits;
        bestLinks(m_links, fit, [&](const ClassicsDatabase::Link &link, const FitCharacters::Entry &free) {
            const int preference = classicPreference(link.classic);
            for (const Target &t : targets) {
                if (!(free.strokeMask & strokeBit(t.first)))
                    continue;
                if (firstFree)
                    hits.push_back({ t.group, link.other, fixedChar, link.line, preference, link.rank, free.order, 0 });
                else
                    hits.push_back({ t.group, fixedChar, link.other, link.line, preference, link.rank, 0, free.order });
            }
        });
        return hits;
    }

    // Whether any chosen collection pairs the character at all, in the place it is fixed to.
    std::optional<bool> pairsAtAll(char32_t fixedChar, bool firstFree)
    {
        const bool read = firstFree ? m_verses.pairsEndingWith(fixedChar, m_classics, m_links)
                                    : m_verses.pairsStartingWith(fixedChar, m_classics, m_links);
        if (!read)
            return std::nullopt;
        return !m_links.empty();
    }

private:
    ClassicsDatabase &m_verses;
    ClassicSet m_classics;
    Sex m_sex;
    std::vector<ClassicsDatabase::Link> m_links;
};

QString characterText(char32_t c)
{
    return c ? QString::fromUcs4(&c, 1) : QString();
}

// Puts the hits into their groups, best first, with their verses.
bool fillGroups(ClassicListing &listing, std::vector<Hit> &hits, ClassicsDatabase &verses)
{
    std::stable_sort(hits.begin(), hits.end(), [](const Hit &a, const Hit &b) {
        return std::tie(a.group, a.preference, a.rank, a.orderFirst, a.orderSecond)
            < std::tie(b.group, b.preference, b.rank, b.orderFirst, b.orderSecond);
    });
    QHash<qint32, ClassicVerse> cache;
    qsizetype next = 0;
    for (ClassicGroup &group : listing.groups) {
        for (; next < qsizetype(hits.size()) && hits[size_t(next)].group == group.group; ++next) {
            const Hit &hit = hits[size_t(next)];
            auto cached = cache.constFind(hit.line);
            if (cached == cache.constEnd()) {
                const std::optional<ClassicsDatabase::Verse> verse = verses.verse(hit.line);
                if (!verse)
                    return false;
                cached = cache.insert(hit.line, { verse->classic, verse->title, verse->author, verse->text });
            }
            group.names.append({ characterText(hit.first) + characterText(hit.second), *cached });
        }
    }
    listing.groups.removeIf([](const ClassicGroup &g) { return g.names.isEmpty(); });
    return true;
}

QString nothingFoundStart(ClassicSet classics)
{
    return QStringLiteral("对不起，在") + classics.names(QStringLiteral("、"))
        + QStringLiteral("中没有找出任何良好名字。");
}

// Runs the search again with the element wishes and the choice of collections relaxed, one at a time and then
// both, and says which relaxation finds names. The sex is never relaxed.
template <typename Search>
UserMessage whatToRelax(const ClassicListing &listing, const NameRequest &request, NameDatabase &db,
    FitCharacters &wished, Search search, const QString &otherwise)
{
    const QString start = nothingFoundStart(listing.classics);
    std::optional<FitCharacters> anyElement;
    if (request.elementWishes != ElementSet::all())
        anyElement = fitCharacters(db, request.sex, ElementSet::all());
    const bool moreClassics = !listing.classics.isAll();
    if (anyElement && search(*anyElement, listing.classics))
        return UserMessage::warning(start + QStringLiteral("您可放宽五行要求再试试。"));
    if (moreClassics && search(wished, ClassicSet::all()))
        return UserMessage::warning(start + QStringLiteral("您可多选几部典籍再试试。"));
    if (moreClassics && anyElement && search(*anyElement, ClassicSet::all()))
        return UserMessage::warning(start + QStringLiteral("您可放宽五行要求，并多选几部典籍再试试。"));
    return UserMessage::warning(start + otherwise);
}

// The library opened but its rows could not be read to the end (a damaged page): a database failure, said as
// for a library that is not there.
UserMessage libraryReadFailure()
{
    return DatabaseFailure::unreadable().message();
}

// Opens the library and the verses and reads the characters fit for the request; nothing (the listing then
// carrying the failure) when any of them cannot be read.
std::optional<FitCharacters> openSources(
    NameDatabase &db, ClassicsDatabase &verses, const NameRequest &request, ClassicListing &listing)
{
    if (auto failure = db.failure()) {
        listing.message = failure->message();
        listing.databaseFailed = true;
        return std::nullopt;
    }
    std::optional<FitCharacters> fit = fitCharacters(db, request.sex, request.elementWishes);
    if (!fit || !verses.isOpen()) {
        listing.message = fit ? ClassicsDatabase::failureMessage() : libraryReadFailure();
        listing.databaseFailed = true;
        return std::nullopt;
    }
    return fit;
}

} // namespace

std::optional<UserMessage> ClassicNameSearch::sourceProblem(ClassicSet classics, int nameLength)
{
    if (classics.isEmpty())
        return UserMessage::warning(QStringLiteral("请至少选择一部典籍（") + ClassicSet::all().names(QStringLiteral("、"))
            + QStringLiteral("）。"));
    if (nameLength != 1 && nameLength != 2) {
        return UserMessage::warning(
            QStringLiteral("从典籍取名只取单字名或双字名，请把名字字数改为单字名或双字名再试试。"));
    }
    return std::nullopt;
}

ClassicListing ClassicNameSearch::run(const QString &surname, const QList<GoodConfiguration> &configurations,
    const NameRequest &request, ClassicSet classics, const Library &library, const ClassicsLibrary &classicsLibrary)
{
    ClassicListing listing;
    listing.kind = ClassicListing::Kind::Personal;
    listing.surname = surname;
    listing.nameLength = request.nameLength;
    listing.classics = classics;
    if ((listing.message = sourceProblem(classics, request.nameLength)))
        return listing;
    NameDatabase db = library.open({ DbTable::Name });
    ClassicsDatabase verses = classicsLibrary.open();
    std::optional<FitCharacters> fit = openSources(db, verses, request, listing);
    if (!fit)
        return listing;

    QList<Target> targets;
    listing.groupsSearched = int(configurations.size());
    for (int g = 1; g <= int(configurations.size()); ++g) {
        const GoodConfiguration &config = configurations.at(g - 1);
        targets.append({ g, config.strokes[0], config.strokes[1] });
        ClassicGroup group;
        group.group = g;
        group.strokes = { config.strokes[0], request.nameLength == 2 ? config.strokes[1] : qint16(0) };
        group.grids = config.grids;
        listing.groups.append(group);
    }
    Finder finder(verses, classics, request.sex);
    std::optional<std::vector<Hit>> hits = finder.personal(*fit, request.nameLength, targets);
    if (!hits || !fillGroups(listing, *hits, verses)) {
        listing.message = ClassicsDatabase::failureMessage();
        listing.databaseFailed = true;
        listing.groups.clear();
        return listing;
    }
    if (listing.groups.isEmpty() && !targets.isEmpty()) {
        const auto search = [&](FitCharacters &f, ClassicSet c) {
            Finder again(verses, c, request.sex);
            const auto found = again.personal(f, request.nameLength, targets);
            return found && !found->empty();
        };
        listing.message = whatToRelax(listing, request, db, *fit, search,
            QStringLiteral("您可通过更改名字字数、允许半吉，或改从字库选字再试试。"));
    } else if (targets.isEmpty()) {
        listing.message = UserMessage::warning(
            nothingFoundStart(classics) + QStringLiteral("您可通过更改名字字数、允许半吉再试试。"));
    }
    return listing;
}

ClassicListing ClassicNameSearch::runFixed(const QString &surname, const QString &fixedCharacter, bool firstFree,
    const FixedTables &tables, int configNext, const NameRequest &request, ClassicSet classics,
    const Library &library, const ClassicsLibrary &classicsLibrary)
{
    QList<GoodConfiguration> configurations;
    const int groups = std::clamp(configNext - 1, 0, FixedTables::kSlots);
    for (int g = 1; g <= groups; ++g) {
        GoodConfiguration config;
        config.strokes = { tables.strokes[g][0], tables.strokes[g][1], 0 };
        config.grids = tables.grids[g];
        configurations.append(config);
    }
    return runFixed(surname, fixedCharacter, firstFree, configurations, request, classics, library, classicsLibrary);
}

ClassicListing ClassicNameSearch::runFixed(const QString &surname, const QString &fixedCharacter, bool firstFree,
    const QList<GoodConfiguration> &configurations, const NameRequest &request, ClassicSet classics,
    const Library &library, const ClassicsLibrary &classicsLibrary)
{
    ClassicListing listing;
    listing.kind = ClassicListing::Kind::Fixed;
    listing.surname = surname;
    listing.nameLength = 2;
    listing.classics = classics;
    listing.fixedCharacter = fixedCharacter;
    listing.firstFree = firstFree;
    if ((listing.message = sourceProblem(classics, 2)))
        return listing;
    NameDatabase db = library.open({ DbTable::Name });
    ClassicsDatabase verses = classicsLibrary.open();
    std::optional<FitCharacters> fit = openSources(db, verses, request, listing);
    if (!fit)
        return listing;

    const QList<uint> fixedUcs4 = fixedCharacter.toUcs4();
    const char32_t fixedChar = fixedUcs4.size() == 1 ? char32_t(fixedUcs4.first()) : 0;
    QList<Target> targets;
    listing.groupsSearched = int(configurations.size());
    for (int g = 1; g <= int(configurations.size()); ++g) {
        const GoodConfiguration &config = configurations.at(g - 1);
        const qint16 free = config.strokes[firstFree ? 0 : 1];
        targets.append({ g, free, 0 });
        ClassicGroup group;
        group.group = g;
        group.strokes = { config.strokes[0], config.strokes[1] };
        group.freeStrokes = free;
        group.grids = config.grids;
        listing.groups.append(group);
    }
    Finder finder(verses, classics, request.sex);
    std::optional<std::vector<Hit>> hits = fixedChar ? finder.fixed(*fit, fixedChar, firstFree, targets)
                                                     : std::optional<std::vector<Hit>>(std::vector<Hit> {});
    if (!hits || !fillGroups(listing, *hits, verses)) {
        listing.message = ClassicsDatabase::failureMessage();
        listing.databaseFailed = true;
        listing.groups.clear();
        return listing;
    }
    if (!listing.groups.isEmpty())
        return listing;
    // The fixed character may stand next to no character fit for names in these collections at all: then no
    // wish helps, only other collections or another fixed character.
    const auto pairsAtAll
        = [&](ClassicSet c) { return fixedChar && Finder(verses, c, request.sex).pairsAtAll(fixedChar, firstFree).value_or(false); };
    if (!pairsAtAll(classics)) {
        const QString start = nothingFoundStart(classics);
        if (!classics.isAll() && pairsAtAll(ClassicSet::all())) {
            listing.message = UserMessage::warning(start + QStringLiteral("这些典籍里“") + fixedCharacter
                + QStringLiteral("”字不与取名用字相连，您可多选几部典籍再试试。"));
        } else {
            listing.message = UserMessage::warning(start + QStringLiteral("典籍里没有取名用字紧挨在“") + fixedCharacter
                + QStringLiteral("”字") + (firstFree ? QStringLiteral("前") : QStringLiteral("后"))
                + QStringLiteral("，您可换一个固定字再试试。"));
        }
        return listing;
    }
    const auto search = [&](FitCharacters &f, ClassicSet c) {
        Finder again(verses, c, request.sex);
        const auto found = again.fixed(f, fixedChar, firstFree, targets);
        return found && !found->empty();
    };
    listing.message = whatToRelax(
        listing, request, db, *fit, search, QStringLiteral("您可换一个固定字、允许半吉，或改从字库选字再试试。"));
    return listing;
}

} // namespace tolvane
