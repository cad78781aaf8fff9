#include "fakes/RequestTexts.h"
#include "naming/NamingWizard.h"
#include "naming/SurnameKindForm.h"
#include "ui/FontSetup.h"
#include "ui/WidgetPrompter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace tolvane;

namespace {

const QString kMessageBox = QStringLiteral("QMessageBox");
const char *const kPages[] = {"fradanfuxing", "fraNameShu", "fraMoreInfo", "frajibanji", "fraSuper"};
const char *const kElements[] = {"chkMoreJin", "chkMoreMu", "chkMoreShui", "chkMoreHuo", "chkMoreTu"};

// Acts on the modal windows in the order they come up. Each step names the window it expects (a dialog's
// object name, or kMessageBox) and acts on it once it is the active modal window; the next step is queued
// before the action, so it also runs when the action opens a nested modal window. A step that never finds
// its window, or a failed check, closes every modal window so the test ends instead of hanging.
class ModalScript final : public QObject {
public:
    using Action = std::function<void(QWidget *)>;

    void on(const QString &window, Action action) { m_steps.append({window, std::move(action)}); }

    void start() { QTimer::singleShot(0, this, &ModalScript::poll); }
    bool finished() const { return m_steps.isEmpty() && m_failure.isEmpty(); }
    QString failure() const { return m_failure; }

private:
    struct Step {
        QString window;
        Action action;
    };

    static bool matches(QWidget *widget, const QString &window)
    {
        if (window == kMessageBox)
            return qobject_cast<QMessageBox *>(widget) != nullptr;
        return widget->objectName() == window;
    }

    void poll()
    {
        QWidget *active = QApplication::activeModalWidget();
        // After the last step every window should have closed; one still open would wait for ever.
        const bool wanted = m_steps.isEmpty() ? !active : active && matches(active, m_steps.first().window);
        if (!wanted) {
            // Windows open and close synchronously, so a step that waits this long waits for the wrong window.
            if (++m_attempts > 500) {
                m_failure = QStringLiteral("expected %1, found %2")
                                .arg(m_steps.isEmpty() ? QStringLiteral("no window") : m_steps.first().window,
                                     active ? active->objectName() : QStringLiteral("none"));
                abort();
                return;
            }
            QTimer::singleShot(0, this, &ModalScript::poll);
            return;
        }
        m_attempts = 0;
        if (m_steps.isEmpty())
            return;
        const Step step = m_steps.takeFirst();
        QTimer::singleShot(0, this, &ModalScript::poll);
        step.action(active);
        if (QTest::currentTestFailed())
            abort();
    }

    // Closes every modal window without asking the window what closing means, and keeps closing any that
    // open after; a window that keeps coming back ends the program rather than hang it.
    void abort()
    {
        m_steps.clear();
        while (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
            if (++m_closedOnAbort > 50)
                qFatal("modal windows keep opening");
            dialog->done(QDialog::Rejected);
        }
        QTimer::singleShot(0, this, [this] {
            if (QApplication::activeModalWidget())
                abort();
        });
    }

    QList<Step> m_steps;
    int m_attempts = 0;
    int m_closedOnAbort = 0;
    QString m_failure;
};

template<typename T = QWidget>
T *child(QWidget *window, const char *name)
{
    return window->findChild<T *>(QString::fromLatin1(name));
}

void click(QWidget *window, const char *name)
{
    auto *button = child<QAbstractButton>(window, name);
    QVERIFY2(button, name);
    QVERIFY2(button->isVisible(), name);
    QVERIFY2(button->isEnabled(), name);
    QTest::mouseClick(button, Qt::LeftButton);
}

bool checked(QWidget *window, const char *name)
{
    auto *button = child<QAbstractButton>(window, name);
    return button && button->isChecked();
}

// Exactly one page of the wizard is visible.
void expectPage(QWidget *dialog, const char *name)
{
    for (const char *page : kPages) {
        auto *frame = child<QGroupBox>(dialog, page);
        QVERIFY2(frame, page);
        QCOMPARE(frame->isVisible(), qstrcmp(page, name) == 0);
    }
}

void expectAllElements(QWidget *dialog, bool ticked)
{
    for (const char *element : kElements)
        QVERIFY2(checked(dialog, element) == ticked, element);
}

// The dialogs stand 2000 twips right of and 3000 twips below the main window's corner.
// Dialogs stand centred on the main window, with a close button but no minimise or maximise.
void expectPlaced(QWidget *dialog, QWidget *mainWindow)
{
    const QPoint offset = dialog->frameGeometry().center() - mainWindow->frameGeometry().center();
    QVERIFY2(offset.manhattanLength() <= 4, qPrintable(QStringLiteral("offset %1,%2").arg(offset.x()).arg(offset.y())));
    const Qt::WindowFlags flags = dialog->windowFlags();
    QVERIFY(flags.testFlag(Qt::CustomizeWindowHint) && flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint) && !flags.testFlag(Qt::WindowMaximizeButtonHint));
}

void typeInto(QWidget *dialog, const char *comboName, const QString &text)
{
    auto *combo = child<QComboBox>(dialog, comboName);
    QVERIFY(combo && combo->lineEdit());
    combo->lineEdit()->clear();
    QTest::keyClicks(combo->lineEdit(), text);
    QCOMPARE(combo->currentText(), text);
}

void closeBy(QWidget *window, const QString &how)
{
    if (how == QStringLiteral("escape"))
        QTest::keyClick(window, Qt::Key_Escape);
    else
        QVERIFY(window->close());
}

struct BoxSeen {
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::Warning;
};

ModalScript::Action answerBox(BoxSeen &seen)
{
    return [&seen](QWidget *window) {
        auto *box = qobject_cast<QMessageBox *>(window);
        seen.text = box->text();
        seen.title = box->windowTitle();
        seen.icon = box->icon();
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    };
}

const QString kDialogLastTwo = QStringLiteral("所有取名信息已采集完毕。您选择了双字名，电脑可能要用2-10秒时间为您找出良好"
                                              "配置来，但也可能没有合适组合。现在“确定”吧！（稍等一会）");

} // namespace

class TestNamingDialogs : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void fullRunSingleSurname();
    void nameLengthOptions_data();
    void nameLengthOptions();
    void backResetsPresetsOnlyWhenEnteredAfresh();
    void sexMustBeChosen();
    void birthTimeTicksTheElements_data();
    void birthTimeTicksTheElements();
    void enterConfirmsThePageShown();
    void dialogLastFrameGoesBack_data();
    void dialogLastFrameGoesBack();
    void advancedValidation_data();
    void advancedValidation();
    void advancedCancel();
    void sourceOnTheLuckPage_data();
    void sourceOnTheLuckPage();
    void personalFrameCloseCancels_data();
    void personalFrameCloseCancels();
    void analysisOpensOnSurnameKind_data();
    void analysisOpensOnSurnameKind();
    void analysisFrameCloseOnlyCloses_data();
    void analysisFrameCloseOnlyCloses();
    void personalSurnameKindPage();
    void surnameKindForm_data();
    void surnameKindForm();

private:
    // Runs the wizard over the main window with the script answering it.
    void run(ModalScript &script);
    // The wizard as name analysis uses it.
    void forNameAnalysis();

    QWidget *m_mainWindow = nullptr;
    NameRequest m_request;
    WizardFlags m_flags;
    NamingWizard *m_wizard = nullptr;
};

void TestNamingDialogs::initTestCase()
{
    FontSetup::install();
    QApplication::setFont(QFont(QStringLiteral("宋体"), 10));
}

void TestNamingDialogs::init()
{
    m_mainWindow = new QWidget;
    m_mainWindow->resize(800, 600);
    m_mainWindow->show();
    m_mainWindow->move(37, 52);
    QVERIFY(QTest::qWaitForWindowExposed(m_mainWindow));
    m_request = NameRequest();
    m_request.surnameLength = 1;
    m_flags = WizardFlags();
    m_wizard = new NamingWizard(m_request, m_flags, NamingWizard::Purpose::PersonalNaming);
}

void TestNamingDialogs::cleanup()
{
    delete m_wizard;
    delete m_mainWindow;
}

void TestNamingDialogs::forNameAnalysis()
{
    delete m_wizard;
    m_wizard = new NamingWizard(m_request, m_flags, NamingWizard::Purpose::NameAnalysis);
}

void TestNamingDialogs::run(ModalScript &script)
{
    script.start();
    WidgetPrompter prompter(m_mainWindow);
    prompter.runNamingWizard(*m_wizard);
    QVERIFY2(script.failure().isEmpty(), qPrintable(script.failure()));
    QVERIFY(script.finished());
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QCOMPARE(m_wizard->state(), NamingWizard::State::Closed);
}

void TestNamingDialogs::fullRunSingleSurname()
{
    ModalScript script;
    QPointer<QWidget> wizardWindow;
    script.on(QStringLiteral("dlgdanfuxing"), [&](QWidget *dialog) {
        wizardWindow = dialog;
        QCOMPARE(dialog->windowTitle(), QStringLiteral("采集取名信息"));
        QCOMPARE(dialog->parentWidget(), m_mainWindow);
        QVERIFY(dialog->isModal());
        expectPlaced(dialog, m_mainWindow);
        expectPage(dialog, "fraNameShu");
        QCOMPARE(child<QGroupBox>(dialog, "fraNameShu")->title(), QStringLiteral("名字字数"));
        QCOMPARE(child<QLabel>(dialog, "lblNameInfo")->text(),
                 QStringLiteral("选择名字字数，如“杨春”是单字名，“杨春白”是双字名，“杨春白雪”是三字名。如果您上一步选择"
                                "了复姓，则名字个数最多选双字名。因为本程序最多分析四个字的姓名。"));
        QCOMPARE(child<QRadioButton>(dialog, "optName1")->text(), QStringLiteral("单字名"));
        QCOMPARE(child<QRadioButton>(dialog, "optName3")->text(), QStringLiteral("三字名"));
        QVERIFY(checked(dialog, "optName2"));
        QVERIFY(child<QWidget>(dialog, "optName3")->isEnabled());
        click(dialog, "optName2");
        click(dialog, "cmdNameOK");
    });
    script.on(QStringLiteral("dlgdanfuxing"), [&](QWidget *dialog) {
        expectPage(dialog, "fraMoreInfo");
        QCOMPARE(child<QGroupBox>(dialog, "fraMoreInfo")->title(), QStringLiteral("性别五行"));
        QCOMPARE(child<QLabel>(dialog, "lblMoreInfo")->text(),
                 QStringLiteral("在此选择取名者性别、五行选项（命主八字五行补救，补救是针对八字喜忌，而不是八字五行数多少）"
                                "。注：性别唯一，五行选项可以复选但不能不选，否则找不出字来。"));
        QCOMPARE(child<QCheckBox>(dialog, "chkMoreShui")->text(), QStringLiteral("水"));
        QVERIFY(checked(dialog, "optMoreMale"));
        QVERIFY(!checked(dialog, "optMoreFemale"));
        expectAllElements(dialog, true);
        click(dialog, "optMoreFemale");
        click(dialog, "chkMoreMu");
        click(dialog, "chkMoreHuo");
        click(dialog, "chkMoreTu");
        QVERIFY(!checked(dialog, "optMoreMale"));
        click(dialog, "cmdMoreOK");
    });
    script.on(QStringLiteral("dlgdanfuxing"), [&](QWidget *dialog) {
        expectPage(dialog, "frajibanji");
        QCOMPARE(child<QGroupBox>(dialog, "frajibanji")->title(), QStringLiteral("吉数半吉数"));
        QCOMPARE(child<QLabel>(dialog, "lbljibanjiinfo")->text(),
                 QStringLiteral("在此选择五格81数、三才数、人格外格搭配数（表示人的社交能力等）吉或半吉。如果您想选择的名字"
                                "数理全吉，点击“全吉”，但很多姓氏没有合适组合；这样您可能要折中选择允许半吉数了。"));
        QVERIFY(checked(dialog, "optbanji"));
        click(dialog, "optquanji");
        click(dialog, "cmdjibanjiOK");
    });
    script.on(QStringLiteral("DialogLast"), [&](QWidget *dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("对话框"));
        QCOMPARE(dialog->parentWidget(), m_mainWindow);
        expectPlaced(dialog, m_mainWindow);
        QCOMPARE(child<QLabel>(dialog, "lblinfo")->text(), kDialogLastTwo);
        QCOMPARE(child<QPushButton>(dialog, "OKButton")->text(), QStringLiteral("确定"));
        // The wizard stays up underneath until DialogLast is confirmed.
        QVERIFY(wizardWindow && wizardWindow->isVisible());
        QVERIFY(!m_flags.wizardDone);
        click(dialog, "OKButton");
    });
    run(script);

    QCOMPARE(kindText(m_request), QStringLiteral("单"));
    QCOMPARE(m_request.nameLength, qint16(2));
    QCOMPARE(sexText(m_request.sex), QStringLiteral("女"));
    QCOMPARE(wishSlots(m_request),
             QStringList({QStringLiteral("金"), QString(), QStringLiteral("水"), QString(), QString()}));
    QCOMPARE(luckText(m_request), QStringLiteral("全吉"));
    QCOMPARE(m_request.firstStrokeStart, qint16(1));
    QCOMPARE(m_request.groupLimit, qint16(7));
    QVERIFY(m_flags.wizardDone);
    QVERIFY(!m_flags.namingCancelled);
    QVERIFY(m_wizard->busyRequested());
}

void TestNamingDialogs::nameLengthOptions_data()
{
    QTest::addColumn<int>("surnameLength");
    QTest::addColumn<QString>("option");
    QTest::addColumn<bool>("threeEnabled");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("lastText");

    QTest::newRow("single surname, 单字名") << 1 << QStringLiteral("optName1") << true << QStringLiteral("单") << 1
                                          << QStringLiteral("您选择了单字名，电脑可能要用1-4秒");
    QTest::newRow("single surname, 三字名") << 1 << QStringLiteral("optName3") << true << QStringLiteral("单") << 3
                                          << QStringLiteral("您选择了三字名，电脑可能要用3-20秒");
    QTest::newRow("compound surname, 双字名") << 2 << QStringLiteral("optName2") << false << QStringLiteral("复") << 2
                                            << QStringLiteral("您选择了双字名，电脑可能要用2-10秒");
    QTest::newRow("compound surname, 单字名") << 2 << QStringLiteral("optName1") << false << QStringLiteral("复") << 1
                                            << QStringLiteral("您选择了单字名");
}

void TestNamingDialogs::nameLengthOptions()
{
    QFETCH(int, surnameLength);
    QFETCH(QString, option);
    QFETCH(bool, threeEnabled);
    QFETCH(QString, kind);
    QFETCH(int, length);
    QFETCH(QString, lastText);
    m_request.surnameLength = qint16(surnameLength);

    ModalScript script;
    script.on(QStringLiteral("dlgdanfuxing"), [&](QWidget *dialog) {
        expectPage(dialog, "fraNameShu");
        QCOMPARE(child<QWidget>(dialog, "optName3")->isEnabled(), threeEnabled);
        click(dialog, option.toLatin1().constData());
        QVERIFY(checked(dialog, option.toLatin1().constData()));
        click(dialog, "cmdNameOK");
    });
    script.on(QStringLiteral("dlgdanfuxing"), [&](QWidget *dialog) { click(dialog, "cmdMoreOK"); });
    script.on(QStringLiteral("dlgdanfuxing"), [&](QWidget *dialog) { click(dialog, "cmdjibanjiOK"); });
    script.on(QStringLiteral("DialogLast"), [&](QWidget *dialog) {
        QVERIFY2(child<QLabel>(dialog, "lblinfo")->text().contains(lastText),
                 qPrintable(child<QLabel>(dialog, "lblinfo")->text()));
        click(dialog, "OKButton");
    });
    run(script);

    QCOMPARE(kindText(m_request), kind);
    QCOMPARE(m_request.nameLength, qint16(length));
    QCOMPARE(sexText(m_request.sex), QStringLiteral("男"));
    QCOMPARE(wishSlots(m_request), QStringList({QStringLiteral("金"), QStringLiteral("木"), QStringLiteral("水"),
                                                   QStringLiteral("火"), QStringLiteral("土")}));
    QCOMPARE(luckText(m_request), QStringLiteral("半吉"));
    QVERIFY(m_flags.wizardDone);
}

void TestNamingDialogs::backResetsPresetsOnlyWhenEnteredAfresh()
{
    ModalScript script;
    script.on(QStringLiteral("dlgdanfuxing"), [&](QWidget *dialog) {
        click(dialog, "optName1");
        click(dialog, "cmdNameOK");
    });
    script.on(QStringLiteral("dlgdanfuxing"), [&](QWidget *dialog) {
        click(dialog, "optMoreFemale");
        click(dialog, "chkMoreJin");
        click(dialog, "chkMoreShui");
        click(dialog, "cmdMoreOK");
    });
    script.on(QStringLiteral("dlgdanfuxing"), [&](QWidget *dialog) {
        expectPage(dialog, "frajibanji");
        click(dialog, "optquanji");
        click(dialog, "cmdjibanjiLast");
    });
    script.on(QStringLiteral("dlgdanfuxing"), [&](QWidget *dialog) {
        // 上一步 shows the page as it was left.
        expectPage(dialog, "fraMoreInfo");
        QVERIFY(checked(dialog, "optMoreFemale"));
        QVERIFY(!checked(dialog, "chkMoreJin"));
        QVERIFY(checked(dialog, "chkMoreMu"));
        QVERIFY(!checked(dialog, "chkMoreShui"));
        click(dialog, "cmdMoreLast");
    });
    script.on(QStringLiteral("dlgdanfuxing"), [&](QWidget *dialog) {
        expectPage(dialog, "fraNameShu");
        QVERIFY(checked(dialog, "optName1"));
        click(dialog, "cmdNameOK");
    });
    script.on(QStringLiteral("dlgdanfuxing"), [&](QWidget *dialog) {
        // 确定 enters the page afresh: the preset again.
        expectPage(dialog, "fraMoreInfo");
        QVERIFY(checked(dialog, "optMoreMale"));
        QVERIFY(!checked(dialog, "optMoreFemale"));
        expectAllElements(dialog, true);
        click(dialog, "cmdMoreOK");
    });
    script.on(QStringLiteral("dlgdanfuxing"), [&](QWidget *dialog) {
        expectPage(dialog, "frajibanji");
        QVERIFY(checked(dialog, "optbanji"));
        click(dialog, "cmdjibanjiCancel");
    });
    run(script);

    QCOMPARE(sexText(m_request.sex), QStringLiteral("男"));
    QCOMPARE(m_request.nameLength, qint16(0));
    QCOMPARE(kindText(m_request), QString());
    QVERIFY(m_flags.namingCancelled);
    QVERIFY(!m_flags.wizardDone);
    QVERIFY(!m_wizard->busyRequested());
}

void TestNamingDialogs::sexMustBeChosen()
{
    ModalScript script;
    BoxSeen seen;
    script.on(QStringLiteral("dlgdanfuxing"), [&](QWidget *dialog) { click(dialog, "cmdNameOK"); });
    script.on(QStringLiteral("dlgdanfuxing"), [&](QWidget *dialog) {
        auto *male = child<QRadioButton>(dialog, "optMoreMale");
        male->setAutoExclusive(false);
        male->setChecked(false);
        male->setAutoExclusive(true);
        click(dialog, "cmdMoreOK");
    });
    script.on(kMessageBox, answerBox(seen));
    script.on(QStringLiteral("dlgdanfuxing"), [&](QWidget *dialog) {
        expectPage(dialog, "fraMoreInfo");
        click(dialog, "optMoreFemale");
        click(dialog, "cmdMoreOK");
    });
    script.on(QStringLiteral("dlgdanfuxing"), [&](QWidget *dialog) {
        expectPage(dialog, "frajibanji");
        click(dialog, "cmdjibanjiCancel");
    });
    run(script);

    QCOMPARE(seen.text, QStringLiteral("必须选择性别选项。"));
    QCOMPARE(seen.title, QStringLiteral("青禾起名程序"));
    QCOMPARE(seen.icon, QMessageBox::NoIcon);
    QCOMPARE(sexText(m_request.sex), QStringLiteral("女"));
}

void TestNamingDialogs::birthTimeTicksTheElements_data()
{
    QTest::addColumn<QString>("birth");
    QTest::addColumn<bool>("enter"); // Enter in the box rather than the button
    QTest::addColumn<QString>("message"); // empty: the birth is charted
    QTest::addColumn<QStringList>("wishes");
    QTest::addColumn<bool>("touch"); // the person ticks 金 before 确定
    const QStringList afterTouch { QStringLiteral("金"), QString(), QString(), QStringLiteral("火"),
        QStringLiteral("土") };
    // 2024-02-04 16:30 is three minutes after 立春: 甲辰 丙寅 戊戌 庚申, a weak 戊 day that wants 火 and 土; the
    // person then ticks 金 as well, and the chart no longer heads the result. Untouched, it does.
    QTest::newRow("the button") << QStringLiteral("2024-02-04 16:30") << false << QString() << afterTouch << true;
    QTest::newRow("ticks kept") << QStringLiteral("2024-02-04 16:30") << false << QString()
                                << QStringList { QString(), QString(), QString(), QStringLiteral("火"),
                                       QStringLiteral("土") }
                                << false;
    QTest::newRow("Enter in the box") << QStringLiteral("2024-02-04 16:30") << true << QString() << afterTouch << true;
    QTest::newRow("with longitude and zone")
        << QStringLiteral("2024-02-04 17:10 116.4 +08:00") << false << QString() << afterTouch << true;
    // Refused: the ticks stay as they were (all five, then 金 taken away).
    const QStringList untouched { QString(), QStringLiteral("木"), QStringLiteral("水"), QStringLiteral("火"),
        QStringLiteral("土") };
    QTest::newRow("no such day") << QStringLiteral("2023-02-29 08:00") << false
                                 << QStringLiteral("2023年2月只有28天，没有29日。") << untouched << true;
    QTest::newRow("24:00") << QStringLiteral("2024-02-04 24:00") << true
                           << QStringLiteral("小时须在0至23之间，午夜零点请写作次日的 00:00。") << untouched << true;
    QTest::newRow("text") << QStringLiteral("明天") << false
                          << QStringLiteral("无法识别出生时间“明天”，请按“年-月-日 时:分”输入，例如 2024-02-04 16:30。")
                          << untouched << true;
}

void TestNamingDialogs::birthTimeTicksTheElements()
{
    QFETCH(QString, birth);
    QFETCH(bool, enter);
    QFETCH(QString, message);
    QFETCH(QStringList, wishes);
    QFETCH(bool, touch);
    ModalScript script;
    BoxSeen seen;
    script.on(QStringLiteral("dlgdanfuxing"), [&](QWidget *dialog) { click(dialog, "cmdNameOK"); });
    script.on(QStringLiteral("dlgdanfuxing"), [&](QWidget *dialog) {
        expectAllElements(dialog, true);
        auto *box = child<QLineEdit>(dialog, "txtMoreBirth");
        QVERIFY(box && box->isVisible());
        box->insert(birth);
        if (enter)
            QTest::keyClick(box, Qt::Key_Return);
        else
            click(dialog, "cmdMoreBirth");
    });
    if (!message.isEmpty())
        script.on(kMessageBox, answerBox(seen));
    script.on(QStringLiteral("dlgdanfuxing"), [&](QWidget *dialog) {
        // Enter in the box stayed on the page.
        expectPage(dialog, "fraMoreInfo");
        const QString advice = child<QLabel>(dialog, "lblMoreBirthAdvice")->text();
        if (message.isEmpty()) {
            QVERIFY2(advice.startsWith(QStringLiteral("八字：甲辰 丙寅 戊戌 庚申，日主戊土，身弱\n建议名字补：火、土")),
                qPrintable(advice));
            QVERIFY(!checked(dialog, "chkMoreJin"));
            QVERIFY(!checked(dialog, "chkMoreMu"));
            QVERIFY(!checked(dialog, "chkMoreShui"));
            QVERIFY(checked(dialog, "chkMoreHuo"));
            QVERIFY(checked(dialog, "chkMoreTu"));
        } else {
            QCOMPARE(advice, QString());
            expectAllElements(dialog, true);
        }
        // The ticks stay the person's.
        if (touch)
            click(dialog, "chkMoreJin");
        click(dialog, "cmdMoreOK");
    });
    script.on(QStringLiteral("dlgdanfuxing"), [&](QWidget *dialog) {
        expectPage(dialog, "frajibanji");
        click(dialog, "cmdjibanjiCancel");
    });
    run(script);

    QCOMPARE(seen.text, message);
    QCOMPARE(wishSlots(m_request), wishes);
    QCOMPARE(m_request.chartPreface.has_value(), !touch);
    if (!touch)
        QVERIFY(m_request.chartPreface->text.startsWith(QStringLiteral("生辰八字：甲辰 丙寅 戊戌 庚申")));
}

void TestNamingDialogs::enterConfirmsThePageShown()
{
    m_request.surnameLength = 0;
    ModalScript script;
    script.on(QStringLiteral("dlgdanfuxing"), [&](QWidget *dialog) {
        click(dialog, "optfuxing");
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : dialog, Qt::Key_Return);
    });
    script.on(QStringLiteral("dlgdanfuxing"), [&](QWidget *dialog) {
        expectPage(dialog, "fraNameShu");
        click(dialog, "optName1");
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : dialog, Qt::Key_Return);
    });
    script.on(QStringLiteral("dlgdanfuxing"), [&](QWidget *dialog) {
        expectPage(dialog, "fraMoreInfo");
        click(dialog, "chkMoreTu");
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : dialog, Qt::Key_Return);
    });
    script.on(QStringLiteral("dlgdanfuxing"), [&](QWidget *dialog) {
        expectPage(dialog, "frajibanji");
        click(dialog, "cmdjibanjiCancel");
    });
    run(script);

    QCOMPARE(m_request.nameLength, qint16(0));
    QCOMPARE(wishSlots(m_request).value(4), QString());
    QCOMPARE(sexText(m_request.sex), QStringLiteral("男"));
}

void TestNamingDialogs::dialogLastFrameGoesBack_data()
{
    QTest::addColumn<bool>("viaAdvanced");
    QTest::addColumn<QString>("how");

    QTest::newRow("luck page, frame") << false << QStringLiteral("frame");
    QTest::newRow("luck page, Esc") << false << QStringLiteral("escape");
    QTest::newRow("advanced page, frame") << true << QStringLiteral("frame");
}

void TestNamingDialogs::dialogLastFrameGoesBack()
{
    QFETCH(bool, viaAdvanced);
    QFETCH(QString, how);
    const char *page = viaAdvanced ? "fraSuper" : "frajibanji";
    const char *ok = viaAdvanced ? "cmdsuperOk" : "cmdjibanjiOK";

    ModalScript script;
    script.on(QStringLiteral("dlgdanfuxing"), [&](QWidget *dialog) { click(dialog, "cmdNameOK"); });
    script.on(QStringLiteral("dlgdanfuxing"), [&](QWidget *dialog) { click(dialog, "cmdMoreOK"); });
    if (viaAdvanced)
        script.on(QStringLiteral("dlgdanfuxing"), [&](QWidget *dialog) { click(dialog, "cmdjibanjiSuper"); });
    script.on(QStringLiteral("dlgdanfuxing"), [&](QWidget *dialog) { click(dialog, ok); });
    script.on(QStringLiteral("DialogLast"), [&](QWidget *dialog) { closeBy(dialog, how); });
    script.on(QStringLiteral("dlgdanfuxing"), [&](QWidget *dialog) {
        expectPage(dialog, page);
        QCOMPARE(m_wizard->state(), NamingWizard::State::Open);
        QVERIFY(!m_flags.wizardDone);
        click(dialog, ok);
    });
    script.on(QStringLiteral("DialogLast"), [&](QWidget *dialog) { click(dialog, "OKButton"); });
    run(script);

    QVERIFY(m_flags.wizardDone);
    QVERIFY(!m_flags.namingCancelled);
    QCOMPARE(m_request.nameLength, qint16(2));
}

void TestNamingDialogs::advancedValidation_data()
{
    QTest::addColumn<QString>("strokes");
    QTest::addColumn<QString>("groups");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("firstStrokeStart");
    QTest::addColumn<int>("groupLimit");

    const QString none;
    QTest::newRow("defaults") << QStringLiteral("1") << QStringLiteral("6") << none << 1 << 7;
    QTest::newRow("29 strokes") << QStringLiteral("29") << QStringLiteral("6") << none << 29 << 7;
    QTest::newRow("20 groups") << QStringLiteral("3") << QStringLiteral("20") << none << 3 << 21;
    QTest::newRow("blanks around groups") << QStringLiteral("1") << QStringLiteral(" 7 ") << none << 1 << 8;
    QTest::newRow("30 strokes") << QStringLiteral("30") << QStringLiteral("6")
                                << QStringLiteral("名字笔画数应在1至29之间。") << 0 << 0;
    QTest::newRow("0 strokes") << QStringLiteral("0") << QStringLiteral("6")
                               << QStringLiteral("名字笔画数应在1至29之间。") << 0 << 0;
    QTest::newRow("letters for strokes") << QStringLiteral("abc") << QStringLiteral("6")
                                         << QStringLiteral("名字笔画数应为数字。") << 0 << 0;
    QTest::newRow("0 groups") << QStringLiteral("5") << QStringLiteral("0")
                              << QStringLiteral("取名组数应在1至20之间。") << 0 << 0;
    QTest::newRow("21 groups") << QStringLiteral("5") << QStringLiteral("21")
                               << QStringLiteral("取名组数应在1至20之间。") << 0 << 0;
    QTest::newRow("letter for groups") << QStringLiteral("5") << QStringLiteral("x")
                                       << QStringLiteral("取名组数应为数字。") << 0 << 0;
}

void TestNamingDialogs::advancedValidation()
{
    QFETCH(QString, strokes);
    QFETCH(QString, groups);
    QFETCH(QString, message);
    QFETCH(int, firstStrokeStart);
    QFETCH(int, groupLimit);

    ModalScript script;
    BoxSeen seen;
    script.on(QStringLiteral("dlgdanfuxing"), [&](QWidget *dialog) { click(dialog, "cmdNameOK"); });
    script.on(QStringLiteral("dlgdanfuxing"), [&](QWidget *dialog) { click(dialog, "cmdMoreOK"); });
    script.on(QStringLiteral("dlgdanfuxing"), [&](QWidget *dialog) { click(dialog, "cmdjibanjiSuper"); });
    script.on(QStringLiteral("dlgdanfuxing"), [&](QWidget *dialog) {
        expectPage(dialog, "fraSuper");
        auto *strokeBox = child<QComboBox>(dialog, "cmbsuperBihuashu");
        auto *groupBox = child<QComboBox>(dialog, "cmbsuperJizu");
        QVERIFY(strokeBox->isEditable() && groupBox->isEditable());
        QCOMPARE(strokeBox->count(), 29);
        QCOMPARE(strokeBox->itemText(28), QStringLiteral("29"));
        QCOMPARE(groupBox->count(), 20);
        QCOMPARE(groupBox->itemText(19), QStringLiteral("20"));
        QCOMPARE(strokeBox->currentText(), QStringLiteral("1"));
        QCOMPARE(groupBox->currentText(), QStringLiteral("6"));
        typeInto(dialog, "cmbsuperBihuashu", strokes);
        typeInto(dialog, "cmbsuperJizu", groups);
        click(dialog, "cmdsuperOk");
    });
    if (message.isEmpty()) {
        script.on(QStringLiteral("DialogLast"), [&](QWidget *dialog) { click(dialog, "OKButton"); });
    } else {
        script.on(kMessageBox, answerBox(seen));
        script.on(QStringLiteral("dlgdanfuxing"), [&](QWidget *dialog) {
            // The page stays with what was typed.
            expectPage(dialog, "fraSuper");
            QCOMPARE(child<QComboBox>(dialog, "cmbsuperBihuashu")->currentText(), strokes);
            QCOMPARE(child<QComboBox>(dialog, "cmbsuperJizu")->currentText(), groups);
            QCOMPARE(m_wizard->state(), NamingWizard::State::Open);
            click(dialog, "cmdsupercancel");
        });
    }
    run(script);

    QCOMPARE(luckText(m_request), QStringLiteral("半吉"));
    if (message.isEmpty()) {
        QCOMPARE(m_request.firstStrokeStart, qint16(firstStrokeStart));
        QCOMPARE(m_request.groupLimit, qint16(groupLimit));
        QVERIFY(m_flags.wizardDone);
    } else {
        QCOMPARE(seen.text, message);
        QCOMPARE(seen.title, QStringLiteral("青禾起名程序"));
        QCOMPARE(seen.icon, QMessageBox::NoIcon);
        QCOMPARE(m_request.groupLimit, qint16(7));
        QVERIFY(m_flags.namingCancelled);
    }
}

void TestNamingDialogs::sourceOnTheLuckPage_data()
{
    QTest::addColumn<int>("nameLength");
    QTest::addColumn<QString>("earlier"); // the source chosen in an earlier run; "-" for the library
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("chosen"); // the collections the request keeps; "-" for the library

    const QString ok = QStringLiteral("cmdjibanjiOK");
    const QString none;
    const QString library = QStringLiteral("-");
    QTest::newRow("library, as it opens") << 2 << library << QStringList() << ok << none << library;
    QTest::newRow("诗经 and 宋词") << 2 << library
                                   << QStringList { QStringLiteral("optSourceClassics"), QStringLiteral("chkChuci"),
                                          QStringLiteral("chkSongci") }
                                   << ok << none << QStringLiteral("诗经、宋词");
    QTest::newRow("one character, through 高级")
        << 1 << library
        << QStringList { QStringLiteral("optSourceClassics"), QStringLiteral("chkShijing"), QStringLiteral("chkLunyu") }
        << QStringLiteral("cmdjibanjiSuper") << none << QStringLiteral("论语、楚辞");
    QTest::newRow("the last choice comes back")
        << 2 << QStringLiteral("唐诗") << QStringList() << ok << none << QStringLiteral("唐诗");
    QTest::newRow("back to the library") << 2 << QStringLiteral("唐诗")
                                         << QStringList { QStringLiteral("optSourceLibrary") } << ok << none << library;
    QTest::newRow("no collection ticked")
        << 2 << library
        << QStringList { QStringLiteral("optSourceClassics"), QStringLiteral("chkShijing"), QStringLiteral("chkChuci") }
        << ok << QStringLiteral("请至少选择一部典籍（诗经、论语、楚辞、孟子、大学、中庸、唐诗、宋词、宋诗）。") << library;
    QTest::newRow("three characters: the library only")
        << 3 << QStringLiteral("诗经") << QStringList() << ok << none << library;
}

void TestNamingDialogs::sourceOnTheLuckPage()
{
    QFETCH(int, nameLength);
    QFETCH(QString, earlier);
    QFETCH(QStringList, clicks);
    QFETCH(QString, button);
    QFETCH(QString, message);
    QFETCH(QString, chosen);
    if (earlier != u"-")
        m_request.classics = ClassicSet::parse(earlier);
    const char *lengths[] = { "", "optName1", "optName2", "optName3" };
    const auto shows = [](QWidget *dialog, const QString &source) {
        const bool classics = source != u"-";
        QCOMPARE(checked(dialog, "optSourceClassics"), classics);
        QCOMPARE(checked(dialog, "optSourceLibrary"), !classics);
        for (const auto &[name, classic] : { std::pair { "chkShijing", Classic::Shijing },
                 std::pair { "chkChuci", Classic::Chuci }, std::pair { "chkTangshi", Classic::Tangshi },
                 std::pair { "chkSongci", Classic::Songci }, std::pair { "chkLunyu", Classic::Lunyu },
                 std::pair { "chkSongshi", Classic::Songshi }, std::pair { "chkMengzi", Classic::Mengzi },
                 std::pair { "chkDaxue", Classic::Daxue }, std::pair { "chkZhongyong", Classic::Zhongyong } }) {
            // The ticks count only for the collections, and can be changed only then.
            QCOMPARE(child<QCheckBox>(dialog, name)->isEnabled(), classics);
            if (classics)
                QCOMPARE(checked(dialog, name), ClassicSet::parse(source)->contains(classic));
        }
    };

    ModalScript script;
    BoxSeen seen;
    script.on(QStringLiteral("dlgdanfuxing"), [&](QWidget *dialog) {
        click(dialog, lengths[nameLength]);
        click(dialog, "cmdNameOK");
    });
    script.on(QStringLiteral("dlgdanfuxing"), [&](QWidget *dialog) { click(dialog, "cmdMoreOK"); });
    script.on(QStringLiteral("dlgdanfuxing"), [&](QWidget *dialog) {
        expectPage(dialog, "frajibanji");
        QCOMPARE(child<QGroupBox>(dialog, "fraSource")->title(), QStringLiteral("名字来源"));
        QCOMPARE(child<QRadioButton>(dialog, "optSourceLibrary")->text(), QStringLiteral("从字库选字"));
        // A three-character name cannot be found in the classics; otherwise the page shows the last choice.
        QCOMPARE(child<QRadioButton>(dialog, "optSourceClassics")->isEnabled(), nameLength != 3);
        shows(dialog, nameLength == 3 ? QStringLiteral("-") : earlier);
        for (const QString &name : std::as_const(clicks))
            click(dialog, qPrintable(name));
        click(dialog, qPrintable(button));
    });
    if (!message.isEmpty()) {
        script.on(kMessageBox, answerBox(seen));
        script.on(QStringLiteral("dlgdanfuxing"), [&](QWidget *dialog) {
            expectPage(dialog, "frajibanji");
            QVERIFY(!m_request.classics);
            click(dialog, "optSourceLibrary");
            click(dialog, "cmdjibanjiOK");
        });
    }
    if (button == u"cmdjibanjiSuper")
        script.on(QStringLiteral("dlgdanfuxing"), [&](QWidget *dialog) { click(dialog, "cmdsuperOk"); });
    script.on(QStringLiteral("DialogLast"), [&](QWidget *dialog) { click(dialog, "OKButton"); });
    run(script);

    QCOMPARE(seen.text, message);
    QCOMPARE(m_request.classics ? m_request.classics->names(QStringLiteral("、")) : QStringLiteral("-"), chosen);
    QVERIFY(m_flags.wizardDone);
}

void TestNamingDialogs::advancedCancel()
{
    m_request.firstStrokeStart = 9;
    m_request.nameLength = 3;
    ModalScript script;
    script.on(QStringLiteral("dlgdanfuxing"), [&](QWidget *dialog) { click(dialog, "cmdNameOK"); });
    script.on(QStringLiteral("dlgdanfuxing"), [&](QWidget *dialog) { click(dialog, "cmdMoreOK"); });
    script.on(QStringLiteral("dlgdanfuxing"), [&](QWidget *dialog) {
        click(dialog, "optquanji");
        click(dialog, "cmdjibanjiSuper");
    });
    script.on(QStringLiteral("dlgdanfuxing"), [&](QWidget *dialog) {
        expectPage(dialog, "fraSuper");
        QCOMPARE(child<QGroupBox>(dialog, "fraSuper")->title(), QStringLiteral("高级"));
        typeInto(dialog, "cmbsuperBihuashu", QStringLiteral("12"));
        click(dialog, "cmdsupercancel");
    });
    run(script);

    QCOMPARE(m_request.nameLength, qint16(0));
    QCOMPARE(m_request.firstStrokeStart, qint16(1));
    QCOMPARE(kindText(m_request), QString());
    QCOMPARE(luckText(m_request), QStringLiteral("全吉"));
    QVERIFY(m_flags.namingCancelled);
    QVERIFY(!m_flags.wizardDone);
    QVERIFY(!m_wizard->busyRequested());
}

void TestNamingDialogs::personalFrameCloseCancels_data()
{
    QTest::addColumn<int>("pagesForward");
    QTest::addColumn<QString>("how");

    QTest::newRow("name length, frame") << 0 << QStringLiteral("frame");
    QTest::newRow("name length, Esc") << 0 << QStringLiteral("escape");
    QTest::newRow("sex and elements, frame") << 1 << QStringLiteral("frame");
    QTest::newRow("luck, frame") << 2 << QStringLiteral("frame");
    QTest::newRow("advanced, Esc") << 3 << QStringLiteral("escape");
}

void TestNamingDialogs::personalFrameCloseCancels()
{
    QFETCH(int, pagesForward);
    QFETCH(QString, how);
    m_request.nameLength = 2;
    const char *forward[] = {"cmdNameOK", "cmdMoreOK", "cmdjibanjiSuper"};

    ModalScript script;
    for (int i = 0; i < pagesForward; ++i)
        script.on(QStringLiteral("dlgdanfuxing"), [&, i](QWidget *dialog) { click(dialog, forward[i]); });
    script.on(QStringLiteral("dlgdanfuxing"), [&](QWidget *dialog) {
        expectPage(dialog, kPages[pagesForward + 1]);
        closeBy(dialog, how);
    });
    run(script);

    QCOMPARE(m_request.nameLength, qint16(0));
    QCOMPARE(kindText(m_request), QString());
    QVERIFY(m_flags.namingCancelled);
    QVERIFY(!m_flags.wizardDone);
    QVERIFY(!m_wizard->busyRequested());
}

void TestNamingDialogs::analysisOpensOnSurnameKind_data()
{
    QTest::addColumn<bool>("suggested"); // the compound-surname list knows the name's first two characters
    QTest::addColumn<QString>("option"); // the option the person clicks; empty: none
    QTest::addColumn<QString>("kind");

    QTest::newRow("单姓") << false << QString() << QStringLiteral("单");
    QTest::newRow("复姓") << false << QStringLiteral("optfuxing") << QStringLiteral("复");
    QTest::newRow("listed: 复姓 preselected") << true << QString() << QStringLiteral("复");
    QTest::newRow("listed, but the person says 单姓") << true << QStringLiteral("optdanxing") << QStringLiteral("单");
}

void TestNamingDialogs::analysisOpensOnSurnameKind()
{
    QFETCH(bool, suggested);
    QFETCH(QString, option);
    QFETCH(QString, kind);
    forNameAnalysis();
    m_request.surnameLength = 0;
    m_request.nameLength = 3;
    if (suggested)
        m_wizard->suggestSurnameKind(SurnameKind::Compound);

    ModalScript script;
    script.on(QStringLiteral("dlgdanfuxing"), [&](QWidget *dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("选择单姓复姓"));
        expectPlaced(dialog, m_mainWindow);
        expectPage(dialog, "fradanfuxing");
        QCOMPARE(child<QGroupBox>(dialog, "fradanfuxing")->title(), QStringLiteral("单姓复姓"));
        QCOMPARE(child<QLabel>(dialog, "lblinfo")->text(), QStringLiteral("您输入的姓名中，姓氏是单姓还是复姓，请选择。"));
        QCOMPARE(checked(dialog, "optdanxing"), !suggested);
        QCOMPARE(checked(dialog, "optfuxing"), suggested);
        QCOMPARE(dialog->focusWidget(), child<QWidget>(dialog, "cmdOK"));
        if (!option.isEmpty())
            click(dialog, qPrintable(option));
        click(dialog, "cmdOK");
    });
    run(script);

    QCOMPARE(kindText(m_request), kind);
    QCOMPARE(m_request.nameLength, qint16(3));
    QVERIFY(!m_flags.namingCancelled);
    QVERIFY(m_wizard->busyRequested());
}

void TestNamingDialogs::analysisFrameCloseOnlyCloses_data()
{
    QTest::addColumn<QString>("how");

    QTest::newRow("frame") << QStringLiteral("frame");
    QTest::newRow("Esc") << QStringLiteral("escape");
}

void TestNamingDialogs::analysisFrameCloseOnlyCloses()
{
    QFETCH(QString, how);
    forNameAnalysis();
    m_request.surnameLength = 0;
    m_request.surnameKind = SurnameKind::Compound;
    m_request.nameLength = 3;

    ModalScript script;
    script.on(QStringLiteral("dlgdanfuxing"), [&](QWidget *dialog) {
        click(dialog, "optdanxing");
        closeBy(dialog, how);
    });
    run(script);

    QCOMPARE(kindText(m_request), QStringLiteral("复"));
    QCOMPARE(m_request.nameLength, qint16(3));
    QVERIFY(!m_flags.namingCancelled);
    QVERIFY(!m_wizard->busyRequested());
}

void TestNamingDialogs::personalSurnameKindPage()
{
    m_request.surnameLength = 0;

    ModalScript script;
    script.on(QStringLiteral("dlgdanfuxing"), [&](QWidget *dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("选择单姓复姓"));
        expectPage(dialog, "fradanfuxing");
        QCOMPARE(child<QPushButton>(dialog, "cmdCancel")->text(), QStringLiteral("取消"));
        click(dialog, "optfuxing");
        click(dialog, "cmdOK");
    });
    script.on(QStringLiteral("dlgdanfuxing"), [&](QWidget *dialog) {
        expectPage(dialog, "fraNameShu");
        QVERIFY(checked(dialog, "optName2"));
        QVERIFY(!child<QWidget>(dialog, "optName3")->isEnabled());
        click(dialog, "cmdNameCancel");
    });
    run(script);

    QCOMPARE(kindText(m_request), QString());
    QVERIFY(m_flags.namingCancelled);
}

void TestNamingDialogs::surnameKindForm_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<QString>("after");

    QTest::newRow("确定 单姓") << QStringLiteral("复") << QStringList{QStringLiteral("cmdOk")} << QStringLiteral("单");
    QTest::newRow("确定 复姓") << QStringLiteral("单") << QStringList{QStringLiteral("optfuxing"), QStringLiteral("cmdOk")}
                           << QStringLiteral("复");
    QTest::newRow("取消") << QStringLiteral("复") << QStringList{QStringLiteral("cmdCancel")} << QString();
    QTest::newRow("frame") << QStringLiteral("复") << QStringList{QStringLiteral("frame")} << QStringLiteral("复");
    QTest::newRow("Esc") << QStringLiteral("单") << QStringList{QStringLiteral("escape")} << QStringLiteral("单");
}

void TestNamingDialogs::surnameKindForm()
{
    QFETCH(QString, before);
    QFETCH(QStringList, actions);
    QFETCH(QString, after);
    m_request.surnameKind = surnameKindFromText(before);
    SurnameKindForm form(m_request);

    ModalScript script;
    script.on(QStringLiteral("frmDanfuxing"), [&](QWidget *dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("单姓复姓"));
        QCOMPARE(dialog->parentWidget(), m_mainWindow);
        expectPlaced(dialog, m_mainWindow);
        QCOMPARE(child<QLabel>(dialog, "lblinfo")->text(),
                 QStringLiteral("请选择单姓、复姓，即您要分析的姓名笔画数，其姓是单姓还是复姓。"));
        QCOMPARE(child<QRadioButton>(dialog, "optDanxing")->text(), QStringLiteral("单姓"));
        QCOMPARE(child<QRadioButton>(dialog, "optfuxing")->text(), QStringLiteral("复姓"));
        QCOMPARE(child<QPushButton>(dialog, "cmdOk")->text(), QStringLiteral("确定"));
        QCOMPARE(child<QPushButton>(dialog, "cmdCancel")->text(), QStringLiteral("取消"));
        QVERIFY(checked(dialog, "optDanxing"));
        for (const QString &action : actions) {
            if (action == QStringLiteral("frame") || action == QStringLiteral("escape"))
                closeBy(dialog, action);
            else
                click(dialog, action.toLatin1().constData());
        }
    });
    script.start();
    WidgetPrompter prompter(m_mainWindow);
    prompter.askSurnameKind(form);

    QVERIFY2(script.failure().isEmpty(), qPrintable(script.failure()));
    QVERIFY(script.finished());
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QVERIFY(form.closed());
    QCOMPARE(kindText(m_request), after);
}

QTEST_MAIN(TestNamingDialogs)
#include "tst_namingdialogs.moc"
