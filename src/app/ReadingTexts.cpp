#include "app/ReadingTexts.h"

#include "app/Prompter.h"
#include "app/ResultPane.h"
#include "data/NameDatabase.h"

namespace tolvane {

QStringList ReadingTexts::keys()
{
    return {QStringLiteral("xinmingge"), QStringLiteral("liaofansixun"), QStringLiteral("sanshiyinguojing"),
            QStringLiteral("softprotect")};
}

ReadingTexts::Lookup ReadingTexts::lookup(const QString &databasePath, const QString &key)
{
    NameDatabase db(databasePath);
    if (const std::optional<DatabaseFailure> failure = db.open())
        return {std::nullopt, failure->message()};
    if (const std::optional<DatabaseFailure> failure =
            db.openTable(DbTable::Text, DatabaseFailure::Wording::OpenInDesign))
        return {std::nullopt, failure->message()};
    const RowRead<QString> content = db.textContent(key);
    if (content.failed)
        return {std::nullopt, DatabaseFailure::unreadable().message()};
    return {content.row, std::nullopt};
}

void ReadingTexts::show(const QString &databasePath, const QString &key, ResultPane &pane, Prompter &prompter)
{
    const Lookup found = lookup(databasePath, key);
    if (found.message)
        prompter.showMessage(*found.message);
    else if (found.content)
        pane.setText(*found.content);
}

} // namespace tolvane
