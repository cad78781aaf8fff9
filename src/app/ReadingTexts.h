#pragma once

#include "text/UserMessage.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace tolvane {

class Prompter;
class ResultPane;

// The reading texts of the 造命篇 and Help menus (ShowBuiltinText): rows of table text, keyed by Name.
class ReadingTexts final {
public:
    // What one lookup found: the row's Content, or the failure message, or neither (no such row).
    struct Lookup {
        std::optional<QString> content;
        std::optional<UserMessage> message;
    };

    // "xinmingge", "liaofansixun", "sanshiyinguojing", "softprotect".
    static QStringList keys();
    static Lookup lookup(const QString &databasePath, const QString &key);
    // Replaces the whole text of the pane with the row's Content; a missing row leaves the pane as it was.
    static void show(const QString &databasePath, const QString &key, ResultPane &pane, Prompter &prompter);
};

} // namespace tolvane
