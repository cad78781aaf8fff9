#include "analysis/CharacterLookups.h"

#include "data/NameDatabase.h"
#include "numerology/Vocabulary.h"
#include "text/Characters.h"
#include "text/VbText.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QSet>

#include <algorithm>
#include <array>

namespace tolvane {

namespace {

const QString kNoCharacter = QStringLiteral("您还没有输入汉字。");

// A read that fails after the library was opened (a damaged page): the database failure, and the pane's wait
// notice replaced by nothing.
LookupAnswer unreadable()
{
    LookupAnswer answer = LookupAnswer::failed(DatabaseFailure::unreadable());
    answer.value = LookupResult {};
    return answer;
}

// The answer for the pane, and the fields with the same text.
LookupResult result(const QString &text, QJsonObject fields)
{
    fields.insert(QStringLiteral("text"), withLineFeeds(text));
    return { text, fields };
}

void announce(const WaitNotice &notice, const QString &text)
{
    if (notice)
        notice(text);
}

} // namespace

LookupAnswer CharacterLookups::characterStrokes(const QString &input, const Library &library,
                                                const WaitNotice &notice)
{
    QString text = trimSpaces(input);
    text.remove(QLatin1Char(' '));
    const QStringList chars = splitCharacters(text);
    if (chars.size() > kMaxStrokeCharacters) {
        return LookupAnswer::refused(UserMessage::warning(QStringLiteral("在此最多可输入50个汉字。")));
    }
    if (chars.isEmpty()) {
        return LookupAnswer::refused(UserMessage::warning(kNoCharacter));
    }

    NameDatabase db = library.open({DbTable::Name});
    if (auto failure = db.failure())
        return LookupAnswer::failed(*failure);
    announce(notice, QStringLiteral("请等待1-25秒..."));

    QString lines;
    QJsonArray found;
    for (const QString &c : chars) {
        const std::optional<QList<NameDatabase::LibraryRow>> rows = db.strokeRowsOf(c);
        if (!rows)
            return unreadable();
        for (const NameDatabase::LibraryRow &row : *rows) {
            // The stroke field is six wide, so that the elements line up.
            lines += QStringLiteral("“") + c + QStringLiteral("”") + QStringLiteral(" 字笔画数是： ") + row.strokes
                + QString(qMax<qsizetype>(0, 6 - row.strokes.size()), QLatin1Char(' ')) + QStringLiteral("五行属： ")
                + row.wuxing + kCrLf;
            found.append(QJsonObject { { QStringLiteral("character"), c },
                { QStringLiteral("strokes"), row.strokes.toInt() }, { QStringLiteral("element"), row.wuxing } });
        }
        if (rows->isEmpty()) {
            lines += QStringLiteral(" 对不起，字库中没有") + QStringLiteral("“") + c + QStringLiteral("”")
                + QStringLiteral(" 字") + kCrLf;
            found.append(QJsonObject { { QStringLiteral("character"), c }, { QStringLiteral("strokes"), QJsonValue() },
                { QStringLiteral("element"), QJsonValue() } });
        }
    }
    return result(lines, { { QStringLiteral("characters"), found } });
}

LookupAnswer CharacterLookups::charactersByStrokes(const QString &input, const Library &library,
                                                   const WaitNotice &notice)
{
    const QString text = trimSpaces(input);
    if (text.isEmpty()) {
        return LookupAnswer::refused(UserMessage::warning(QStringLiteral("您还没有输入笔画数。")));
    }
    const std::optional<qint16> n = toInt16(text);
    if (!n) {
        return LookupAnswer::refused(
            UserMessage::warning(QStringLiteral("输入的笔画数不是数字或太大。"), QStringLiteral("笔画数错误")));
    }
    if (*n > kMaxStrokes) {
        return LookupAnswer::refused(UserMessage::warning(QStringLiteral("笔画数最大应是30。")));
    }

    NameDatabase db = library.open({DbTable::Name});
    if (auto failure = db.failure())
        return LookupAnswer::failed(*failure);
    announce(notice, QStringLiteral("请等待3-10秒..."));

    const std::optional<QList<NameDatabase::LibraryRow>> rows = db.rowsWithStrokes(*n);
    if (!rows)
        return unreadable();
    // The groups in the order 金木水火土; a row whose wuxing is no single element is not listed.
    constexpr std::array<Element, 5> order = ElementSet::kWishOrder;
    std::array<QStringList, 5> groups;
    for (const NameDatabase::LibraryRow &row : *rows) {
        const std::optional<Element> element =
            row.wuxing.size() == 1 ? elementFromChar(row.wuxing.at(0)) : std::nullopt;
        if (element)
            groups[std::size_t(std::find(order.begin(), order.end(), *element) - order.begin())].append(row.namechr);
    }

    // The characters stand apart, a blank between two, so that each can be read and picked out.
    QString answer = decimal(*n) + QStringLiteral(" 画的字如下所示：") + kCrLf;
    QJsonArray elements;
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (i > 0)
            answer += kCrLf + kCrLf;
        answer += QStringLiteral("五行属“") + elementChar(order[i]) + QStringLiteral("”的字有：") + kCrLf
            + groups[i].join(QLatin1Char(' '));
        elements.append(QJsonObject { { QStringLiteral("element"), QString(elementChar(order[i])) },
            { QStringLiteral("characters"), QJsonArray::fromStringList(groups[i]) } });
    }
    return result(answer, { { QStringLiteral("strokes"), *n }, { QStringLiteral("elements"), elements } });
}

LookupAnswer CharacterLookups::homophones(const QString &input, const Library &library, const WaitNotice &notice)
{
    const QString text = trimSpaces(input);
    if (text.isEmpty()) {
        return LookupAnswer::refused(UserMessage::warning(kNoCharacter));
    }
    if (splitCharacters(text).size() > 1) {
        return LookupAnswer::refused(UserMessage::warning(QStringLiteral("在此只能输入一个字。")));
    }

    NameDatabase db = library.open({DbTable::Name});
    if (auto failure = db.failure())
        return LookupAnswer::failed(*failure);
    announce(notice, QStringLiteral("请等待1-10秒..."));

    const std::optional<QList<NameDatabase::LibraryRow>> own = db.rowsOf(text);
    if (!own)
        return unreadable();
    const QString pinyin = own->isEmpty() ? QString() : own->constFirst().pinyin;
    QStringList readings = pinyin.split(QStringLiteral("、")).mid(0, kMaxReadings);
    readings.removeDuplicates(); // a reading listed twice is one group

    QString answer = QStringLiteral("“") + text + QStringLiteral("”字的同音字有：") + kCrLf + kCrLf;
    QJsonArray groups;
    for (const QString &reading : readings) {
        const std::optional<QStringList> chars = db.charactersReading(reading);
        if (!chars)
            return unreadable();
        // Each group says its reading. A character whose traditional form is in the group too stands once,
        // with that form after it in brackets, instead of both standing apart as two homophones.
        QHash<QString, QString> traditionalOf;
        QSet<QString> traditionals;
        for (const QString &ch : *chars) {
            const std::optional<QList<NameDatabase::LibraryRow>> rows = db.rowsOf(ch);
            if (!rows)
                return unreadable();
            const QString traditional = rows->isEmpty() ? QString() : rows->constFirst().fantizi;
            if (!traditional.isEmpty() && traditional != ch && chars->contains(traditional) && !traditionals.contains(ch)
                && !traditionalOf.contains(traditional)) {
                traditionalOf.insert(ch, traditional);
                traditionals.insert(traditional);
            }
        }
        QStringList shown;
        for (const QString &ch : *chars) {
            if (traditionalOf.contains(ch))
                shown.append(ch + QStringLiteral("（") + traditionalOf.value(ch) + QStringLiteral("）"));
            else if (!traditionals.contains(ch))
                shown.append(ch);
        }
        const QString label = reading.isEmpty() ? QStringLiteral("读音不详的字：") : QStringLiteral("读 %1 的字：").arg(reading);
        answer += label + shown.join(QLatin1Char(' ')) + kCrLf + kCrLf;
        groups.append(QJsonObject { { QStringLiteral("reading"), reading },
            { QStringLiteral("characters"), QJsonArray::fromStringList(*chars) } });
    }
    return result(answer, { { QStringLiteral("character"), text }, { QStringLiteral("readings"), groups } });
}

LookupAnswer CharacterLookups::characterMeanings(const QString &input, const Library &library,
                                                 const QString &makerAddress, const WaitNotice &notice,
                                                 const NameSoundChecker *sound)
{
    // Taken as typed: a space is a character here, and counts towards the four.
    const QStringList chars = splitCharacters(input);
    if (chars.size() > kMaxMeaningCharacters) {
        return LookupAnswer::refused(UserMessage::plain(QStringLiteral("在此最多输入四个汉字。")));
    }
    if (chars.isEmpty()) {
        return LookupAnswer::refused(UserMessage::plain(kNoCharacter));
    }

    NameDatabase db = library.open({DbTable::Name});
    if (auto failure = db.failure())
        return LookupAnswer::failed(*failure);
    announce(notice, QStringLiteral("请等待1-10秒..."));

    QString body;
    QString meanings;
    QJsonArray found;
    for (const QString &c : chars) {
        const std::optional<QList<NameDatabase::LibraryRow>> rows = db.rowsOf(c);
        if (!rows)
            return unreadable();
        // The readings as names use them when the sound file knows the character, else the library's list.
        const QStringList readings = sound ? sound->readings(c) : QStringList();
        const QString shown = readings.join(QStringLiteral("、"));
        for (const NameDatabase::LibraryRow &row : *rows) {
            const QString pinyin = shown.isEmpty() ? row.pinyin : shown;
            body += pinyin + kCrLf + row.fantizi + kCrLf + row.meaning + kCrLf + kCrLf + kCrLf;
            meanings += row.meaning;
            found.append(QJsonObject { { QStringLiteral("character"), c }, { QStringLiteral("pinyin"), pinyin },
                { QStringLiteral("traditional"), row.fantizi },
                { QStringLiteral("meaning"), withLineFeeds(row.meaning) } });
        }
    }
    if (meanings.isEmpty()) {
        // The message, and the pane emptied.
        LookupAnswer answer = LookupResult {};
        answer.messages.append(UserMessage::plain(QStringLiteral("字库里没有您输入的字，或者您目前使用的起名字库没有输入字义。")
                                                  + QStringLiteral("如果是后者，请去青禾主页下载带字义的字库。") + makerAddress));
        return answer;
    }
    return result(
        QStringLiteral("“") + input + QStringLiteral("”") + QStringLiteral(" 字义如下： ") + kCrLf + kCrLf + body,
        { { QStringLiteral("characters"), found } });
}

} // namespace tolvane
