#include "app/Dispatcher.h"
#include "app/HeadlessView.h"
#include "app/PasswordRules.h"
#include "app/SettingsStore.h"
#include "app/StartupSequence.h"
#include "app/TextPane.h"
#include "fakes/DiskFaults.h"
#include "fakes/FakePrompter.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace tolvane;

namespace {

const QString kWrong = QStringLiteral("密码不对，请重新输入密码。忘记密码请与青禾联系！");
const QString kOldWrong = QStringLiteral("原密码不对，请重新输入。");
const QString kMaster = QStringLiteral("52918604");

struct Store {
    Store()
        : path(dir.filePath(QStringLiteral("TolVane.conf")))
        , store(path)
    {
    }
    QByteArray bytes() const
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    QString path;
    SettingsStore store;
};

} // namespace

class TestStartupPassword : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void comparison_data();
    void comparison();
    void startup_data();
    void startup();
    void refusedStartWritesNothing();
    void setPassword_data();
    void setPassword();
    void settingTwiceOverwrites();
    void settingInAReadOnlyFolder();
    void changePassword_data();
    void changePassword();
};

void TestStartupPassword::comparison_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("same") << QStringLiteral("abc") << QStringLiteral("abc") << true;
    QTest::newRow("stored with blanks, typed without") << QStringLiteral("  abc ") << QStringLiteral("abc") << true;
    QTest::newRow("typed with blanks, stored without") << QStringLiteral("abc") << QStringLiteral(" abc  ") << true;
    QTest::newRow("case counts") << QStringLiteral("abc") << QStringLiteral("ABC") << false;
    QTest::newRow("blank inside counts") << QStringLiteral("a bc") << QStringLiteral("abc") << false;
    QTest::newRow("a tab is not a blank") << QStringLiteral("abc") << QStringLiteral("abc\t") << false;
    QTest::newRow("an ideographic space is not a blank") << QStringLiteral("abc") << QStringLiteral("abc　") << false;
    QTest::newRow("Chinese password") << QStringLiteral("青禾") << QStringLiteral(" 青禾 ") << true;
    QTest::newRow("master password, anything stored") << QStringLiteral("abc") << kMaster << true;
    QTest::newRow("master password with blanks") << QStringLiteral("abc") << QStringLiteral(" 52918604 ") << true;
    QTest::newRow("master password, one digit short") << QStringLiteral("abc") << QStringLiteral("5291860") << false;
    QTest::newRow("empty typed, password stored") << QStringLiteral("abc") << QString() << false;
}

void TestStartupPassword::comparison()
{
    QFETCH(QString, stored);
    QFETCH(QString, entry);
    QFETCH(bool, accepted);
    QCOMPARE(PasswordRules::matches(entry, stored), accepted);
    Store store;
    QVERIFY(store.store.write(QStringLiteral("StartPass"), stored));
    const std::optional<UserMessage> refused = PasswordRules::login(store.store, entry);
    QCOMPARE(!refused, accepted);
    if (refused) {
        QCOMPARE(refused->text, kWrong);
        QCOMPARE(refused->style, UserMessage::Style::Plain);
    }
}

void TestStartupPassword::startup_data()
{
    QTest::addColumn<QString>("stored"); // "-": the key is absent
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<bool>("goesOn");
    QTest::addColumn<int>("prompts");
    QTest::addColumn<int>("wrongMessages");
    QTest::addColumn<QString>("caption");

    const QString set = QStringLiteral("设置启动密码(&D)");
    const QString change = QStringLiteral("取消或修改启动密码(&D)");
    QTest::newRow("no key: no prompt") << QStringLiteral("-") << QStringList() << true << 0 << 0 << set;
    QTest::newRow("empty password: no prompt") << QString() << QStringList() << true << 0 << 0 << set;
    QTest::newRow("blanks only: no prompt") << QStringLiteral("   ") << QStringList() << true << 0 << 0 << set;
    QTest::newRow("right password") << QStringLiteral("abc") << QStringList { QStringLiteral("abc") } << true << 1 << 0
                                    << change;
    QTest::newRow("two wrong tries, then right")
        << QStringLiteral(" abc ") << QStringList { QStringLiteral("x"), QStringLiteral("ab"), QStringLiteral("abc ") }
        << true << 1 << 2 << change;
    QTest::newRow("master password") << QStringLiteral("abc") << QStringList { kMaster } << true << 1 << 0 << change;
    QTest::newRow("wrong, then cancelled")
        << QStringLiteral("abc") << QStringList { QStringLiteral("x") } << false << 1 << 1 << QString();
    QTest::newRow("cancelled at once") << QStringLiteral("abc") << QStringList() << false << 1 << 0 << QString();
}

void TestStartupPassword::startup()
{
    QFETCH(QString, stored);
    QFETCH(QStringList, entries);
    QFETCH(bool, goesOn);
    QFETCH(int, prompts);
    QFETCH(int, wrongMessages);
    QFETCH(QString, caption);

    Store store;
    if (stored != QStringLiteral("-"))
        QVERIFY(store.store.write(QStringLiteral("StartPass"), stored));
    HeadlessView view;
    FakePrompter prompter;
    prompter.passwordEntries = entries;
    bool loginAccepted = false;
    QCOMPARE(StartupSequence::askPassword(store.store, prompter, view, loginAccepted), goesOn);
    QCOMPARE(prompter.passwordPrompts, prompts);
    QCOMPARE(prompter.messages.size(), wrongMessages);
    for (const UserMessage &m : std::as_const(prompter.messages)) {
        QCOMPARE(m.text, kWrong);
        QCOMPARE(m.style, UserMessage::Style::Plain);
    }
    QCOMPARE(view.passwordMenuCaption, caption);
    QCOMPARE(loginAccepted, prompts > 0 && goesOn);
}

void TestStartupPassword::refusedStartWritesNothing()
{
    Store store;
    QVERIFY(store.store.write(QStringLiteral("StartPass"), QStringLiteral("abc")));
    const QByteArray before = store.bytes();
    HeadlessView view;
    FakePrompter prompter;
    prompter.passwordEntries = { QStringLiteral("wrong") };
    bool loginAccepted = false;
    QVERIFY(!StartupSequence::askPassword(store.store, prompter, view, loginAccepted));
    QCOMPARE(store.bytes(), before);
    QCOMPARE(view.layoutRestores, 0);
}

void TestStartupPassword::setPassword_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("isSet");
    QTest::newRow("plain") << QStringLiteral("abc") << QStringLiteral("abc") << true;
    QTest::newRow("blanks are trimmed") << QStringLiteral("  abc ") << QStringLiteral("abc") << true;
    QTest::newRow("empty removes the password") << QString() << QString() << false;
    QTest::newRow("blanks only remove it too") << QStringLiteral("   ") << QString() << false;
    QTest::newRow("Chinese and digits") << QStringLiteral("青禾2024") << QStringLiteral("青禾2024") << true;
}

void TestStartupPassword::setPassword()
{
    QFETCH(QString, entry);
    QFETCH(QString, stored);
    QFETCH(bool, isSet);
    Store store;
    QVERIFY(store.store.write(QStringLiteral("StartPass"), QStringLiteral("old")));
    QVERIFY(!PasswordRules::setPassword(store.store, entry));
    QCOMPARE(store.store.read(QStringLiteral("StartPass"), QStringLiteral("-")), stored);
    QCOMPARE(PasswordRules::passwordSet(store.store), isSet);
    // What was set opens the next start; a fresh store object reads the file anew.
    SettingsStore next(store.path);
    if (isSet)
        QVERIFY(!PasswordRules::login(next, entry));
}

void TestStartupPassword::settingTwiceOverwrites()
{
    Store store;
    QVERIFY(!PasswordRules::setPassword(store.store, QStringLiteral("first")));
    QVERIFY(!PasswordRules::setPassword(store.store, QStringLiteral("second")));
    QCOMPARE(PasswordRules::storedPassword(store.store), QStringLiteral("second"));
    QVERIFY(PasswordRules::login(store.store, QStringLiteral("first")));
    QVERIFY(!PasswordRules::login(store.store, QStringLiteral("second")));
}

// The settings folder cannot be written: the password stays as it was, and the message gives the real reason.
void TestStartupPassword::settingInAReadOnlyFolder()
{
    ReadOnlyFolder folder;
    const QString path = folder.filePath(QStringLiteral("TolVane.conf"));
    SettingsStore store(path);
    QVERIFY(store.write(QStringLiteral("StartPass"), QStringLiteral("old")));
    if (!folder.makeReadOnly())
        QSKIP("a read-only folder needs the right to mount, or a user other than root");
    const std::optional<UserMessage> refused = PasswordRules::setPassword(store, QStringLiteral("new"));
    QVERIFY(refused);
    QVERIFY2(refused->text == PasswordRules::notSaved(path, QStringLiteral("磁盘是只读的")).text
            || refused->text == PasswordRules::notSaved(path, QStringLiteral("没有写入权限")).text,
        qPrintable(refused->text));
    QCOMPARE(PasswordRules::storedPassword(store), QStringLiteral("old"));
}

void TestStartupPassword::changePassword_data()
{
    QTest::addColumn<QString>("oldEntry");
    QTest::addColumn<QString>("newEntry");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("right old, new one") << QStringLiteral("abc") << QStringLiteral("xyz") << true
                                        << QStringLiteral("xyz");
    QTest::newRow("blanks around both") << QStringLiteral(" abc ") << QStringLiteral("  xyz ") << true
                                        << QStringLiteral("xyz");
    QTest::newRow("empty new cancels the password") << QStringLiteral("abc") << QString() << true << QString();
    QTest::newRow("master password as the old one")
        << kMaster << QStringLiteral("xyz") << true << QStringLiteral("xyz");
    QTest::newRow("wrong old") << QStringLiteral("abd") << QStringLiteral("xyz") << false << QStringLiteral(" abc ");
    QTest::newRow("empty old") << QString() << QString() << false << QStringLiteral(" abc ");
}

void TestStartupPassword::changePassword()
{
    QFETCH(QString, oldEntry);
    QFETCH(QString, newEntry);
    QFETCH(bool, changed);
    QFETCH(QString, stored);
    Store store;
    QVERIFY(store.store.write(QStringLiteral("StartPass"), QStringLiteral(" abc ")));
    const std::optional<UserMessage> refused = PasswordRules::changePassword(store.store, oldEntry, newEntry);
    QCOMPARE(!refused, changed);
    if (refused) {
        QCOMPARE(refused->text, kOldWrong);
        QCOMPARE(refused->style, UserMessage::Style::Plain);
    }
    QCOMPARE(PasswordRules::storedPassword(store.store), stored);
}

QTEST_GUILESS_MAIN(TestStartupPassword)
#include "tst_startuppassword.moc"
