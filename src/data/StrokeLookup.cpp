#include "data/StrokeLookup.h"

#include "data/NameDatabase.h"
#include "text/VbText.h"

namespace tolvane {

StrokeLookup::Result StrokeLookup::lookupStrokes(const QString &databasePath, const QString &ch)
{
    NameDatabase db(databasePath);
    if (auto failure = db.openWith({DbTable::Name}))
        return {0, failure->message()};
    const RowRead<qint16> read = db.strokesOf(ch);
    if (read.failed)
        return {0, DatabaseFailure::unreadable().message()};
    return {read.row.value_or(kNotInLibrary), std::nullopt};
}

StrokeLookup::SurnameCheck StrokeLookup::checkSurname(const QString &databasePath, const QString &input)
{
    SurnameCheck check;
    const QString s = trimSpaces(input);
    if (s.isEmpty()) {
        check.messages.append(UserMessage::warning(QStringLiteral("您选择“个人起名”吗？您还没有输入姓氏。")));
        return check;
    }
    if (s.size() > 2) {
        check.messages.append(UserMessage::warning(QStringLiteral("您选择“个人起名”吗？姓氏最多是两个字。")));
        return check;
    }
    check.surnameLength = qint16(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        const Result r = lookupStrokes(databasePath, s.mid(i, 1));
        check.strokes[i] = r.strokes;
        if (r.message) {
            check.messages.append(*r.message);
            check.databaseFailed = true;
            return check;
        }
        if (r.strokes == kNotInLibrary) {
            check.messages.append(UserMessage::warning(QStringLiteral("您输入的姓氏本程序没有，请与程序员联系。")));
            return check;
        }
    }
    check.aborted = false;
    return check;
}

StrokeLookup::FixedPattern StrokeLookup::parseFixedPattern(const QString &databasePath, const QString &pattern)
{
    FixedPattern parsed;
    if (pattern.size() == 3) {
        for (int i = 0; i < 3; ++i)
            parsed.chars[i] = pattern.mid(i, 1);
    }
    const auto lookup = [&](const QString &ch) {
        const Result r = lookupStrokes(databasePath, ch);
        if (r.message) {
            // The pattern goes on with 0 strokes; every further lookup shows the message again.
            parsed.messages.append(*r.message);
            parsed.databaseFailed = true;
        }
        return r.strokes;
    };
    const QString dash = QStringLiteral("-");
    parsed.surnameStrokes = lookup(parsed.chars[0]);
    if (parsed.chars[1] != dash)
        parsed.fixedCharStrokes = lookup(parsed.chars[1]);
    if (parsed.chars[2] != dash)
        parsed.fixedCharStrokes = lookup(parsed.chars[2]);
    return parsed;
}

} // namespace tolvane
