#include "app/PasswordRules.h"

#include "app/SettingsStore.h"
#include "text/VbText.h"

#include <QDir>

namespace tolvane {

namespace {

const QString kStartPass = QStringLiteral("StartPass");

} // namespace

QString PasswordRules::masterPassword()
{
    return QStringLiteral("52918604");
}

QString PasswordRules::storedPassword(const SettingsStore &store)
{
    return store.read(kStartPass, QString());
}

bool PasswordRules::passwordSet(const SettingsStore &store)
{
    return !trimSpaces(storedPassword(store)).isEmpty();
}

bool PasswordRules::matches(const QString &entry, const QString &stored)
{
    const QString typed = trimSpaces(entry);
    return typed == trimSpaces(stored) || typed == masterPassword();
}

PasswordMenu PasswordRules::menuFor(const SettingsStore &store)
{
    return passwordSet(store) ? PasswordMenu::Change : PasswordMenu::Set;
}

QString PasswordRules::menuCaption(PasswordMenu menu)
{
    return menu == PasswordMenu::Change ? QStringLiteral("取消或修改启动密码(&D)") : QStringLiteral("设置启动密码(&D)");
}

std::optional<UserMessage> PasswordRules::confirmationProblem(const QString &entry, const QString &again)
{
    if (trimSpaces(entry) == trimSpaces(again))
        return std::nullopt;
    return UserMessage::warning(QStringLiteral("两次输入的新密码不一样，请重新输入。"));
}

std::optional<UserMessage> PasswordRules::login(const SettingsStore &store, const QString &entry)
{
    if (matches(entry, storedPassword(store)))
        return std::nullopt;
    return UserMessage::plain(QStringLiteral("密码不对，请重新输入密码。忘记密码请与青禾联系！"));
}

std::optional<UserMessage> PasswordRules::setPassword(SettingsStore &store, const QString &entry)
{
    QString reason;
    if (!store.write(kStartPass, trimSpaces(entry), &reason))
        return notSaved(store.fileName(), reason);
    return std::nullopt;
}

std::optional<UserMessage> PasswordRules::changePassword(
    SettingsStore &store, const QString &oldEntry, const QString &newEntry)
{
    if (!matches(oldEntry, storedPassword(store)))
        return UserMessage::plain(QStringLiteral("原密码不对，请重新输入。"));
    return setPassword(store, newEntry);
}

std::optional<UserMessage> PasswordRules::changePassword(
    SettingsStore &store, const QString &oldEntry, const QString &newEntry, const QString &newAgain)
{
    if (!matches(oldEntry, storedPassword(store)))
        return changePassword(store, oldEntry, newEntry);
    if (std::optional<UserMessage> differ = confirmationProblem(newEntry, newAgain))
        return differ;
    return setPassword(store, newEntry);
}

UserMessage PasswordRules::notSaved(const QString &settingsFile, const QString &reason)
{
    return UserMessage::warning(QStringLiteral("启动密码没有改变：无法写入设置文件 ")
        + QDir::toNativeSeparators(settingsFile) + QStringLiteral("（") + reason + QStringLiteral("）。"));
}

} // namespace tolvane
