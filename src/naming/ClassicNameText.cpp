#include "naming/ClassicNameText.h"

#include "naming/CandidateListing.h"
#include "text/VbText.h"

namespace tolvane {

namespace {

QString groupHeading(const ClassicListing &listing, const ClassicGroup &group)
{
    const QString from = QStringLiteral("，取自") + listing.classics.names(QStringLiteral("、"))
        + QStringLiteral("，有以下名字可选：") + kCrLf;
    if (listing.kind == ClassicListing::Kind::Fixed) {
        const QString pattern = listing.firstFree ? QStringLiteral("-") + listing.fixedCharacter
                                                  : listing.fixedCharacter + QStringLiteral("-");
        return listing.surname + pattern + QStringLiteral("配") + decimal(group.freeStrokes) + QStringLiteral("画的字")
            + from;
    }
    if (listing.nameLength == 1)
        return listing.surname + QStringLiteral("姓配") + decimal(group.strokes[0]) + QStringLiteral("画字") + from;
    return listing.surname + QStringLiteral("姓配") + decimal(group.strokes[0]) + QStringLiteral("+")
        + decimal(group.strokes[1]) + QStringLiteral("画字组成的双字名") + from;
}

} // namespace

QString ClassicNameText::source(const ClassicVerse &verse)
{
    // The collections cited as books name themselves before the title; a Tang poem or a Song lyric is cited
    // by its poet and title.
    const bool book = verse.classic != Classic::Tangshi && verse.classic != Classic::Songci
        && verse.classic != Classic::Songshi;
    QString title = verse.title;
    if (book)
        title = title.isEmpty() ? classicName(verse.classic) : classicName(verse.classic) + QStringLiteral("·") + title;
    return QStringLiteral("——") + verse.author + QStringLiteral("《") + title + QStringLiteral("》");
}

qsizetype ClassicNameText::namePosition(const QString &line, const QString &given)
{
    return given.isEmpty() ? -1 : line.indexOf(given);
}

MarkedText ClassicNameText::listing(const ClassicListing &listing)
{
    MarkedText out;
    out.append(CandidateListing::heading());
    static const QString indent = QStringLiteral("　　");
    for (const ClassicGroup &group : listing.groups) {
        out.append(groupHeading(listing, group));
        for (const ClassicName &name : group.names) {
            out.append(listing.surname + name.given + kCrLf);
            out.append(indent);
            const QString &line = name.verse.text;
            const qsizetype at = namePosition(line, name.given);
            if (at < 0) {
                out.append(line);
            } else {
                out.append(line.left(at));
                out.append(line.mid(at, name.given.size()), true);
                out.append(line.mid(at + name.given.size()));
            }
            out.append(source(name.verse) + kCrLf);
        }
        out.append(CandidateListing::gridLines(group.grids) + kCrLf + kCrLf);
    }
    out.append(CandidateListing::countLine(int(listing.groups.size())));
    return out;
}

} // namespace tolvane
