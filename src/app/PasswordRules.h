#pragma once

#include "text/UserMessage.h"

#include <QString>

#include <optional>

namespace tolvane {

class SettingsStore;

// What mnu_SetPass opens: frmSetPass for a first password, or frmCancelPass to change or remove the one stored.
enum class PasswordMenu { Set, Change };

// The start-up password: kept as plain text under StartPass, empty meaning none. Every comparison trims
// blanks from both texts first; the master password opens the program and unlocks a change whatever is
// stored, for users who forgot theirs.
class PasswordRules final {
public:
    static QString masterPassword();
    static QString storedPassword(const SettingsStore &store);
    static bool passwordSet(const SettingsStore &store);
    static bool matches(const QString &entry, const QString &stored);

    // mnu_SetPass for the password stored now, and its caption: "设置启动密码(&D)" or "取消或修改启动密码(&D)".
    static PasswordMenu menuFor(const SettingsStore &store);
    static QString menuCaption(PasswordMenu menu);

    // A new password is typed twice, hidden: the message when the two entries differ (blanks around them
    // do not count), else nothing.
    static std::optional<UserMessage> confirmationProblem(const QString &entry, const QString &again);

    // frmLogin's OK: nothing when the entry opens the program, else the message to show.
    static std::optional<UserMessage> login(const SettingsStore &store, const QString &entry);
    // frmSetPass's OK: an empty entry removes the password. Nothing when it was written, else the message.
    static std::optional<UserMessage> setPassword(SettingsStore &store, const QString &entry);
    // frmCancelPass's OK: nothing when the new password (empty: none) was written, else the message.
    static std::optional<UserMessage> changePassword(
        SettingsStore &store, const QString &oldEntry, const QString &newEntry);
    // The same with the new password typed a second time: the old one is checked first, then the two entries.
    static std::optional<UserMessage> changePassword(
        SettingsStore &store, const QString &oldEntry, const QString &newEntry, const QString &newAgain);
    // The message when the settings file cannot be replaced; the password stays as it was.
    static UserMessage notSaved(const QString &settingsFile, const QString &reason);
};

} // namespace tolvane
