#include "naming/NamingWizard.h"
#include "naming/SurnameKindForm.h"

#include <QTest>

using namespace tolvane;

namespace {

const ElementSet kAll = ElementSet::all();
constexpr auto kNaming = NamingWizard::Purpose::PersonalNaming;
constexpr auto kAnalysis = NamingWizard::Purpose::NameAnalysis;

// The surname kind as the window would show it, empty when none is chosen.
QString kindText(const NameRequest &request)
{
    return request.surnameKind ? surnameKindText(*request.surnameKind) : QString();
}

struct Rig {
    explicit Rig(int surnameLength, NamingWizard::Purpose purpose = kNaming)
        : wizard(request, flags, purpose)
    {
        request.surnameLength = qint16(surnameLength);
        wizard.load();
    }
    NameRequest request;
    WizardFlags flags;
    NamingWizard wizard;
};

} // namespace

class TestNamingWizard : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void firstPageBySurnameLength_data();
    void firstPageBySurnameLength();
    void completedRun();
    void sexMustBeChosen();
    void backAndForthResetsTheSexPage();
    void advancedValidation_data();
    void advancedValidation();
    void advancedCancelCancelsTheWizard();
    void frameCloseInNamingAndInAnalysis();
    void dialogLastFrameReturnsToThePage();
    void surnameKindPageInAnalysis();
    void groupLimitSurvivesTheNextRun();
    void surnameKindForm();
};

void TestNamingWizard::firstPageBySurnameLength_data()
{
    QTest::addColumn<int>("surnameLength");
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("threeAllowed");
    QTest::addColumn<QString>("caption");
    QTest::newRow("unknown") << 0 << int(NamingWizard::Page::SurnameKind) << QString() << true
                             << QStringLiteral("选择单姓复姓");
    QTest::newRow("single") << 1 << int(NamingWizard::Page::NameLength) << QStringLiteral("单") << true
                            << QStringLiteral("采集取名信息");
    QTest::newRow("compound") << 2 << int(NamingWizard::Page::NameLength) << QStringLiteral("复") << false
                              << QStringLiteral("采集取名信息");
}

void TestNamingWizard::firstPageBySurnameLength()
{
    QFETCH(int, surnameLength);
    QFETCH(int, page);
    QFETCH(QString, kind);
    QFETCH(bool, threeAllowed);
    QFETCH(QString, caption);
    Rig rig(surnameLength);
    QCOMPARE(int(rig.wizard.page()), page);
    QCOMPARE(kindText(rig.request), kind);
    QCOMPARE(rig.wizard.threeCharactersAllowed(), threeAllowed);
    QCOMPARE(rig.wizard.caption(), caption);
    QVERIFY(rig.wizard.presetPending());
    QVERIFY(!rig.flags.wizardDone);
}

void TestNamingWizard::completedRun()
{
    Rig rig(1);
    rig.wizard.confirmNameLength(3);
    QCOMPARE(int(rig.wizard.page()), int(NamingWizard::Page::SexAndElements));
    QVERIFY(!rig.wizard.confirmSexAndElements(Sex::Female, *ElementSet::fromText(u"金水")));
    QCOMPARE(int(rig.wizard.page()), int(NamingWizard::Page::Luck));
    rig.wizard.confirmLuck(LuckLevel::Full);
    QCOMPARE(int(rig.wizard.state()), int(NamingWizard::State::DialogLast));
    QVERIFY(rig.wizard.dialogLastText().contains(QStringLiteral("您选择了三字名，电脑可能要用3-20秒时间")));
    QVERIFY(!rig.flags.wizardDone); // DialogLast's load resets it
    rig.wizard.confirmDialogLast();
    QCOMPARE(int(rig.wizard.state()), int(NamingWizard::State::Closed));
    QVERIFY(rig.flags.wizardDone);
    QVERIFY(!rig.flags.namingCancelled);
    QVERIFY(rig.wizard.busyRequested());
    QCOMPARE(int(rig.request.nameLength), 3);
    QCOMPARE(sexText(rig.request.sex), QStringLiteral("女"));
    QCOMPARE(rig.request.elementWishes.text(), QStringLiteral("金水"));
    QVERIFY(rig.request.luckLevel == LuckLevel::Full);
    QCOMPARE(int(rig.request.groupLimit), 7);
}

void TestNamingWizard::sexMustBeChosen()
{
    Rig rig(1);
    rig.wizard.confirmNameLength(2);
    const std::optional<UserMessage> m = rig.wizard.confirmSexAndElements(std::nullopt, kAll);
    QVERIFY(m);
    QCOMPARE(m->text, QStringLiteral("必须选择性别选项。"));
    QCOMPARE(int(rig.wizard.page()), int(NamingWizard::Page::SexAndElements));
    // No element at all is accepted without a message.
    QVERIFY(!rig.wizard.confirmSexAndElements(Sex::Male, ElementSet()));
    QVERIFY(rig.request.elementWishes.isEmpty());
}

void TestNamingWizard::backAndForthResetsTheSexPage()
{
    Rig rig(1);
    rig.wizard.confirmNameLength(2);
    rig.wizard.presetShown();
    rig.wizard.backToNameLength();
    QVERIFY(!rig.wizard.presetPending()); // selections kept
    rig.wizard.confirmNameLength(1);
    QVERIFY(rig.wizard.presetPending()); // 男性名 and all five again
    QCOMPARE(rig.request.elementWishes.text(), QStringLiteral("金木水火土"));
    QVERIFY(!rig.wizard.confirmSexAndElements(Sex::Male, kAll));
    rig.wizard.presetShown();
    rig.wizard.backToSexAndElements();
    QVERIFY(!rig.wizard.presetPending());
    QCOMPARE(int(rig.wizard.page()), int(NamingWizard::Page::SexAndElements));
}

void TestNamingWizard::advancedValidation_data()
{
    QTest::addColumn<QString>("strokes");
    QTest::addColumn<QString>("groups");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("groupLimit");
    QTest::newRow("29 and 20") << QStringLiteral("29") << QStringLiteral("20") << QString() << 29 << 21;
    QTest::newRow("spaces around 7") << QStringLiteral("1") << QStringLiteral(" 7 ") << QString() << 1 << 8;
    QTest::newRow("2.5 rounds to 2") << QStringLiteral("2.5") << QStringLiteral("6") << QString() << 2 << 7;
    QTest::newRow("30") << QStringLiteral("30") << QStringLiteral("6") << QStringLiteral("名字笔画数应在1至29之间。") << 0 << 0;
    QTest::newRow("0") << QStringLiteral("0") << QStringLiteral("6") << QStringLiteral("名字笔画数应在1至29之间。") << 0 << 0;
    QTest::newRow("letters") << QStringLiteral("abc") << QStringLiteral("6") << QStringLiteral("名字笔画数应为数字。") << 0 << 0;
    QTest::newRow("empty") << QString() << QStringLiteral("6") << QStringLiteral("名字笔画数应为数字。") << 0 << 0;
    QTest::newRow("21 groups") << QStringLiteral("1") << QStringLiteral("21") << QStringLiteral("取名组数应在1至20之间。") << 0 << 0;
    QTest::newRow("0 groups") << QStringLiteral("1") << QStringLiteral("0") << QStringLiteral("取名组数应在1至20之间。") << 0 << 0;
    QTest::newRow("x groups") << QStringLiteral("1") << QStringLiteral("x") << QStringLiteral("取名组数应为数字。") << 0 << 0;
    QTest::newRow("both wrong: strokes first") << QStringLiteral("x") << QStringLiteral("x")
                                               << QStringLiteral("名字笔画数应为数字。") << 0 << 0;
}

void TestNamingWizard::advancedValidation()
{
    QFETCH(QString, strokes);
    QFETCH(QString, groups);
    QFETCH(QString, message);
    QFETCH(int, start);
    QFETCH(int, groupLimit);
    Rig rig(1);
    rig.wizard.confirmNameLength(2);
    QVERIFY(!rig.wizard.confirmSexAndElements(Sex::Male, kAll));
    rig.wizard.advanced(LuckLevel::Half);
    QCOMPARE(int(rig.wizard.page()), int(NamingWizard::Page::Advanced));
    const std::optional<UserMessage> m = rig.wizard.confirmAdvanced(strokes, groups);
    QCOMPARE(m ? m->text : QString(), message);
    if (m) {
        QCOMPARE(int(m->style), int(UserMessage::Style::Plain));
        QCOMPARE(int(rig.wizard.state()), int(NamingWizard::State::Open));
        QCOMPARE(int(rig.request.groupLimit), 7);
    } else {
        QCOMPARE(int(rig.wizard.state()), int(NamingWizard::State::DialogLast));
        QCOMPARE(int(rig.request.firstStrokeStart), start);
        QCOMPARE(int(rig.request.groupLimit), groupLimit);
        QVERIFY(rig.request.luckLevel == LuckLevel::Half);
    }
}

void TestNamingWizard::advancedCancelCancelsTheWizard()
{
    Rig rig(2);
    rig.request.firstStrokeStart = 9;
    rig.wizard.confirmNameLength(2);
    QVERIFY(!rig.wizard.confirmSexAndElements(Sex::Male, kAll));
    rig.wizard.advanced(LuckLevel::Full);
    rig.wizard.cancelAdvanced();
    QCOMPARE(int(rig.wizard.state()), int(NamingWizard::State::Closed));
    QCOMPARE(int(rig.request.nameLength), 0);
    QVERIFY(!rig.request.surnameKind);
    QVERIFY(rig.flags.namingCancelled);
    QCOMPARE(int(rig.request.firstStrokeStart), 1);
}

void TestNamingWizard::frameCloseInNamingAndInAnalysis()
{
    Rig naming(1);
    naming.wizard.confirmNameLength(2);
    naming.wizard.closeByFrame();
    QVERIFY(naming.flags.namingCancelled);
    QCOMPARE(int(naming.request.nameLength), 0);

    Rig analysis(0, kAnalysis);
    analysis.request.nameLength = 2;
    analysis.wizard.closeByFrame();
    QCOMPARE(int(analysis.wizard.state()), int(NamingWizard::State::Closed));
    QVERIFY(!analysis.flags.namingCancelled);
    QCOMPARE(int(analysis.request.nameLength), 2);
}

void TestNamingWizard::dialogLastFrameReturnsToThePage()
{
    Rig rig(1);
    rig.wizard.confirmNameLength(1);
    QVERIFY(!rig.wizard.confirmSexAndElements(Sex::Male, kAll));
    rig.wizard.confirmLuck(LuckLevel::Half);
    rig.wizard.closeDialogLast();
    QCOMPARE(int(rig.wizard.state()), int(NamingWizard::State::Open));
    QCOMPARE(int(rig.wizard.page()), int(NamingWizard::Page::Luck));
    QVERIFY(!rig.flags.wizardDone);
    // Closing the wizard now still counts as a cancel.
    rig.wizard.closeByFrame();
    QVERIFY(rig.flags.namingCancelled);
}

void TestNamingWizard::surnameKindPageInAnalysis()
{
    Rig rig(0, kAnalysis);
    QCOMPARE(rig.wizard.surnameKindHelp(), QStringLiteral("您输入的姓名中，姓氏是单姓还是复姓，请选择。"));
    rig.wizard.confirmSurnameKind(SurnameKind::Compound);
    QVERIFY(rig.request.surnameKind == SurnameKind::Compound);
    QCOMPARE(int(rig.wizard.state()), int(NamingWizard::State::Closed));
    QVERIFY(rig.wizard.busyRequested());

    Rig cancelled(0, kAnalysis);
    cancelled.request.nameLength = 2;
    cancelled.request.surnameKind = SurnameKind::Single;
    cancelled.wizard.cancel();
    QVERIFY(!cancelled.request.surnameKind);
    QCOMPARE(int(cancelled.request.nameLength), 2); // only the kind and the flag change
    QVERIFY(cancelled.flags.namingCancelled);

    // In personal naming the same page goes on to the name length, without 三字名 after 复姓.
    Rig naming(0, kNaming);
    naming.wizard.confirmSurnameKind(SurnameKind::Compound);
    QCOMPARE(int(naming.wizard.page()), int(NamingWizard::Page::NameLength));
    QVERIFY(!naming.wizard.threeCharactersAllowed());
    const std::optional<UserMessage> refused = naming.wizard.confirmNameLength(3);
    QCOMPARE(refused ? refused->text : QString(), QStringLiteral("复姓最多只能取双字名。"));
    QCOMPARE(int(naming.wizard.page()), int(NamingWizard::Page::NameLength));
    QVERIFY(!naming.wizard.confirmNameLength(2));
    QCOMPARE(int(naming.wizard.page()), int(NamingWizard::Page::SexAndElements));
}

void TestNamingWizard::groupLimitSurvivesTheNextRun()
{
    NameRequest request;
    WizardFlags flags;
    request.surnameLength = 1;
    {
        NamingWizard first(request, flags, kNaming);
        first.load();
        first.confirmNameLength(2);
        QVERIFY(!first.confirmSexAndElements(Sex::Male, kAll));
        first.advanced(LuckLevel::Half);
        QVERIFY(!first.confirmAdvanced(QStringLiteral("5"), QStringLiteral("10")));
        first.confirmDialogLast();
    }
    QCOMPARE(int(request.groupLimit), 11);
    request.firstStrokeStart = 1; // the dispatcher's preparation
    NamingWizard second(request, flags, kNaming);
    second.load();
    second.confirmNameLength(2);
    QVERIFY(!second.confirmSexAndElements(Sex::Male, kAll));
    second.confirmLuck(LuckLevel::Half);
    second.confirmDialogLast();
    QCOMPARE(int(request.groupLimit), 11);
    QCOMPARE(int(request.firstStrokeStart), 1);
}

void TestNamingWizard::surnameKindForm()
{
    NameRequest request;
    request.surnameKind = SurnameKind::Single;
    SurnameKindForm(request).closeByFrame();
    QCOMPARE(kindText(request), QStringLiteral("单"));
    SurnameKindForm form(request);
    form.confirm(SurnameKind::Compound);
    QVERIFY(form.closed());
    QCOMPARE(kindText(request), QStringLiteral("复"));
    SurnameKindForm(request).cancel();
    QCOMPARE(kindText(request), QString());
}

QTEST_GUILESS_MAIN(TestNamingWizard)
#include "tst_namingwizard.moc"
