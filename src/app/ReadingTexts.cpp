#include "app/ReadingTexts.h"

#include "data/NameDatabase.h"

namespace tolvane {

QStringList ReadingTexts::keys()
{
    return {QStringLiteral("xinmingge"), QStringLiteral("liaofansixun"), QStringLiteral("sanshiyinguojing"),
            QStringLiteral("softprotect")};
}

Outcome<QString> ReadingTexts::lookup(const QString &databasePath, const QString &key)
{
    NameDatabase db(databasePath);
    if (const std::optional<DatabaseFailure> failure = db.open())
        return Outcome<QString>::failed(*failure);
    if (const std::optional<DatabaseFailure> failure =
            db.openTable(DbTable::Text, DatabaseFailure::Wording::OpenInDesign))
        return Outcome<QString>::failed(*failure);
    const RowRead<QString> content = db.textContent(key);
    if (content.failed)
        return Outcome<QString>::failed(DatabaseFailure::unreadable());
    Outcome<QString> found;
    found.value = content.row;
    return found;
}

} // namespace tolvane
