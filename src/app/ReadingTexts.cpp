#include "app/ReadingTexts.h"

#include "data/NameDatabase.h"

namespace tolvane {

QStringList ReadingTexts::keys()
{
    return {QStringLiteral("xinmingge"), QStringLiteral("liaofansixun"), QStringLiteral("sanshiyinguojing"),
            QStringLiteral("softprotect")};
}

Outcome<QString> ReadingTexts::lookup(const Library &library, const QString &key)
{
    NameDatabase db = library.open({DbTable::Text}, DatabaseFailure::Wording::OpenInDesign);
    if (auto failure = db.failure())
        return Outcome<QString>::failed(*failure);
    const RowRead<QString> content = db.textContent(key);
    if (content.failed)
        return Outcome<QString>::failed(DatabaseFailure::unreadable());
    Outcome<QString> found;
    found.value = content.row;
    return found;
}

} // namespace tolvane
