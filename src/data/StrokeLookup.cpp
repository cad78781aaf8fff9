#include "data/StrokeLookup.h"

#include "data/NameDatabase.h"

namespace tolvane {

Outcome<qint16> StrokeLookup::strokesOf(const Library &library, const QString &ch)
{
    NameDatabase db = library.open({DbTable::Name});
    std::optional<DatabaseFailure> failure = db.failure();
    RowRead<qint16> read;
    // A damaged library: the same failure as one that cannot be opened, never "not in the library".
    if (!failure && (read = db.strokesOf(ch)).failed)
        failure = DatabaseFailure::unreadable();
    if (failure) {
        Outcome<qint16> unread = Outcome<qint16>::failed(*failure);
        unread.value = 0;
        return unread;
    }
    return read.row.value_or(kNotInLibrary);
}

Outcome<StrokeLookup::Surname> StrokeLookup::checkSurname(const Library &library, const PersonName &typed)
{
    Outcome<Surname> check = Surname {};
    Surname &surname = *check.value;
    if (typed.isEmpty()) {
        check.messages.append(UserMessage::warning(QStringLiteral("您选择“个人起名”吗？您还没有输入姓氏。")));
        return check;
    }
    const QStringList &chars = typed.characters();
    if (chars.size() > 2) {
        check.messages.append(UserMessage::warning(QStringLiteral("您选择“个人起名”吗？姓氏最多是两个字。")));
        return check;
    }
    surname.length = qint16(chars.size());
    for (qsizetype i = 0; i < chars.size(); ++i) {
        const Outcome<qint16> r = strokesOf(library, chars.at(i));
        surname.strokes[i] = *r.value;
        if (r.databaseFailed) {
            check.messages += r.messages;
            check.databaseFailed = true;
            return check;
        }
        if (*r.value == kNotInLibrary) {
            check.messages.append(UserMessage::warning(QStringLiteral("您输入的姓氏本程序没有，请与程序员联系。")));
            return check;
        }
    }
    surname.accepted = true;
    return check;
}

Outcome<StrokeLookup::FixedPattern> StrokeLookup::parseFixedPattern(const Library &library, const PersonName &pattern)
{
    FixedPattern p;
    const QStringList &chars = pattern.characters();
    if (chars.size() == 3)
        std::copy(chars.begin(), chars.end(), p.chars.begin());
    // One connection for the whole pattern; the first failure of the library ends the parse with its one
    // message, so that nothing is searched with strokes that were never read.
    NameDatabase db = library.open({ DbTable::Name });
    if (auto failure = db.failure())
        return Outcome<FixedPattern>::failed(*failure);
    bool unreadable = false;
    const auto lookup = [&](const QString &ch) -> qint16 {
        if (unreadable)
            return 0;
        const RowRead<qint16> read = db.strokesOf(ch);
        unreadable = read.failed;
        return read.row.value_or(kNotInLibrary);
    };
    const QString dash = QStringLiteral("-");
    p.surnameStrokes = lookup(p.chars[0]);
    if (p.chars[1] != dash)
        p.fixedCharStrokes = lookup(p.chars[1]);
    if (p.chars[2] != dash)
        p.fixedCharStrokes = lookup(p.chars[2]);
    if (unreadable)
        return Outcome<FixedPattern>::failed(DatabaseFailure::unreadable());
    return p;
}

Outcome<QList<int>> StrokeLookup::strokesOfName(const Library &library, const PersonName &name)
{
    // One connection serves the whole name: nothing else can touch the library between two characters.
    NameDatabase db = library.open({ DbTable::Name });
    if (auto failure = db.failure())
        return Outcome<QList<int>>::failed(*failure);
    return strokesOfName(db, name);
}

Outcome<QList<int>> StrokeLookup::strokesOfName(NameDatabase &db, const PersonName &name)
{
    QList<int> strokes;
    for (const QString &ch : name.characters()) {
        const RowRead<qint16> count = db.strokesOf(ch);
        if (count.failed)
            return Outcome<QList<int>>::failed(DatabaseFailure::unreadable());
        if (!count.row) {
            return Outcome<QList<int>>::refused(
                UserMessage::warning(QStringLiteral("字库中没有 ") + ch + QStringLiteral(" 字，请与程序员联系。")));
        }
        strokes.append(*count.row);
    }
    return strokes;
}

} // namespace tolvane
