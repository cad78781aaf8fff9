#include "app/AddressOpener.h"
#include "app/AppInfo.h"
#include "app/HelpPages.h"
#include "app/SettingsStore.h"
#include "fakes/TestLibrary.h"
#include "ui/AboutDialog.h"
#include "ui/FontSetup.h"
#include "ui/MainWindow.h"
#include "ui/SplashWindow.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>

#include <functional>

using namespace tolvane;

namespace {

using Keys = QMap<QString, QString>;
using Match = std::function<bool(QWidget *)>;
using Act = std::function<void(QWidget *)>;

const QString kWrong = QStringLiteral("密码不对，请重新输入密码。忘记密码请与青禾联系！");
const QString kSetCaption = QStringLiteral("设置启动密码(&D)");
const QString kChangeCaption = QStringLiteral("取消或修改启动密码(&D)");

// Waits for the next modal window `match` accepts, then acts on it. Gives up after a few seconds so that a
// window that never comes fails the test instead of hanging it.
void whenModal(const Match &match, const Act &act, int triesLeft = 500)
{
    QTimer::singleShot(10, [=] {
        QWidget *w = QApplication::activeModalWidget();
        if (w && match(w)) {
            act(w);
            return;
        }
        if (triesLeft > 0)
            whenModal(match, act, triesLeft - 1);
    });
}

Match named(const char *name)
{
    return [name](QWidget *w) { return w->objectName() == QLatin1String(name); };
}

bool isBox(QWidget *w)
{
    return qobject_cast<QMessageBox *>(w) != nullptr;
}

struct BoxSeen {
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::Critical;
    int count = 0;
};

void answerBox(BoxSeen &seen)
{
    whenModal(isBox, [&seen](QWidget *w) {
        auto *box = static_cast<QMessageBox *>(w);
        seen.text = box->text();
        seen.title = box->windowTitle();
        seen.icon = box->icon();
        ++seen.count;
        box->button(QMessageBox::Ok)->click();
    });
}

template <typename T> T *child(QWidget *parent, const char *name)
{
    return parent->findChild<T *>(QString::fromLatin1(name));
}

void click(QWidget *parent, const char *button)
{
    auto *b = child<QPushButton>(parent, button);
    QVERIFY2(b, button);
    b->click();
}

void type(QWidget *parent, const char *edit, const QString &text)
{
    auto *e = child<QLineEdit>(parent, edit);
    QVERIFY2(e, edit);
    e->clear();
    QTest::keyClicks(e, text);
}

// Stands in for xdg-open: writes each address it is handed to a file, or fails as xdg-open does when no
// browser or mail program is set up.
class OpenerStandIn {
public:
    explicit OpenerStandIn(const QString &dir)
        : m_log(dir + QStringLiteral("/opened.txt"))
        , m_script(dir + QStringLiteral("/opener.sh"))
    {
        write(true);
    }
    ~OpenerStandIn() { AddressOpener::setProgram(QStringLiteral("xdg-open")); }
    // Whether the stand-in opens what it is handed or fails with status 4.
    void write(bool succeeds) const
    {
        QFile script(m_script);
        if (!script.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return;
        script.write(succeeds ? QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$1\" >> '%1'\n").arg(m_log).toUtf8()
                              : QByteArray("#!/bin/sh\nexit 4\n"));
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        AddressOpener::setProgram(m_script);
    }
    QStringList opened() const
    {
        QFile log(m_log);
        if (!log.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(log.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

private:
    QString m_log;
    QString m_script;
};

} // namespace

class TestSettingsWindows : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void firstStartAndExit_data();
    void firstStartAndExit();
    void storedLayoutIsClamped();
    void minimisedExitKeepsTheLayout();
    void frmflagIsWrittenOnce();
    void refusedPromptWritesNothing_data();
    void refusedPromptWritesNothing();
    void wrongPasswordAsksAgain();
    void masterPasswordOpens();
    void setPasswordTwice();
    void cancelOrChangePassword();
    void aboutBox();
    void systemInformation_data();
    void systemInformation();
    void splashClosesAtStartUp();
    void helpByF1AndMenu();
    void helpByF1InModalWindows_data();
    void helpByF1InModalWindows();
    void helpMissing();
    void helpPagesLinkTogether();
    void homePage_data();
    void homePage();

private:
    void startWindow();
    Keys stored() const;
    void seed(const Keys &keys) const;
    QAction *action(const char *name) const { return m_window->findChild<QAction *>(QString::fromLatin1(name)); }
    double pixelsPerTwipX() const { return m_window->logicalDpiX() / 1440.0; }
    double twipsY(int px) const { return px * 1440.0 / m_window->logicalDpiY(); }

    QTemporaryDir *m_dir = nullptr;
    MainWindow *m_window = nullptr;
};

void TestSettingsWindows::initTestCase()
{
    FontSetup::install();
    HelpPages::setPreferredFolder(qEnvironmentVariable("TOLVANE_BIN_DIR") + QStringLiteral("/help"));
}

void TestSettingsWindows::init()
{
    m_dir = new QTemporaryDir;
    // The user's own settings are never touched: the store lives in this test's folder.
    const QString config = m_dir->filePath(QStringLiteral("config"));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, config);
    QVERIFY(QSettings(QStringLiteral("TolVane"), QStringLiteral("TolVane")).fileName().startsWith(config));
    QVERIFY(QFile::copy(TestLibrary::realDatabasePath(), m_dir->filePath(QStringLiteral("namedbs.mdb"))));
    m_window = new MainWindow(AppPaths(m_dir->path()));
}

void TestSettingsWindows::cleanup()
{
    delete m_window;
    m_window = nullptr;
    delete m_dir;
}

void TestSettingsWindows::startWindow()
{
    QVERIFY(m_window->startUp());
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

Keys TestSettingsWindows::stored() const
{
    QSettings settings(QStringLiteral("TolVane"), QStringLiteral("TolVane"));
    settings.sync();
    settings.beginGroup(QStringLiteral("Name"));
    Keys keys;
    for (const QString &key : settings.childKeys())
        keys.insert(key, settings.value(key).toString());
    return keys;
}

void TestSettingsWindows::seed(const Keys &keys) const
{
    SettingsStore store;
    for (auto it = keys.cbegin(); it != keys.cend(); ++it)
        QVERIFY(store.write(it.key(), it.value()));
}

void TestSettingsWindows::firstStartAndExit_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("退出 button") << QStringLiteral("cmdExit");
    QTest::newRow("退出(&E) menu") << QStringLiteral("Menu_Exit");
    QTest::newRow("closing the window") << QStringLiteral("close");
}

void TestSettingsWindows::firstStartAndExit()
{
    QFETCH(QString, how);
    startWindow();
    QVERIFY(m_window->isMaximized());
    QCOMPARE(action("mnu_SetPass")->text(), kSetCaption);
    QVERIFY(stored().isEmpty());

    const int height = m_window->height();
    if (how == QStringLiteral("cmdExit"))
        click(m_window, "cmdExit");
    else if (how == QStringLiteral("Menu_Exit"))
        action("Menu_Exit")->trigger();
    else
        QVERIFY(m_window->close());
    QVERIFY(!m_window->isVisible());

    const Keys keys = stored();
    QCOMPARE(keys.keys(),
        (QStringList { QStringLiteral("FrameHeight"), QStringLiteral("FrameWidth"), QStringLiteral("Left"),
            QStringLiteral("Top"), QStringLiteral("fHeight"), QStringLiteral("frmflag") }));
    QCOMPARE(keys.value(QStringLiteral("frmflag")), QStringLiteral("1"));
    QCOMPARE(keys.value(QStringLiteral("FrameHeight")), SettingsStore::singleText(twipsY(height)));
    QCOMPARE(keys.value(QStringLiteral("fHeight")), keys.value(QStringLiteral("FrameHeight")));
}

void TestSettingsWindows::storedLayoutIsClamped()
{
    seed({ { QStringLiteral("FrameWidth"), QStringLiteral("30000") },
        { QStringLiteral("FrameHeight"), QStringLiteral("7000") }, { QStringLiteral("Left"), QStringLiteral("20000") },
        { QStringLiteral("Top"), QStringLiteral("600") }, { QStringLiteral("frmflag"), QStringLiteral("1") },
        { QStringLiteral("fHeight"), QStringLiteral("13050") } });
    startWindow();
    QVERIFY(!m_window->isMaximized());
    QCOMPARE(m_window->width(), qRound(8000 * pixelsPerTwipX()));
    QCOMPARE(m_window->height(), qRound(7000 * m_window->logicalDpiY() / 1440.0));
    QCOMPARE(m_window->x(), 0);
    QCOMPARE(m_window->y(), qRound(600 * m_window->logicalDpiY() / 1440.0));
}

void TestSettingsWindows::minimisedExitKeepsTheLayout()
{
    const Keys before { { QStringLiteral("FrameWidth"), QStringLiteral("12000") },
        { QStringLiteral("FrameHeight"), QStringLiteral("9000") }, { QStringLiteral("Left"), QStringLiteral("600") },
        { QStringLiteral("Top"), QStringLiteral("300") }, { QStringLiteral("frmflag"), QStringLiteral("1") },
        { QStringLiteral("fHeight"), QStringLiteral("13050") } };
    seed(before);
    startWindow();
    m_window->resize(m_window->width() + 40, m_window->height() + 30);
    m_window->showMinimized();
    QTRY_VERIFY(m_window->isMinimized());
    QVERIFY(m_window->close());
    QCOMPARE(stored(), before);
}

void TestSettingsWindows::frmflagIsWrittenOnce()
{
    startWindow();
    QVERIFY(m_window->isMaximized());
    click(m_window, "cmdExit");
    const QString firstHeight = stored().value(QStringLiteral("fHeight"));
    QVERIFY(!firstHeight.isEmpty());

    // The second start opens maximised again; closed at another size, only the layout keys change.
    delete m_window;
    m_window = new MainWindow(AppPaths(m_dir->path()));
    startWindow();
    QVERIFY(m_window->isMaximized());
    m_window->showNormal();
    m_window->resize(700, 500);
    QTRY_COMPARE(m_window->height(), 500);
    click(m_window, "cmdExit");
    const Keys keys = stored();
    QCOMPARE(keys.value(QStringLiteral("FrameHeight")), SettingsStore::singleText(twipsY(500)));
    QCOMPARE(keys.value(QStringLiteral("fHeight")), firstHeight);
    QCOMPARE(keys.value(QStringLiteral("frmflag")), QStringLiteral("1"));

    // The third start is not maximised: it was closed at another height.
    delete m_window;
    m_window = new MainWindow(AppPaths(m_dir->path()));
    startWindow();
    QVERIFY(!m_window->isMaximized());
    QCOMPARE(m_window->height(), 500);
}

void TestSettingsWindows::refusedPromptWritesNothing_data()
{
    QTest::addColumn<bool>("byCancel");
    QTest::newRow("取消") << true;
    QTest::newRow("closed") << false;
}

void TestSettingsWindows::refusedPromptWritesNothing()
{
    QFETCH(bool, byCancel);
    seed({ { QStringLiteral("StartPass"), QStringLiteral("abc") } });
    QFile file(QSettings(QStringLiteral("TolVane"), QStringLiteral("TolVane")).fileName());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    bool prompted = false;
    whenModal(named("frmLogin"), [&](QWidget *login) {
        prompted = true;
        type(login, "txtPassword", QStringLiteral("abc"));
        if (byCancel)
            click(login, "cmdCancel");
        else
            login->close();
    });
    QVERIFY(!m_window->startUp());
    QVERIFY(prompted);
    QVERIFY(!m_window->isVisible());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), before);
}

void TestSettingsWindows::wrongPasswordAsksAgain()
{
    seed({ { QStringLiteral("StartPass"), QStringLiteral(" abc ") } });
    BoxSeen box;
    bool stillOpen = false;
    QString selected;
    QString masked;
    whenModal(named("frmLogin"), [&](QWidget *login) {
        QCOMPARE(login->windowTitle(), QStringLiteral("输入启动密码"));
        QCOMPARE(child<QLabel>(login, "lblPassword")->text(), QStringLiteral("输入启动密码:"));
        QCOMPARE(child<QPushButton>(login, "cmdOK")->text(), QStringLiteral("确定"));
        QCOMPARE(child<QPushButton>(login, "cmdCancel")->text(), QStringLiteral("取消"));
        auto *password = child<QLineEdit>(login, "txtPassword");
        type(login, "txtPassword", QStringLiteral("wrong"));
        masked = password->displayText();
        answerBox(box);
        click(login, "cmdOK");
        stillOpen = login->isVisible();
        selected = password->selectedText();
        // Typed without the blanks the stored one has.
        type(login, "txtPassword", QStringLiteral("abc"));
        click(login, "cmdOK");
    });
    QVERIFY(m_window->startUp());
    QCOMPARE(masked, QStringLiteral("*****"));
    QCOMPARE(box.count, 1);
    QCOMPARE(box.text, kWrong);
    QCOMPARE(box.title, QStringLiteral("青禾起名程序"));
    QCOMPARE(box.icon, QMessageBox::NoIcon);
    QVERIFY(stillOpen);
    QCOMPARE(selected, QStringLiteral("wrong"));
    QCOMPARE(action("mnu_SetPass")->text(), kChangeCaption);
    QVERIFY(m_window->dispatcher().state().loginAccepted);
}

void TestSettingsWindows::masterPasswordOpens()
{
    seed({ { QStringLiteral("StartPass"), QStringLiteral("secret") } });
    whenModal(named("frmLogin"), [](QWidget *login) {
        type(login, "txtPassword", QStringLiteral("52918604"));
        click(login, "cmdOK");
    });
    startWindow();
    QCOMPARE(action("mnu_SetPass")->text(), kChangeCaption);
}

void TestSettingsWindows::setPasswordTwice()
{
    startWindow();
    const auto setTo = [this](const QString &entry, const QString &again, bool ok) {
        bool seen = false;
        whenModal(named("frmSetPass"), [&](QWidget *dialog) {
            seen = true;
            QCOMPARE(dialog->windowTitle(), QStringLiteral("设置启动密码"));
            QVERIFY(child<QLabel>(dialog, "lblTell")
                        ->text()
                        .startsWith(QStringLiteral("设置此密码后，今后每次启动起名程序")));
            QCOMPARE(child<QLabel>(dialog, "lblPassword")->text(), QStringLiteral("输入密码:"));
            // Typed twice, and hidden from whoever looks over the shoulder.
            QCOMPARE(child<QLineEdit>(dialog, "txtPassword")->echoMode(), QLineEdit::Password);
            QCOMPARE(child<QLineEdit>(dialog, "txtConfirm")->echoMode(), QLineEdit::Password);
            type(dialog, "txtPassword", entry);
            type(dialog, "txtConfirm", again);
            click(dialog, ok ? "cmdOK" : "cmdCancel");
            if (dialog->isVisible())
                click(dialog, "cmdCancel");
        });
        action("mnu_SetPass")->trigger();
        QVERIFY(seen);
    };
    // Two different entries: said so, and nothing is stored.
    BoxSeen box;
    answerBox(box);
    setTo(QStringLiteral("xyz"), QStringLiteral("xzy"), true);
    QCOMPARE(box.text, QStringLiteral("两次输入的新密码不一样，请重新输入。"));
    QCOMPARE(stored().value(QStringLiteral("StartPass"), QStringLiteral("-")), QStringLiteral("-"));
    QCOMPARE(action("mnu_SetPass")->text(), kSetCaption);
    setTo(QStringLiteral("other"), QStringLiteral("other"), false);
    QCOMPARE(stored().value(QStringLiteral("StartPass"), QStringLiteral("-")), QStringLiteral("-"));

    setTo(QStringLiteral("  xyz "), QStringLiteral("xyz"), true);
    QCOMPARE(stored().value(QStringLiteral("StartPass")), QStringLiteral("xyz"));
    // The menu follows at once: the password now set is changed or removed, with the old one.
    QCOMPARE(action("mnu_SetPass")->text(), kChangeCaption);
    bool change = false;
    whenModal(named("frmCancelPass"), [&](QWidget *dialog) {
        change = true;
        click(dialog, "cmdCancel");
    });
    action("mnu_SetPass")->trigger();
    QVERIFY(change);
}

void TestSettingsWindows::cancelOrChangePassword()
{
    seed({ { QStringLiteral("StartPass"), QStringLiteral("abc") } });
    whenModal(named("frmLogin"), [](QWidget *login) {
        type(login, "txtPassword", QStringLiteral("abc"));
        click(login, "cmdOK");
    });
    startWindow();

    BoxSeen box;
    bool stillOpen = false;
    whenModal(named("frmCancelPass"), [&](QWidget *dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("取消或修改启动密码"));
        QVERIFY(child<QLabel>(dialog, "lblTell")
                    ->text()
                    .startsWith(QStringLiteral("更改启动密码，需要输入原密码和新密码。")));
        QCOMPARE(child<QLabel>(dialog, "lblOldPass")->text(), QStringLiteral("原密码:"));
        QCOMPARE(child<QLabel>(dialog, "lblNewPass")->text(), QStringLiteral("新密码:"));
        for (const char *field : { "txtOldPass", "txtNewPass", "txtNewConfirm" })
            QCOMPARE(child<QLineEdit>(dialog, field)->echoMode(), QLineEdit::Password);
        type(dialog, "txtOldPass", QStringLiteral("abd"));
        type(dialog, "txtNewPass", QStringLiteral("xyz"));
        type(dialog, "txtNewConfirm", QStringLiteral("xyz"));
        answerBox(box);
        click(dialog, "cmdOK");
        stillOpen = dialog->isVisible();
        type(dialog, "txtOldPass", QStringLiteral(" abc "));
        type(dialog, "txtNewPass", QString());
        type(dialog, "txtNewConfirm", QString());
        click(dialog, "cmdOK");
    });
    action("mnu_SetPass")->trigger();
    QCOMPARE(box.text, QStringLiteral("原密码不对，请重新输入。"));
    QCOMPARE(box.icon, QMessageBox::NoIcon);
    QVERIFY(stillOpen);
    QCOMPARE(stored().value(QStringLiteral("StartPass"), QStringLiteral("-")), QString());
    // With the password removed the menu sets a new one; 取消 there changes nothing.
    QCOMPARE(action("mnu_SetPass")->text(), kSetCaption);
    bool again = false;
    whenModal(named("frmSetPass"), [&](QWidget *dialog) {
        again = true;
        type(dialog, "txtPassword", QStringLiteral("zzz"));
        type(dialog, "txtConfirm", QStringLiteral("zzz"));
        click(dialog, "cmdCancel");
    });
    action("mnu_SetPass")->trigger();
    QVERIFY(again);
    QCOMPARE(stored().value(QStringLiteral("StartPass"), QStringLiteral("-")), QString());
}

void TestSettingsWindows::aboutBox()
{
    startWindow();
    bool seen = false;
    whenModal(named("frmAbout"), [&](QWidget *about) {
        seen = true;
        QCOMPARE(about->windowTitle(), QStringLiteral("关于 青禾起名程序"));
        QCOMPARE(child<QLabel>(about, "lblTitle")->text(), QStringLiteral("青禾起名程序"));
        QVERIFY(child<QLabel>(about, "lblVersion")->text().contains(QStringLiteral("1.7")));
        // Nothing that is not real: no web address, mailbox or telephone nobody answers.
        for (const QLabel *label : about->findChildren<QLabel *>()) {
            for (const QString &invented : { AppInfo::webAddress(), AppInfo::emailAddress(), AppInfo::phoneNumbers() })
                QVERIFY2(!label->text().contains(invented), qPrintable(label->text()));
        }
        QCOMPARE(child<QLabel>(about, "lblDisclaimer")->text(), AppInfo::disclaimer());
        QVERIFY(!child<QLabel>(about, "Picture1")->pixmap().isNull());
        QCOMPARE(child<QPushButton>(about, "cmdSysInfo")->text(), QStringLiteral("系统信息(&S)..."));
        QCOMPARE(child<QPushButton>(about, "cmdOK")->text(), QStringLiteral("确定"));
        click(about, "cmdOK");
    });
    QVERIFY(action("Menu_about")->isEnabled());
    action("Menu_about")->trigger();
    QVERIFY(seen);
    QVERIFY(!QApplication::activeModalWidget());
}

void TestSettingsWindows::systemInformation_data()
{
    QTest::addColumn<QString>("tool"); // empty: none installed
    QTest::newRow("none installed") << QString();
    QTest::newRow("hardinfo installed") << QStringLiteral("hardinfo");
    QTest::newRow("a system monitor installed") << QStringLiteral("gnome-system-monitor");
}

void TestSettingsWindows::systemInformation()
{
    QFETCH(QString, tool);
    QTemporaryDir bin;
    const QString marker = bin.filePath(QStringLiteral("started"));
    if (!tool.isEmpty()) {
        QFile script(bin.filePath(tool));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\n: > '" + marker.toUtf8() + "'\n");
        script.close();
        script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(bin.path()));
    AboutDialog about;
    about.show();
    BoxSeen box;
    QString facts;
    if (tool.isEmpty()) {
        whenModal(named("frmSysInfo"), [&facts](QWidget *w) {
            QCOMPARE(w->windowTitle(), QStringLiteral("系统信息"));
            auto *form = w->findChild<QFormLayout *>();
            QVERIFY(form);
            for (int row = 0; row < form->rowCount(); ++row) {
                const auto text = [&](QFormLayout::ItemRole role) {
                    QLayoutItem *item = form->itemAt(row, role);
                    auto *label = item ? qobject_cast<QLabel *>(item->widget()) : nullptr;
                    return label ? label->text() : QString();
                };
                facts += text(QFormLayout::LabelRole) + text(QFormLayout::FieldRole) + QLatin1Char('\n');
            }
            click(w, "cmdOK");
        });
    }
    click(&about, "cmdSysInfo");
    qputenv("PATH", path);
    if (tool.isEmpty()) {
        // Without a tool the system's own facts are shown, never "not available".
        QCOMPARE(box.count, 0);
        QVERIFY(facts.contains(QStringLiteral("内核：") + QSysInfo::kernelType()));
        QVERIFY(facts.contains(QSysInfo::kernelVersion()));
        QVERIFY(facts.contains(QStringLiteral("Qt 版本：") + QString::fromLatin1(qVersion())));
        QVERIFY2(facts.contains(QRegularExpression(QStringLiteral("内存：共 \\d+\\.\\d GB，可用 \\d+\\.\\d GB"))),
            qPrintable(facts));
        QVERIFY(facts.contains(QRegularExpression(QStringLiteral("屏幕：\\d+ × \\d+ 像素"))));
        QVERIFY(!facts.contains(QStringLiteral("不详")));
    } else {
        QTRY_VERIFY(QFile::exists(marker));
        QCOMPARE(box.count, 0);
    }
}

void TestSettingsWindows::splashClosesAtStartUp()
{
    SplashWindow splash;
    QCOMPARE(child<QLabel>(&splash, "lblCompanyProduct")->text(), QStringLiteral("青禾起名程序"));
    QCOMPARE(child<QLabel>(&splash, "lblProductName")->text(), QStringLiteral("适用于WIN95/WIN98或更高版本"));
    QCOMPARE(child<QLabel>(&splash, "lblVersion")->text(), QStringLiteral("青禾起名程序  1.7   <青禾易学系列程序>"));
    QVERIFY(!child<QLabel>(&splash, "lblWarning")->text().isEmpty());
    splash.show();
    QVERIFY(QTest::qWaitForWindowExposed(&splash));
    m_window->setSplash(&splash);
    QVERIFY(m_window->startUp());
    QVERIFY(!splash.isVisible());
}

void TestSettingsWindows::helpByF1AndMenu()
{
    startWindow();
    QApplication::setActiveWindow(m_window);
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    QTest::keyClick(m_window->findChild<QWidget *>(QStringLiteral("txtName")), Qt::Key_F1);
    auto *help = m_window->findChild<QWidget *>(QStringLiteral("frmHelp"));
    QVERIFY(help);
    QTRY_VERIFY(help->isVisible());
    auto *browser = child<QTextBrowser>(help, "helpBrowser");
    // F1 in the main window opens the part for the function chosen.
    QCOMPARE(browser->source().fileName(), QStringLiteral("functions.html"));
    QCOMPARE(browser->source().fragment(), QStringLiteral("personal"));
    click(help, "cmdHome");
    QCOMPARE(browser->source().fileName(), QStringLiteral("index.html"));
    QVERIFY(browser->toPlainText().contains(QStringLiteral("五格剖象法")));

    // A link to another page stays in the window; 目录 comes back.
    Q_EMIT browser->anchorClicked(QUrl(QStringLiteral("verdicts.html")));
    QCOMPARE(browser->source().fileName(), QStringLiteral("verdicts.html"));
    QVERIFY(browser->toPlainText().contains(QStringLiteral("全吉")));
    click(help, "cmdHome");
    QCOMPARE(browser->source().fileName(), QStringLiteral("index.html"));

    // Esc and Ctrl+W close the help window.
    for (const QKeyCombination keys : { QKeyCombination(Qt::Key_Escape), QKeyCombination(Qt::ControlModifier, Qt::Key_W) }) {
        QApplication::setActiveWindow(help);
        QVERIFY(QTest::qWaitForWindowActive(help));
        QTest::keyClick(browser, keys.key(), keys.keyboardModifiers());
        QTRY_VERIFY(!help->isVisible());
        action("Menu_ruanjianjieshao")->trigger();
        QTRY_VERIFY(help->isVisible());
    }
    help->close();
    QVERIFY(action("Menu_ruanjianjieshao")->isEnabled());
    action("Menu_ruanjianjieshao")->trigger();
    QVERIFY(help->isVisible());
    QCOMPARE(m_window->findChildren<QWidget *>(QStringLiteral("frmHelp")).size(), 1);
    // Closing the main window closes its help too.
    QVERIFY(m_window->close());
    QVERIFY(!help->isVisible());
}

void TestSettingsWindows::helpByF1InModalWindows_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("page"); // the page F1 opens for the window, and the place on it
    QTest::newRow("correction") << QStringLiteral("Menu_CorrectZiku") << QStringLiteral("frmCorrect")
                                << QStringLiteral("wuge.html#strokes");
    QTest::newRow("header and footer") << QStringLiteral("mnu_Info") << QStringLiteral("frmPersonalInfo")
                                       << QStringLiteral("functions.html#menus");
    QTest::newRow("start-up password") << QStringLiteral("mnu_SetPass") << QStringLiteral("frmSetPass")
                                       << QStringLiteral("settings.html#password");
}

// F1 reaches past the main window's shortcut: the help opens over the modal window, usable while it waits.
void TestSettingsWindows::helpByF1InModalWindows()
{
    QFETCH(QString, menu);
    QFETCH(QString, window);
    QFETCH(QString, page);
    startWindow();
    bool helpShown = false;
    QString shownPage;
    whenModal([window](QWidget *w) { return w->objectName() == window; },
              [&helpShown, &shownPage](QWidget *modal) {
                  QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : modal, Qt::Key_F1);
                  auto *help = modal->findChild<QWidget *>(QStringLiteral("frmHelp"));
                  // A window of the modal one is not blocked by it.
                  helpShown = help && help->isVisible() && help->isWindow();
                  if (help) {
                      const QUrl source = child<QTextBrowser>(help, "helpBrowser")->source();
                      shownPage = source.fileName() + QLatin1Char('#') + source.fragment();
                      help->close();
                  }
                  modal->close();
              });
    m_window->findChild<QAction *>(menu)->trigger();
    QVERIFY(helpShown);
    QCOMPARE(shownPage, page);
}

void TestSettingsWindows::helpMissing()
{
    QTemporaryDir empty;
    HelpPages::setPreferredFolder(empty.path());
    startWindow();
    BoxSeen box;
    answerBox(box);
    action("Menu_ruanjianjieshao")->trigger();
    HelpPages::setPreferredFolder(qEnvironmentVariable("TOLVANE_BIN_DIR") + QStringLiteral("/help"));
    QCOMPARE(box.text, QStringLiteral("找不到帮助文件，请重新安装本程序。"));
    QCOMPARE(box.icon, QMessageBox::Warning);
    QVERIFY(!m_window->findChild<QWidget *>(QStringLiteral("frmHelp")));
}

void TestSettingsWindows::helpPagesLinkTogether()
{
    // The pages the build put beside the program: every link to a page or an anchor must lead somewhere.
    const QDir dir(qEnvironmentVariable("TOLVANE_BIN_DIR") + QStringLiteral("/help"));
    const QStringList pages = dir.entryList({ QStringLiteral("*.html") }, QDir::Files);
    QVERIFY(pages.contains(QStringLiteral("index.html")));
    QCOMPARE(pages.size(),
        QDir(qEnvironmentVariable("TOLVANE_SOURCE_DIR") + QStringLiteral("/help"))
            .entryList({ QStringLiteral("*.html") }, QDir::Files)
            .size());
    const QRegularExpression href(QStringLiteral("href=\"([^\"]+)\""));
    QSet<QString> linked;
    for (const QString &page : pages) {
        QFile file(dir.filePath(page));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(file.readAll());
        QVERIFY2(html.contains(QStringLiteral("<meta charset=\"utf-8\">")), qPrintable(page));
        for (const QRegularExpressionMatch &m : href.globalMatch(html)) {
            const QUrl url(m.captured(1));
            QVERIFY2(url.scheme().isEmpty(), qPrintable(page + QStringLiteral(": ") + m.captured(1)));
            const QString target = url.path().isEmpty() ? page : url.path();
            linked.insert(target);
            QFile targetFile(dir.filePath(target));
            QVERIFY2(targetFile.open(QIODevice::ReadOnly), qPrintable(page + QStringLiteral(" -> ") + target));
            if (url.hasFragment()) {
                const QString anchor = QStringLiteral("name=\"%1\"").arg(url.fragment());
                QVERIFY2(QString::fromUtf8(targetFile.readAll()).contains(anchor),
                    qPrintable(page + QStringLiteral(" -> ") + m.captured(1)));
            }
        }
    }
    // Every page F1 opens for a window is there, with its place.
    for (const QString &context : HelpPages::contextPages()) {
        QFile file(dir.filePath(context.section(QLatin1Char('#'), 0, 0)));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(context));
        if (context.contains(QLatin1Char('#'))) {
            const QString anchor = QStringLiteral("name=\"%1\"").arg(context.section(QLatin1Char('#'), 1));
            QVERIFY2(QString::fromUtf8(file.readAll()).contains(anchor), qPrintable(context));
        }
    }
    // Every page can be reached.
    for (const QString &page : pages) {
        if (page != QStringLiteral("index.html"))
            QVERIFY2(linked.contains(page), qPrintable(page));
    }
}

void TestSettingsWindows::homePage_data()
{
    QTest::addColumn<bool>("byPicture");
    QTest::newRow("Picture1") << true;
    QTest::newRow("进入主页(&I)") << false;
}

void TestSettingsWindows::homePage()
{
    QFETCH(bool, byPicture);
    startWindow();
    auto *picture = child<QLabel>(m_window, "Picture1");
    QCOMPARE(picture->toolTip(), QStringLiteral("程序最新更新信息，请访问 ") + AppInfo::webAddress());
    const auto open = [&] {
        if (byPicture)
            QTest::mouseClick(picture, Qt::LeftButton);
        else
            action("Menu_myweb")->trigger();
    };
    OpenerStandIn opener(m_dir->path());
    open();
    QTRY_COMPARE(opener.opened(), QStringList { AppInfo::webAddress() });

    opener.write(false);
    BoxSeen box;
    answerBox(box);
    open();
    QTRY_COMPARE(box.count, 1);
    QCOMPARE(box.text, AppInfo::webOpenFailed().text);
    QCOMPARE(box.title, QStringLiteral("青禾起名程序"));
    QCOMPARE(box.icon, QMessageBox::Warning);
}

QTEST_MAIN(TestSettingsWindows)
#include "tst_settingswindows.moc"
