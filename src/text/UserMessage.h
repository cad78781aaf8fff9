#pragma once

#include <QString>

namespace tolvane {

// A message box the logic asks a person to read: a plain box (OK, no icon) or a warning box
// (OK, exclamation icon). An empty title means the application's title.
struct UserMessage {
    enum class Style { Plain, Warning };

    QString text;
    QString title;
    Style style = Style::Warning;

    static UserMessage plain(const QString &text, const QString &title = {})
    {
        return {text, title, Style::Plain};
    }
    static UserMessage warning(const QString &text, const QString &title = {})
    {
        return {text, title, Style::Warning};
    }

    bool operator==(const UserMessage &) const = default;
};

} // namespace tolvane
