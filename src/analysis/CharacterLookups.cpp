#include "analysis/CharacterLookups.h"

#include "data/NameDatabase.h"
#include "text/Characters.h"
#include "text/VbText.h"

#include <algorithm>
#include <array>

namespace tolvane {

namespace {

const QString kNoCharacter = QStringLiteral("您还没有输入汉字。");

// Opens the library with its name table; on failure the answer carries the table's fixed message.
bool openLibrary(NameDatabase &db, LookupAnswer &answer)
{
    if (auto failure = db.openWith({DbTable::Name})) {
        answer.message = failure->message();
        answer.databaseFailed = true;
        return false;
    }
    return true;
}

// A read that fails after the library was opened (a damaged page): the database failure, and the wait notice
// goes from the pane.
LookupAnswer unreadable()
{
    LookupAnswer answer;
    answer.message = DatabaseFailure::unreadable().message();
    answer.replacement = QString();
    answer.databaseFailed = true;
    return answer;
}

void announce(const WaitNotice &notice, const QString &text)
{
    if (notice)
        notice(text);
}

} // namespace

LookupAnswer CharacterLookups::ShowCharacterStrokes(const QString &input, const QString &databasePath,
                                                    const WaitNotice &notice)
{
    LookupAnswer answer;
    QString text = trimSpaces(input);
    text.remove(QLatin1Char(' '));
    const QStringList chars = splitCharacters(text);
    if (chars.size() > kMaxStrokeCharacters) {
        answer.message = UserMessage::warning(QStringLiteral("在此最多可输入50个汉字。"));
        return answer;
    }
    if (chars.isEmpty()) {
        answer.message = UserMessage::warning(kNoCharacter);
        return answer;
    }

    NameDatabase db(databasePath);
    if (!openLibrary(db, answer))
        return answer;
    announce(notice, QStringLiteral("请等待1-25秒..."));

    QString lines;
    for (const QString &c : chars) {
        const std::optional<QList<NameDatabase::LibraryRow>> rows = db.strokeRowsOf(c);
        if (!rows)
            return unreadable();
        for (const NameDatabase::LibraryRow &row : *rows) {
            // The stroke field is six wide, so that the elements line up.
            lines += QStringLiteral("“") + c + QStringLiteral("”") + QStringLiteral(" 字笔画数是： ") + row.strokes
                + QString(qMax<qsizetype>(0, 6 - row.strokes.size()), QLatin1Char(' ')) + QStringLiteral("五行属： ")
                + row.wuxing + kCrLf;
        }
        if (rows->isEmpty())
            lines += QStringLiteral(" 对不起，字库中没有") + QStringLiteral("“") + c + QStringLiteral("”")
                + QStringLiteral(" 字") + kCrLf;
    }
    answer.replacement = lines;
    return answer;
}

LookupAnswer CharacterLookups::ListCharactersByStrokes(const QString &input, const QString &databasePath,
                                                       const WaitNotice &notice)
{
    LookupAnswer answer;
    const QString text = trimSpaces(input);
    if (text.isEmpty()) {
        answer.message = UserMessage::warning(QStringLiteral("您还没有输入笔画数。"));
        return answer;
    }
    const std::optional<qint16> n = toInt16(text);
    if (!n) {
        answer.message = UserMessage::warning(QStringLiteral("输入的笔画数不是数字或太大。"), QStringLiteral("笔画数错误"));
        return answer;
    }
    if (*n > kMaxStrokes) {
        answer.message = UserMessage::warning(QStringLiteral("笔画数最大应是30。"));
        return answer;
    }

    NameDatabase db(databasePath);
    if (!openLibrary(db, answer))
        return answer;
    announce(notice, QStringLiteral("请等待3-10秒..."));

    const std::optional<QList<NameDatabase::LibraryRow>> rows = db.rowsWithStrokes(*n);
    if (!rows)
        return unreadable();
    static const std::array<QString, 5> elements{QStringLiteral("金"), QStringLiteral("木"), QStringLiteral("水"),
                                                 QStringLiteral("火"), QStringLiteral("土")};
    std::array<QString, 5> groups;
    for (const NameDatabase::LibraryRow &row : *rows) {
        const auto it = std::find(elements.begin(), elements.end(), row.wuxing);
        if (it != elements.end())
            groups[std::size_t(it - elements.begin())] += row.namechr;
    }

    QString result = decimal(*n) + QStringLiteral(" 画的字如以所示：") + kCrLf;
    for (std::size_t i = 0; i < elements.size(); ++i) {
        if (i > 0)
            result += kCrLf + kCrLf;
        result += QStringLiteral("五行属“") + elements[i] + QStringLiteral("”的字有：") + kCrLf + groups[i];
    }
    answer.replacement = result;
    return answer;
}

LookupAnswer CharacterLookups::ListHomophones(const QString &input, const QString &databasePath,
                                              const WaitNotice &notice)
{
    LookupAnswer answer;
    const QString text = trimSpaces(input);
    if (text.isEmpty()) {
        answer.message = UserMessage::warning(kNoCharacter);
        return answer;
    }
    if (splitCharacters(text).size() > 1) {
        answer.message = UserMessage::warning(QStringLiteral("在此只能输入一个字。"));
        return answer;
    }

    NameDatabase db(databasePath);
    if (!openLibrary(db, answer))
        return answer;
    announce(notice, QStringLiteral("请等待1-10秒..."));

    const std::optional<QList<NameDatabase::LibraryRow>> own = db.rowsOf(text);
    if (!own)
        return unreadable();
    const QString pinyin = own->isEmpty() ? QString() : own->constFirst().pinyin;
    const QStringList readings = pinyin.split(QStringLiteral("、")).mid(0, kMaxReadings);

    QString result = QStringLiteral("“") + text + QStringLiteral("”字的同音字有：") + kCrLf + kCrLf;
    for (const QString &reading : readings) {
        const std::optional<QStringList> chars = db.charactersReading(reading);
        if (!chars)
            return unreadable();
        result += chars->join(QString()) + kCrLf + kCrLf;
    }
    answer.replacement = result;
    return answer;
}

LookupAnswer CharacterLookups::ShowCharacterMeanings(const QString &input, const QString &databasePath,
                                                     const QString &makerAddress, const WaitNotice &notice)
{
    LookupAnswer answer;
    // Taken as typed: a space is a character here, and counts towards the four.
    const QStringList chars = splitCharacters(input);
    if (chars.size() > kMaxMeaningCharacters) {
        answer.message = UserMessage::plain(QStringLiteral("在此最多输入四个汉字。"));
        return answer;
    }
    if (chars.isEmpty()) {
        answer.message = UserMessage::plain(kNoCharacter);
        return answer;
    }

    NameDatabase db(databasePath);
    if (!openLibrary(db, answer))
        return answer;
    announce(notice, QStringLiteral("请等待1-10秒..."));

    QString body;
    QString meanings;
    for (const QString &c : chars) {
        const std::optional<QList<NameDatabase::LibraryRow>> rows = db.rowsOf(c);
        if (!rows)
            return unreadable();
        for (const NameDatabase::LibraryRow &row : *rows) {
            body += row.pinyin + kCrLf + row.fantizi + kCrLf + row.meaning + kCrLf + kCrLf + kCrLf;
            meanings += row.meaning;
        }
    }
    if (meanings.isEmpty()) {
        answer.message = UserMessage::plain(QStringLiteral("字库里没有您输入的字，或者您目前使用的起名字库没有输入字义。")
                                            + QStringLiteral("如果是后者，请去青禾主页下载带字义的字库。") + makerAddress);
        answer.replacement = QString();
        return answer;
    }
    answer.replacement = QStringLiteral("“") + input + QStringLiteral("”") + QStringLiteral(" 字义如下： ") + kCrLf
        + kCrLf + body;
    return answer;
}

} // namespace tolvane
