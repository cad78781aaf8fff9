#include "data/LibraryCorrection.h"

#include "data/NameDatabase.h"
#include "data/StrokeLookup.h"
#include "text/Characters.h"
#include "text/VbText.h"

namespace tolvane {

const QString LibraryCorrection::kDone = QStringLiteral("更改完毕！");

Outcome<QString> LibraryCorrection::apply(const Library &library, const QString &character, const QString &strokes)
{
    const auto refuse = [](const QString &text) { return Outcome<QString>::refused(UserMessage::warning(text)); };
    // Both texts are taken as typed: blanks around the character count as characters.
    if (character.isEmpty())
        return refuse(QStringLiteral("您还没有输入汉字。"));
    if (strokes.isEmpty())
        return refuse(QStringLiteral("您还没有输入笔画数。"));
    if (splitCharacters(character).size() > 1)
        return refuse(QStringLiteral("在此只能输入一个汉字。"));
    const std::optional<qint16> n = toInt16(strokes);
    if (!n)
        return refuse(QStringLiteral("笔画数只能输入数字。"));
    if (*n < 0 || *n > kMaxStrokes)
        return refuse(QStringLiteral("笔画数不能是负数或太大。"));

    // The same file every lookup reads, whatever the current directory happens to be.
    NameDatabase db = library.open({DbTable::Name}, DatabaseFailure::Wording::OpenInDesign);
    if (auto failure = db.failure())
        return Outcome<QString>::failed(*failure);
    switch (db.setFirstStrokes(character, *n)) {
    case NameDatabase::WriteOutcome::Written:
        return kDone;
    case NameDatabase::WriteOutcome::NoSuchRow:
        return refuse(QStringLiteral("起名字库中没有您输入的汉字。"));
    case NameDatabase::WriteOutcome::Unreadable:
        return Outcome<QString>::failed(DatabaseFailure::unreadable());
    case NameDatabase::WriteOutcome::Failed:
        break;
    }
    return refuse(QStringLiteral("新的笔画数没能写入起名字库，字库保持原样。请确认namedbs.mdb没有被其他程序占用、")
                  + QStringLiteral("文件可以写入，然后再试一次。"));
}

QString LibraryCorrection::presentStrokes(const Library &library, const QString &character)
{
    if (splitCharacters(character).size() != 1)
        return {};
    const Outcome<qint16> found = StrokeLookup::strokesOf(library, character);
    if (!found.value || *found.value == 0)
        return {};
    if (*found.value == StrokeLookup::kNotInLibrary)
        return QStringLiteral("起名字库中没有“%1”字。").arg(character);
    return QStringLiteral("“%1”字现在的笔画数是 %2。").arg(character).arg(*found.value);
}

} // namespace tolvane
