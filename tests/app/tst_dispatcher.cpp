#include "analysis/RefusalTexts.h"
#include "app/Dispatcher.h"
#include "app/HeadlessView.h"
#include "app/Selectors.h"
#include "app/StartupSequence.h"
#include "app/TextPane.h"
#include "fakes/FakePrompter.h"
#include "fakes/TestLibrary.h"
#include "naming/FindCharacterForm.h"
#include "naming/FixedOptionsForm.h"
#include "naming/NamingWizard.h"
#include "text/RtfReader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace tolvane;

namespace {

const QString kCompany = QStringLiteral("公司名分析");
const QString kOther = QStringLiteral("其他功能");
const QString kNoSuchOption = QStringLiteral("没有此选项，请与程序员联系。");

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A dispatcher over a library in its own folder, as the window and the command line build it.
struct Rig {
    explicit Rig(bool withLibrary = true)
        : dispatcher(AppPaths(dir.path()), pane, view, prompter)
    {
        if (withLibrary)
            TestLibrary::write(TestLibrary::fixtureContents(), dir.path());
    }
    QString rtfPath() const { return dir.filePath(QStringLiteral("name.rtf")); }
    // Execute with the texts of the two selectors and the two input boxes, as the window hands them on.
    void run(const QString &function, const QString &name, const QString &lookup, const QString &other)
    {
        dispatcher.execute(Selectors::input(function, name, lookup, other));
    }

    QTemporaryDir dir;
    TextPane pane;
    HeadlessView view;
    FakePrompter prompter;
    Dispatcher dispatcher;
};

} // namespace

namespace {

// Answers the wizard as a person who takes the name length, sex and luck level given, with all elements.
std::function<void(NamingWizard &)> answer(int length, bool female, bool full, QString groups = {})
{
    return [=](NamingWizard &w) {
        QVERIFY(!w.confirmNameLength(length));
        QVERIFY(!w.confirmSexAndElements(female ? Sex::Female : Sex::Male, ElementSet::all()));
        const LuckLevel level = full ? LuckLevel::Full : LuckLevel::Half;
        if (groups.isEmpty()) {
            w.confirmLuck(level);
        } else {
            w.advanced(level);
            QVERIFY(!w.confirmAdvanced(QStringLiteral("1"), groups));
        }
        w.confirmDialogLast();
    };
}

} // namespace

class TestDispatcher : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void companyRunFillsThePaneAndStoresIt();
    void companyMessageKeepsThePaneAndStillStores();
    void unknownSelectorTexts_data();
    void unknownSelectorTexts();
    void preparationClearsPerRunState();
    void databaseFailureIsClearedByTheNextExecute();
    void unwritableResultIsReportedOnce();
    void functionSelector_data();
    void functionSelector();
    void lookupSelectorToolTips();
    void startupSteps();
    void personalNamingShowsTheSummary();
    void personalNamingListsCandidates();
    void personalNamingFindsNothing();
    void noElementWishedFindsNoCharacter();
    void fixedCharacterNaming();
    void fixedCharacterPatterns_data();
    void fixedCharacterPatterns();
    void personalNamingCancelled();
    void libraryDamagedDuringNaming_data();
    void libraryDamagedDuringNaming();
    void personalNamingStopsAtTheSurnameCheck_data();
    void personalNamingStopsAtTheSurnameCheck();
    void threeCharactersWithoutDash();
    void groupLimitSurvivesBetweenRuns();
    void numberLookupReplacesThePane();
    void nameAnalysisOfTwoCharacters_data();
    void nameAnalysisOfTwoCharacters();
    void nameAnalysisAsksTheSurnameKind();
    void nameAnalysisEndsWithHowItSounds_data();
    void nameAnalysisEndsWithHowItSounds();
    void nameAnalysisStops_data();
    void nameAnalysisStops();
    void strokeNumberReports_data();
    void strokeNumberReports();
    void characterLookupPaintsTheNoticeFirst_data();
    void characterLookupPaintsTheNoticeFirst();
    void correctionIsSeenByTheNextLookup();
    void namesFromTheClassics_data();
    void namesFromTheClassics();
};

void TestDispatcher::companyRunFillsThePaneAndStoresIt()
{
    Rig rig;
    rig.run(kCompany, QStringLiteral(" 十十四 "), {}, {});
    QVERIFY(rig.prompter.messages.isEmpty());
    QVERIFY(rig.pane.text().startsWith(QStringLiteral("十十四 24 数暗示为（总笔画数是24）：\r\n")));
    QVERIFY(rig.pane.text().endsWith(QStringLiteral("这些数适宜于“文艺业”。\r\n")));
    const QByteArray rtf = readFile(rig.rtfPath());
    QVERIFY(rtf.startsWith("{\\rtf1"));
    QVERIFY(rtf.endsWith("}\r\n"));
    QVERIFY(rtf.contains("\\u21313")); // 十
    QVERIFY(!rig.view.busy);
}

void TestDispatcher::companyMessageKeepsThePaneAndStillStores()
{
    Rig rig;
    rig.pane.setText(QStringLiteral("上一次的结果"));
    rig.run(kCompany, QStringLiteral("   "), {}, {});
    QCOMPARE(rig.prompter.texts(), QStringList{QStringLiteral("您还没有输入公司名称。")});
    QCOMPARE(rig.pane.text(), QStringLiteral("上一次的结果"));
    QVERIFY(readFile(rig.rtfPath()).contains("\\u19978")); // 上
}

void TestDispatcher::unknownSelectorTexts_data()
{
    QTest::addColumn<QString>("function");
    QTest::addColumn<QString>("lookup");
    QTest::addColumn<bool>("otherFunctions");
    QTest::newRow("typed function") << QStringLiteral("公司名") << QString() << false;
    QTest::newRow("function with a blank") << QStringLiteral("公司名分析 ") << QString() << false;
    QTest::newRow("typed lookup") << kOther << QStringLiteral("查字") << true;
    QTest::newRow("empty lookup") << kOther << QString() << true;
}

void TestDispatcher::unknownSelectorTexts()
{
    QFETCH(QString, function);
    QFETCH(QString, lookup);
    QFETCH(bool, otherFunctions);
    Rig rig;
    rig.run(function, QStringLiteral("青禾"), lookup, QStringLiteral("5"));
    QCOMPARE(rig.prompter.messages.size(), 1);
    QCOMPARE(rig.prompter.messages.first(), UserMessage::warning(kNoSuchOption));
    // The result is stored all the same.
    QVERIFY(QFile::exists(rig.rtfPath()));
    QCOMPARE(rig.view.otherPanelEnabled, otherFunctions);
}

void TestDispatcher::preparationClearsPerRunState()
{
    Rig rig;
    const ProgramState &s = rig.dispatcher.state();
    // A name analysis leaves its fields and grids; a company analysis after it shows only its own. A personal
    // naming run leaves its surname length, first stroke count and group limit.
    rig.run(QStringLiteral("姓名分析"), QStringLiteral("青禾"), {}, {});
    QCOMPARE(s.resultFields.value(QStringLiteral("name")).toString(), QStringLiteral("青禾"));
    QVERIFY(rig.view.grids != GridPanel{});
    rig.run(kCompany, QStringLiteral("十"), {}, {});
    QVERIFY(!s.resultFields.contains(QStringLiteral("givenName")));
    QVERIFY(!s.resultFields.contains(QStringLiteral("sound")));
    QCOMPARE(rig.view.grids, GridPanel{});

    rig.prompter.wizardScript = [](NamingWizard &w) {
        QVERIFY(!w.confirmNameLength(1));
        QVERIFY(!w.confirmSexAndElements(Sex::Male, ElementSet::all()));
        w.advanced(LuckLevel::Half);
        QVERIFY(!w.confirmAdvanced(QStringLiteral("9"), QStringLiteral("11")));
        w.confirmDialogLast();
    };
    rig.prompter.findScript = [](FindCharacterForm &f) { f.exit(); };
    rig.run(QStringLiteral("个人起名"), QStringLiteral("四"), {}, {});
    QCOMPARE(int(s.request.surnameLength), 1);
    QCOMPARE(int(s.request.firstStrokeStart), 9);
    const int shows = rig.view.gridShows;
    rig.run(kCompany, QStringLiteral("十"), {}, {});
    QCOMPARE(int(s.request.surnameLength), 0);
    QCOMPARE(int(s.request.firstStrokeStart), 1);
    QCOMPARE(int(s.request.groupLimit), 12); // survives between runs
    QCOMPARE(rig.view.gridShows, shows + 1);
}

void TestDispatcher::databaseFailureIsClearedByTheNextExecute()
{
    Rig rig(false);
    rig.run(kCompany, QStringLiteral("青禾"), {}, {});
    QCOMPARE(rig.prompter.messages.size(), 1);
    QCOMPARE(rig.prompter.messages.first(),
             UserMessage::warning(QStringLiteral("找不到namedbs.mdb数据库。"), QStringLiteral("找不到数据库")));
    QVERIFY(rig.dispatcher.state().databaseFailed);
    QVERIFY(!QFile::exists(rig.dir.filePath(QStringLiteral("namedbs.mdb"))));

    TestLibrary::write(TestLibrary::fixtureContents(), rig.dir.path());
    rig.run(kCompany, QStringLiteral("青禾"), {}, {});
    QCOMPARE(rig.prompter.messages.size(), 1);
    QVERIFY(!rig.dispatcher.state().databaseFailed);
}

void TestDispatcher::unwritableResultIsReportedOnce()
{
    Rig rig;
    // name.rtf cannot be created where a folder of that name stands.
    QVERIFY(QDir(rig.dir.path()).mkdir(QStringLiteral("name.rtf")));
    rig.run(kCompany, QStringLiteral("十十四"), {}, {});
    rig.run(kCompany, QStringLiteral("十十四"), {}, {});
    QCOMPARE(rig.view.statusMessages.size(), 1);
    QVERIFY(rig.view.statusMessages.first().contains(QStringLiteral("name.rtf")));
    QVERIFY(rig.prompter.messages.isEmpty());
    QVERIFY(rig.pane.text().startsWith(QStringLiteral("十十四 24")));

    // Once it works again, a later failure is reported again.
    QVERIFY(QDir(rig.dir.path()).rmdir(QStringLiteral("name.rtf")));
    rig.run(kCompany, QStringLiteral("十十四"), {}, {});
    QVERIFY(QFile::exists(rig.rtfPath()));
    QVERIFY(QFile::remove(rig.rtfPath()));
    QVERIFY(QDir(rig.dir.path()).mkdir(QStringLiteral("name.rtf")));
    rig.run(kCompany, QStringLiteral("十十四"), {}, {});
    QCOMPARE(rig.view.statusMessages.size(), 2);
}

void TestDispatcher::functionSelector_data()
{
    QTest::addColumn<QString>("function");
    QTest::addColumn<bool>("otherEnabled");
    QTest::addColumn<bool>("gridEnabled");
    QTest::addColumn<QString>("nameTip");
    QTest::addColumn<QString>("otherTip");
    const QString keep = QStringLiteral("（不变）");
    QTest::newRow("个人起名") << QStringLiteral("个人起名") << false << false
                           << QStringLiteral("在此输入姓氏，然后按回车或点击“执行”。") << keep;
    QTest::newRow("姓名分析") << QStringLiteral("姓名分析") << false << true
                           << QStringLiteral("在此输入姓名，然后按回车或点击“执行”。") << keep;
    QTest::newRow("公司名分析") << kCompany << false << false
                            << QStringLiteral("在此输入公司名称，然后按回车或点击“执行”。") << keep;
    QTest::newRow("其他功能") << kOther << true << false << QStringLiteral("您选择了其他功能，可不必理会此输入框。")
                           << QStringLiteral("在此输入一个1到81之间的数字，然后按回车或点击“执行”。");
    QTest::newRow("typed text") << QStringLiteral("起名") << true << true << QString() << keep;
}

void TestDispatcher::functionSelector()
{
    QFETCH(QString, function);
    QFETCH(bool, otherEnabled);
    QFETCH(bool, gridEnabled);
    QFETCH(QString, nameTip);
    QFETCH(QString, otherTip);
    HeadlessView view;
    // Start from the opposite state so that "unchanged" shows.
    view.otherPanelEnabled = true;
    view.gridPanelEnabled = true;
    view.otherToolTip = QStringLiteral("（不变）");
    // Another lookup is selected: choosing 其他功能 still shows the one-number hint.
    Selectors::applyLookup(Selectors::lookup(QStringLiteral("同音字查询")), view);
    view.otherToolTip = QStringLiteral("（不变）");
    Selectors::applyFunction(Selectors::function(function), view);
    QCOMPARE(view.otherPanelEnabled, otherEnabled);
    QCOMPARE(view.gridPanelEnabled, gridEnabled);
    QCOMPARE(view.nameToolTip, nameTip);
    QCOMPARE(view.otherToolTip, otherTip);
}

void TestDispatcher::lookupSelectorToolTips()
{
    const QStringList items = Selectors::lookupItems();
    QCOMPARE(items.size(), 10);
    const QStringList expected { QStringLiteral("在此输入一个1到81之间的数字，然后按回车或点击“执行”。"),
        QStringLiteral("在此输入一个1到81之间的数字，然后按回车或点击“执行”。"),
        QStringLiteral("在此输入三个1到81之间的数字，以空格隔开，然后按回车或点击“执行”。"),
        QStringLiteral("在此输入两个1到81之间的数字，以空格隔开，然后按回车或点击“执行”。"),
        QStringLiteral("在此输入最多50个汉字，然后按回车或点击“执行”。"),
        QStringLiteral("在此输入汉字笔画数（最大30），然后按回车或点击“执行”。"),
        QStringLiteral("在此输入姓名笔画数（用空格隔开，如“5 8 12”），然后按回车或点击“执行”。"),
        QStringLiteral("在此输入要查的同音字，然后按回车或点击“执行”。"),
        QStringLiteral("在此输入待查汉字，一次最多输入四个字，然后按回车或点击“执行”。"),
        QStringLiteral(
            "在此输入出生日期和时间（北京时间），如“2024-02-04 16:30”；可再加出生地经度和时区，如“2024-02-04 "
            "16:30 116.4 +08:00”；23点后出生而日柱按当日排的，末尾加“夜子时”。然后按回车或点击“执行”。") };
    for (int i = 0; i < items.size(); ++i) {
        HeadlessView view;
        Selectors::applyLookup(Selectors::lookup(items.at(i)), view);
        QCOMPARE(view.otherToolTip, expected.at(i));
    }
    HeadlessView view;
    view.otherToolTip = QStringLiteral("x");
    Selectors::applyLookup(Selectors::lookup(QStringLiteral("81数解释")), view);
    QCOMPARE(view.otherToolTip, QString());
}

void TestDispatcher::startupSteps()
{
    Rig rig;
    // An earlier run asked for two groups.
    rig.prompter.wizardScript = answer(2, false, true, QStringLiteral("2"));
    rig.prompter.findScript = [](FindCharacterForm &f) { f.exit(); };
    rig.run(QStringLiteral("个人起名"), QStringLiteral("四"), {}, {});
    QCOMPARE(int(rig.dispatcher.state().request.groupLimit), 3);
    rig.view.otherPanelEnabled = true;
    rig.view.gridPanelEnabled = true;
    rig.view.progressPanelVisible = true;
    StartupSequence::run(rig.dispatcher, rig.view);
    QCOMPARE(int(rig.dispatcher.state().request.groupLimit), 7);
    QCOMPARE(rig.view.caption, QStringLiteral("青禾起名程序 V1.7   <青禾易学系列程序>"));
    QVERIFY(rig.view.pictureToolTip.startsWith(QStringLiteral("程序最新更新信息，请访问 ")));
    QCOMPARE(rig.view.nameToolTip, QStringLiteral("在此输入姓氏，然后按回车或点击“执行”。"));
    QVERIFY(!rig.view.otherPanelEnabled);
    QVERIFY(!rig.view.gridPanelEnabled);
    QVERIFY(rig.view.gridPanelVisible);
    QVERIFY(!rig.view.progressPanelVisible);
    QCOMPARE(rig.view.grids, GridPanel{});
    QCOMPARE(rig.view.layoutRestores, 1);
    QCOMPARE(rig.view.splashCloses, 1);
}


void TestDispatcher::personalNamingShowsTheSummary()
{
    Rig rig;
    rig.prompter.wizardScript = answer(1, false, true);
    rig.prompter.findScript = [](FindCharacterForm &f) { f.exit(); };
    rig.run(QStringLiteral("个人起名"), QStringLiteral(" 四 "), {}, {});
    QVERIFY(rig.prompter.messages.isEmpty());
    QCOMPARE(rig.prompter.wizardRuns, 1);
    QCOMPARE(rig.prompter.findTexts,
             QStringList{QStringLiteral("电脑已为您找出 1 组良好配置，接下来电脑要在字库中为您找出合适的名字，这可能要花较长时间（3-90秒），"
                                        "请耐心等待一下。如果有些组没有字，这与您选择的性别和五行有关。如果愿意可更改一下选项。现在“确定”吧！")});
    // 退出 in the find-character window keeps the summary, quietly, and stores nothing.
    QCOMPARE(rig.pane.text(),
             QStringLiteral("以下是为您找出的良好配置数，如果要程序继续在字库找字，点击“确定”，如果不想找字，点击“退出”。\r\n\r\n"
                            "姓名笔画数：4 20    五格数：5 24 21 24 2     三才五行：土火木\r\n"));
    const ProgramState &s = rig.dispatcher.state();
    QCOMPARE(int(s.request.surnameLength), 1);
    QCOMPARE(int(s.request.nameLength), 0);
    QVERIFY(rig.view.progressPanelVisible);
    QVERIFY(!rig.view.busy);
    QVERIFY(!QFile::exists(rig.rtfPath()));
}

void TestDispatcher::personalNamingListsCandidates()
{
    Rig rig;
    rig.prompter.wizardScript = answer(1, false, true);
    rig.run(QStringLiteral("个人起名"), QStringLiteral("四"), {}, {});
    QVERIFY(rig.prompter.messages.isEmpty());
    QCOMPARE(rig.pane.text(),
             QStringLiteral("以下若干组名字组合皆为良好配置，您可从中选择您喜欢的名字：\r\n\r\n"
                            "四姓配20画字，有以下字可选：\r\n重  \r\n其五格数是（天格、人格、地格、总格、外格）：5 24 21 24 2\r\n"
                            "三才是：五四一（土火木）\r\n\r\n\r\n共有1组良好配置供您选择。\r\n"));
    QCOMPARE(rig.view.progressLabels, (QStringList{QStringLiteral("第 1 组|0%"), QStringLiteral("|")}));
    QVERIFY(!rig.view.progressBarsVisible);
    QVERIFY(readFile(rig.rtfPath()).contains("\\u-28211")); // 重, U+91CD as a signed 16-bit number
}

void TestDispatcher::personalNamingFindsNothing()
{
    Rig rig;
    rig.pane.setText(QStringLiteral("旧文字"));
    rig.prompter.wizardScript = answer(1, true, true);
    rig.run(QStringLiteral("个人起名"), QStringLiteral("四"), {}, {});
    QCOMPARE(rig.prompter.messages.size(), 1);
    QCOMPARE(rig.prompter.messages.first(),
             UserMessage::warning(QStringLiteral("对不起，本程序没有找出任何良好名字。您可通过更改名字字数、允许半吉再试试。")));
    QCOMPARE(rig.pane.text(), QStringLiteral("旧文字"));
}

void TestDispatcher::noElementWishedFindsNoCharacter()
{
    Rig rig;
    rig.pane.setText(QStringLiteral("旧文字"));
    rig.prompter.wizardScript = [](NamingWizard &w) {
        w.confirmNameLength(1);
        QVERIFY(!w.confirmSexAndElements(Sex::Male, ElementSet()));
        w.confirmLuck(LuckLevel::Full);
        w.confirmDialogLast();
    };
    rig.run(QStringLiteral("个人起名"), QStringLiteral("四"), {}, {});
    QCOMPARE(rig.prompter.texts(),
             QStringList{QStringLiteral("对不起，本程序没有找出任何良好名字。您可通过更改名字字数、允许半吉、或放宽其他起名条件再试试。")});
    // The configuration summary stays in the pane, and nothing is stored.
    QVERIFY(rig.pane.text().startsWith(QStringLiteral("以下是为您找出的良好配置数")));
    QVERIFY(!QFile::exists(rig.rtfPath()));
}

void TestDispatcher::personalNamingCancelled()
{
    Rig rig;
    rig.pane.setText(QStringLiteral("旧文字"));
    rig.prompter.wizardScript = [](NamingWizard &w) { w.cancel(); };
    rig.run(QStringLiteral("个人起名"), QStringLiteral("四"), {}, {});
    QVERIFY(rig.prompter.messages.isEmpty());
    QVERIFY(rig.dispatcher.state().resultFields.isEmpty());
    QVERIFY(!QFile::exists(rig.rtfPath()));
    // What the pane held (perhaps the user's own text) stays.
    QCOMPARE(rig.pane.text(), QStringLiteral("旧文字"));
}

void TestDispatcher::personalNamingStopsAtTheSurnameCheck_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("library");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty") << QString() << true << QStringLiteral("您选择“个人起名”吗？您还没有输入姓氏。");
    QTest::newRow("four characters") << QStringLiteral("青禾公司") << true << QStringLiteral("您选择“个人起名”吗？姓氏最多是两个字。");
    QTest::newRow("not in library") << QStringLiteral("们") << true << QStringLiteral("您输入的姓氏本程序没有，请与程序员联系。");
    QTest::newRow("no library") << QStringLiteral("青禾") << false << QStringLiteral("找不到namedbs.mdb数据库。");
}

void TestDispatcher::personalNamingStopsAtTheSurnameCheck()
{
    QFETCH(QString, name);
    QFETCH(bool, library);
    QFETCH(QString, message);
    Rig rig(library);
    rig.run(QStringLiteral("个人起名"), name, {}, {});
    QCOMPARE(rig.prompter.texts(), QStringList{message});
    QCOMPARE(rig.prompter.wizardRuns, 0);
    QVERIFY(rig.dispatcher.state().resultFields.isEmpty());
    QVERIFY(!QFile::exists(rig.rtfPath()));
    QCOMPARE(rig.dispatcher.state().databaseFailed, !library);
}

void TestDispatcher::threeCharactersWithoutDash()
{
    Rig rig;
    rig.run(QStringLiteral("个人起名"), QStringLiteral(" 青公司 "), {}, {});
    QCOMPARE(rig.prompter.messages.size(), 1);
    QCOMPARE(rig.prompter.messages.first(),
             UserMessage::plain(QStringLiteral("“个人起名”功能，您输入的姓氏超过两个字，或没有输入“-”。")));
    QCOMPARE(rig.prompter.wizardRuns, 0);
}

void TestDispatcher::fixedCharacterNaming()
{
    // 四-二: free counts 1, 9, 11, 19 and 29; the small library has 一 and 重 for two of them.
    Rig rig;
    rig.run(QStringLiteral("个人起名"), QStringLiteral("四-二"), {}, {});
    QVERIFY(rig.prompter.messages.isEmpty());
    QCOMPARE(rig.prompter.fixedRuns, 1);
    const QString text = rig.pane.text();
    QVERIFY(text.startsWith(QStringLiteral("姓名笔画数：4 1 2       五格数：5 5 3 7 3        三才五行：土土火\r\n")));
    QCOMPARE(text.count(QStringLiteral("姓名笔画数：")), 5);
    QVERIFY(text.contains(QStringLiteral("\r\n\r\n以下若干组名字组合皆为良好配置，您可从中选择您喜欢的名字：\r\n\r\n1画的字有：\r\n一  \r\n")));
    QVERIFY(text.contains(QStringLiteral("9画的字有：\r\n重  \r\n")));
    QVERIFY(text.contains(QStringLiteral("共有2组良好配置供您选择。\r\n所有良好配置都为您找出来了。")));
    QVERIFY(!QFile::exists(rig.rtfPath()));

    // No candidate for the wished element: the warning comes from this run alone, even after a cancelled
    // ordinary naming run left its flag set.
    rig.prompter.fixedRuns = 0;
    rig.run(QStringLiteral("个人起名"), QStringLiteral("四"), {}, {}); // the wizard closed by its frame button
    rig.prompter.fixedScript = [](FixedOptionsForm &f) {
        f.confirm(Sex::Male, LuckLevel::Half, *ElementSet::fromText(u"金"));
    };
    rig.run(QStringLiteral("个人起名"), QStringLiteral("四-二"), {}, {});
    QCOMPARE(rig.prompter.texts(),
             QStringList{QStringLiteral("对不起，本程序没有找出任何良好名字。您可通过更改名字字数、允许半吉、或放宽其他起名条件再试试。")});

    // Cancelled options: the pane as it was and no message.
    rig.prompter.messages.clear();
    rig.prompter.fixedScript = [](FixedOptionsForm &f) { f.cancel(); };
    rig.pane.setText(QStringLiteral("旧文字"));
    rig.run(QStringLiteral("个人起名"), QStringLiteral("四-二"), {}, {});
    QVERIFY(rig.prompter.messages.isEmpty());
    QCOMPARE(rig.pane.text(), QStringLiteral("旧文字"));
    QVERIFY(rig.dispatcher.state().resultFields.isEmpty());
}

void TestDispatcher::libraryDamagedDuringNaming_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("personal naming") << QStringLiteral("王");
    QTest::newRow("fixed-character naming") << QStringLiteral("王-华");
}

// The surname is looked up in a sound library; while the questions are open the library is replaced by a
// damaged copy, so that the candidate scan is the read that fails. It must be said as the library failing,
// never as "nothing found".
void TestDispatcher::libraryDamagedDuringNaming()
{
    QFETCH(QString, name);
    Rig rig(false);
    QVERIFY(QFile::copy(TestLibrary::realDatabasePath(), rig.dir.filePath(QStringLiteral("namedbs.mdb"))));
    const auto damage = [&rig] {
        QVERIFY(QFile::remove(rig.dir.filePath(QStringLiteral("namedbs.mdb"))));
        TestLibrary::writeDamagedCopy(rig.dir.path());
    };
    const auto naming = answer(1, false, false);
    rig.prompter.wizardScript = [&](NamingWizard &w) {
        naming(w);
        damage();
    };
    rig.prompter.fixedScript = [&](FixedOptionsForm &f) {
        f.confirm(Sex::Male, LuckLevel::Half, ElementSet::all());
        damage();
    };
    rig.run(QStringLiteral("个人起名"), name, {}, {});
    QCOMPARE(rig.prompter.texts(), QStringList{QStringLiteral("找不到namedbs.mdb数据库。")});
    QVERIFY(rig.dispatcher.state().databaseFailed);
    QVERIFY(!rig.view.busy);
    QVERIFY(!QFile::exists(rig.rtfPath()));
}

void TestDispatcher::fixedCharacterPatterns_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("optionRuns");
    QTest::addColumn<bool>("full"); // 全吉 chosen, else 半吉
    const QString refused = QStringLiteral("“个人起名”功能，您输入的姓氏超过两个字，或没有输入“-”。");
    QTest::newRow("two dashes") << QStringLiteral("四--") << refused << 0 << false;
    QTest::newRow("no dash") << QStringLiteral("四二一") << refused << 0 << false;
    // Nothing at 全吉 where 半吉 finds some: changing the options helps.
    QTest::newRow("nothing found at 全吉") << QStringLiteral("四二-")
        << QStringLiteral("对不起，没有找出一组合适的名字来。请更改一些选项后再试试。") << 1 << true;
    // Nothing whatever the options: the fixed character is named as the cause.
    QTest::newRow("nothing found whatever the options") << QStringLiteral("四-青")
        << RefusalTexts::fixedCharacterAlwaysUnlucky(QStringLiteral("四"), QStringLiteral("青"), true, false).text
        << 1 << false;
    QTest::newRow("XY-") << QStringLiteral("四二-") << QString() << 1 << false;
}

void TestDispatcher::fixedCharacterPatterns()
{
    QFETCH(QString, pattern);
    QFETCH(QString, message);
    QFETCH(int, optionRuns);
    QFETCH(bool, full);
    Rig rig;
    // An earlier run with a fixed character (二, 2) changes nothing of the next.
    rig.run(QStringLiteral("个人起名"), QStringLiteral("四-二"), {}, {});
    rig.prompter.messages.clear();
    rig.prompter.fixedRuns = 0;
    rig.prompter.fixedScript = [full](FixedOptionsForm &f) {
        f.confirm(Sex::Male, full ? LuckLevel::Full : LuckLevel::Half, ElementSet::all());
    };
    rig.run(QStringLiteral("个人起名"), pattern, {}, {});
    QCOMPARE(rig.prompter.texts(), message.isEmpty() ? QStringList{} : QStringList{message});
    if (!message.isEmpty())
        QCOMPARE(int(rig.prompter.messages.first().style), int(UserMessage::Style::Plain));
    QCOMPARE(rig.prompter.fixedRuns, optionRuns);
}

void TestDispatcher::groupLimitSurvivesBetweenRuns()
{
    Rig rig;
    rig.prompter.wizardScript = answer(2, false, true, QStringLiteral("2"));
    rig.prompter.findScript = [](FindCharacterForm &f) { f.exit(); };
    rig.run(QStringLiteral("个人起名"), QStringLiteral("四"), {}, {});
    QCOMPARE(rig.pane.text().count(QStringLiteral("\r\n")), 4);
    rig.prompter.wizardScript = answer(2, false, true);
    rig.run(QStringLiteral("个人起名"), QStringLiteral("四"), {}, {});
    QCOMPARE(int(rig.dispatcher.state().request.groupLimit), 3);
    QCOMPARE(rig.pane.text().count(QStringLiteral("\r\n")), 4);
}

void TestDispatcher::numberLookupReplacesThePane()
{
    Rig rig(false);
    QVERIFY(QFile::copy(TestLibrary::realDatabasePath(), rig.dir.filePath(QStringLiteral("namedbs.mdb"))));
    rig.run(kOther, {}, QStringLiteral("81数解释（个人）"), QStringLiteral(" 7 "));
    QVERIFY(rig.prompter.messages.isEmpty());
    QVERIFY(rig.pane.text().startsWith(QStringLiteral("第7数暗示意义为：\r\n\r\n")));
    QVERIFY(readFile(rig.rtfPath()).contains("\\u31532")); // 第
    rig.run(kOther, {}, QStringLiteral("人格外格搭配"), QStringLiteral("15"));
    QCOMPARE(rig.prompter.texts(), QStringList{QStringLiteral("输入位数不够，应有两位数，并以空格隔开。")});
    QVERIFY(rig.pane.text().startsWith(QStringLiteral("第7数")));
}

namespace {

// A pane that records each text it is given and each time it is painted, in order.
class RecordingPane final : public ResultPane {
public:
    QString text() const override { return m_pane.text(); }
    void setText(const QString &text) override
    {
        events.append(QStringLiteral("text:") + text);
        m_pane.setText(text);
    }
    void setMarkedText(const MarkedText &text) override
    {
        events.append(QStringLiteral("text:") + text.text);
        m_pane.setMarkedText(text);
    }
    void resetInsertionFormat() override {}
    RtfDocument document() const override { return m_pane.document(); }
    void repaint() override { events.append(QStringLiteral("paint")); }

    QStringList events;

private:
    TextPane m_pane;
};

} // namespace

void TestDispatcher::characterLookupPaintsTheNoticeFirst_data()
{
    QTest::addColumn<QString>("lookup");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("notice");
    QTest::addColumn<QString>("answer");
    QTest::newRow("单字笔画数") << QStringLiteral("单字笔画数") << QStringLiteral("十") << QStringLiteral("请等待1-25秒...")
                              << QStringLiteral("“十” 字笔画数是： 10    五行属： 金\r\n");
    QTest::newRow("笔画查字") << QStringLiteral("笔画查字") << QStringLiteral("30") << QStringLiteral("请等待3-10秒...")
                            << QStringLiteral("30 画的字如下所示：\r\n五行属“金”的字有：\r\n\r\n\r\n五行属“木”的字有：\r\n\r\n\r\n"
                                              "五行属“水”的字有：\r\n\r\n\r\n五行属“火”的字有：\r\n\r\n\r\n五行属“土”的字有：\r\n");
    QTest::newRow("同音字查询") << QStringLiteral("同音字查询") << QStringLiteral("形") << QStringLiteral("请等待1-10秒...")
                              << QStringLiteral("“形”字的同音字有：\r\n\r\n读 xíng 的字：形\r\n\r\n");
    QTest::newRow("字义查询") << QStringLiteral("字义查询") << QStringLiteral("青") << QStringLiteral("请等待1-10秒...")
                            << QStringLiteral("“青” 字义如下： \r\n\r\nqīng\r\n青\r\n颜色名\r\n\r\n\r\n");
}

// The lookups run on the window's thread: the notice must be on the screen before the scans start.
void TestDispatcher::characterLookupPaintsTheNoticeFirst()
{
    QFETCH(QString, lookup);
    QFETCH(QString, input);
    QFETCH(QString, notice);
    QFETCH(QString, answer);
    QTemporaryDir dir;
    TestLibrary::write(TestLibrary::fixtureContents(), dir.path());
    RecordingPane pane;
    HeadlessView view;
    FakePrompter prompter;
    Dispatcher dispatcher(AppPaths(dir.path()), pane, view, prompter);
    dispatcher.execute(Selectors::input(kOther, {}, lookup, input));
    QVERIFY(prompter.messages.isEmpty());
    QCOMPARE(pane.events, (QStringList{QStringLiteral("text:") + notice, QStringLiteral("paint"),
                                       QStringLiteral("text:") + answer}));
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("name.rtf"))));

    // A refused input shows its message and leaves the pane alone, without a notice.
    pane.events.clear();
    dispatcher.execute(Selectors::input(kOther, {}, lookup, QString()));
    QCOMPARE(prompter.messages.size(), 1);
    QCOMPARE(pane.events, QStringList());
    QCOMPARE(pane.text(), answer);
}

void TestDispatcher::correctionIsSeenByTheNextLookup()
{
    Rig rig;
    const QString lookup = QStringLiteral("单字笔画数");
    rig.run(kOther, {}, lookup, QStringLiteral("十"));
    QCOMPARE(rig.pane.text(), QStringLiteral("“十” 字笔画数是： 10    五行属： 金\r\n"));
    QCOMPARE(rig.dispatcher.correctStrokes(QStringLiteral("十"), QStringLiteral("8")), QStringLiteral("更改完毕！"));
    rig.run(kOther, {}, lookup, QStringLiteral("十"));
    QCOMPARE(rig.pane.text(), QStringLiteral("“十” 字笔画数是： 8     五行属： 金\r\n"));
}

void TestDispatcher::nameAnalysisOfTwoCharacters_data()
{
    QTest::addColumn<QString>("header");
    QTest::newRow("header ending in a line break") << QStringLiteral("欢迎\r\n");
    // A header typed without a final line break still leaves the report on a line of its own.
    QTest::newRow("header without a final line break") << QStringLiteral("欢迎");
}

void TestDispatcher::nameAnalysisOfTwoCharacters()
{
    QFETCH(QString, header);
    Rig rig;
    QFile info(rig.dir.filePath(QStringLiteral("Info.txt")));
    QVERIFY(info.open(QIODevice::WriteOnly));
    info.write((QStringLiteral("抬头信息：") + header + QStringLiteral("结尾信息：再见\r\n")).toUtf8());
    info.close();
    rig.run(QStringLiteral("姓名分析"), QStringLiteral(" 青禾 "), {}, {});
    QVERIFY(rig.prompter.messages.isEmpty());
    QCOMPARE(rig.prompter.wizardRuns, 0);
    const QString text = rig.pane.text();
    QVERIFY(text.startsWith(QStringLiteral("欢迎\r\n青禾：\r\n\r\n    姓名笔画数分别是：8 5 \r\n"
                                           "    天格、人格、地格、总格、外格数分别为：9 13 6 13 2 \r\n\r\n")));
    QVERIFY(text.contains(QStringLiteral("更多信息：\r\n人格数 13 暗示性格为：")));
    QVERIFY(text.endsWith(QStringLiteral("\r\n再见")));
    // Two characters take the first surname place and the first given-name place.
    GridPanel expected;
    expected.characters = {QStringLiteral("青"), QString(), QStringLiteral("禾"), QString()};
    expected.strokes = {QStringLiteral("8"), QString(), QStringLiteral("5"), QString()};
    expected.captions = {QStringLiteral("天格"), QStringLiteral("人格"), QStringLiteral("地格"), QStringLiteral("总格"),
                         QStringLiteral("外格")};
    expected.numbers = {QStringLiteral("9"), QStringLiteral("13"), QStringLiteral("6"), QStringLiteral("13"),
                        QStringLiteral("2")};
    QVERIFY(rig.view.grids == expected);
    QVERIFY(rig.view.gridPanelEnabled);
    QVERIFY(QFile::exists(rig.rtfPath()));
}

// The report stays as it was; how the name sounds comes after it, inside the header and footer; without the
// sound file, one line says so.
void TestDispatcher::nameAnalysisEndsWithHowItSounds_data()
{
    QTest::addColumn<bool>("soundFile");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("pinyin");
    QTest::newRow("with the sound file")
        << true
        << QStringLiteral("读音：\r\n    拼音：Qīng Hé\r\n    声调：一声 二声（平平）\r\n"
                          "    未见不好的谐音、易读错的字和拗口的声韵。\r\n\r\n")
        << QStringLiteral("Qīng Hé");
    QTest::newRow("without it") << false
                                << QStringLiteral("读音：\r\n    找不到读音资料name-sound.tsv，无法给出读音。\r\n\r\n")
                                << QString();
}

void TestDispatcher::nameAnalysisEndsWithHowItSounds()
{
    QFETCH(bool, soundFile);
    QFETCH(QString, section);
    QFETCH(QString, pinyin);
    Rig rig;
    if (soundFile) {
        QVERIFY(QFile::copy(QDir(TestLibrary::binDir()).filePath(NameSoundChecker::fileName()),
            rig.dir.filePath(NameSoundChecker::fileName())));
    }
    QFile info(rig.dir.filePath(QStringLiteral("Info.txt")));
    QVERIFY(info.open(QIODevice::WriteOnly));
    info.write(QStringLiteral("抬头信息：欢迎\r\n结尾信息：再见\r\n").toUtf8());
    info.close();
    rig.run(QStringLiteral("姓名分析"), QStringLiteral("青禾"), {}, {});
    const FiveGrids grids = NameAnalysis::gridsFor({ 8, 5 }, false);
    const QString report = *NameAnalysis::buildReport(
        NameAnalysis::nameHeading(QStringLiteral("青禾"), { 8, 5 }, grids), grids, rig.dispatcher.paths().library())
                                .value;
    QCOMPARE(rig.pane.text(), QStringLiteral("欢迎\r\n") + report + section + QStringLiteral("再见"));
    QCOMPARE(rig.dispatcher.state().resultFields.value(QStringLiteral("sound")).toObject().value(QStringLiteral("pinyin")).toString(),
        pinyin);
}

void TestDispatcher::nameAnalysisAsksTheSurnameKind()
{
    Rig rig;
    rig.prompter.wizardScript = [](NamingWizard &w) {
        QCOMPARE(int(w.page()), int(NamingWizard::Page::SurnameKind));
        w.confirmSurnameKind(SurnameKind::Compound);
    };
    rig.run(QStringLiteral("姓名分析"), QStringLiteral("青禾司"), {}, {});
    QCOMPARE(rig.prompter.wizardRuns, 1);
    QVERIFY(rig.pane.text().contains(QStringLiteral("    天格、人格、地格、总格、外格数分别为：13 10 6 18 9 \r\n")));
    // Three characters fill the two surname places and the first given-name place, whatever the kind.
    QCOMPARE(rig.view.grids.characters,
             (std::array<QString, 4>{QStringLiteral("青"), QStringLiteral("禾"), QStringLiteral("司"), QString()}));
    QCOMPARE(rig.view.grids.strokes[1], QStringLiteral("5"));
}

void TestDispatcher::nameAnalysisStops_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("one character") << QStringLiteral("青") << QStringLiteral("您选择“姓名分析”吗？请输入全名。");
    QTest::newRow("kind not chosen") << QStringLiteral("青禾司") << QString();
    QTest::newRow("missing character") << QStringLiteral("青们") << QStringLiteral("字库中没有 们 字，请与程序员联系。");
    QTest::newRow("first missing only") << QStringLiteral("们们") << QStringLiteral("字库中没有 们 字，请与程序员联系。");
}

void TestDispatcher::nameAnalysisStops()
{
    QFETCH(QString, name);
    QFETCH(QString, message);
    Rig rig;
    rig.pane.setText(QStringLiteral("旧文字"));
    rig.run(QStringLiteral("姓名分析"), name, {}, {});
    QCOMPARE(rig.prompter.texts(), message.isEmpty() ? QStringList{} : QStringList{message});
    QCOMPARE(rig.pane.text(), QStringLiteral("旧文字"));
    QVERIFY(!QFile::exists(rig.rtfPath()));
    QCOMPARE(rig.view.grids, GridPanel{});
}

void TestDispatcher::strokeNumberReports_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("paneStart"); // "旧" when the pane keeps its text
    QTest::addColumn<bool>("stored");
    QTest::newRow("5 8") << QStringLiteral("5 8") << QStringList{}
                         << QStringLiteral("姓名笔画数是 5 8 的五格数分别是：\r\n天格、人格、地格、总格、外格：6 13 9 13 2\r\n") << true;
    QTest::newRow("one character") << QStringLiteral("5") << QStringList{QStringLiteral("至少需输入两个数字。")}
                                   << QStringLiteral("旧") << false;
    QTest::newRow("one character outside the BMP") << QStringLiteral("\U00020000")
                                                   << QStringList{QStringLiteral("输入必须为数字！")}
                                                   << QStringLiteral("旧") << false;
    QTest::newRow("rejected empties the pane") << QStringLiteral("5 x") << QStringList{QStringLiteral("输入必须为数字！")}
                                               << QString() << true;
    // Withdrawing the surname-kind question leaves the pane as it was.
    QTest::newRow("kind not chosen") << QStringLiteral("5 8 12") << QStringList{} << QStringLiteral("旧") << false;
}

void TestDispatcher::strokeNumberReports()
{
    QFETCH(QString, input);
    QFETCH(QStringList, messages);
    QFETCH(QString, paneStart);
    QFETCH(bool, stored);
    Rig rig;
    rig.pane.setText(QStringLiteral("旧文字"));
    rig.run(kOther, {}, QStringLiteral("姓名笔画数"), input);
    QCOMPARE(rig.prompter.texts(), messages);
    if (paneStart.isEmpty())
        QCOMPARE(rig.pane.text(), QString());
    else
        QVERIFY2(rig.pane.text().startsWith(paneStart), qPrintable(rig.pane.text()));
    QCOMPARE(QFile::exists(rig.rtfPath()), stored);
}

void TestDispatcher::namesFromTheClassics_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("classics");
    QTest::addColumn<bool>("withClassicsFile");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("paneStart"); // the pane's text starts so and, where it lists names, has bold in it
    QTest::addColumn<bool>("stored");
    const QString summary = QStringLiteral("以下是为您找出的良好配置数，");
    const QString listing = QStringLiteral("以下若干组名字组合皆为良好配置，您可从中选择您喜欢的名字：\r\n\r\n王姓配");
    const QString fixedConfigs
        = QStringLiteral("姓名笔画数：4 3 14      五格数：5 7 17 21 15     三才五行：土金金\r\n");
    const QString missing = QStringLiteral("找不到classics.db典籍库，或者它已损坏，无法从典籍取名。");
    QTest::newRow("personal, 诗经") << QStringLiteral("王") << QStringLiteral("诗经") << true << QString() << listing
                                    << true;
    QTest::newRow("personal, classics.db missing")
        << QStringLiteral("王") << QStringLiteral("诗经") << false << missing << summary << false;
    QTest::newRow("fixed 王-华, 唐诗") << QStringLiteral("王-华") << QStringLiteral("唐诗") << true << QString()
                                       << fixedConfigs << false;
    QTest::newRow("fixed 王-华, 诗经: nothing, what to relax")
        << QStringLiteral("王-华") << QStringLiteral("诗经") << true
        << QStringLiteral("对不起，在诗经中没有找出任何良好名字。您可多选几部典籍再试试。") << fixedConfigs << false;
    QTest::newRow("fixed 王-华, classics.db missing")
        << QStringLiteral("王-华") << QStringLiteral("唐诗") << false << missing << fixedConfigs << false;
}

// Names from the classics through the dispatcher, over the real library and classics.db: the pane shows the
// names with their verses, the names' characters bold in the pane and in name.rtf; a missing classics.db or an
// empty result says so and leaves the configurations on the pane.
void TestDispatcher::namesFromTheClassics()
{
    QFETCH(QString, name);
    QFETCH(QString, classics);
    QFETCH(bool, withClassicsFile);
    QFETCH(QString, message);
    QFETCH(QString, paneStart);
    QFETCH(bool, stored);
    QTemporaryDir dir;
    QVERIFY(QFile::copy(TestLibrary::realDatabasePath(), dir.filePath(QStringLiteral("namedbs.mdb"))));
    if (withClassicsFile) {
        QVERIFY(QFile::link(QDir(TestLibrary::binDir()).filePath(QStringLiteral("classics.db")),
            dir.filePath(QStringLiteral("classics.db"))));
    }
    TextPane pane;
    HeadlessView view;
    FakePrompter prompter;
    Dispatcher dispatcher(AppPaths(dir.path()), pane, view, prompter);
    const std::optional<ClassicSet> chosen = ClassicSet::parse(classics);
    prompter.wizardScript = [&](NamingWizard &w) {
        QVERIFY(!w.confirmNameLength(2));
        QVERIFY(!w.confirmSexAndElements(Sex::Female, ElementSet::all()));
        QVERIFY(!w.chooseSource(chosen));
        w.advanced(LuckLevel::Half);
        QVERIFY(!w.confirmAdvanced(QStringLiteral("5"), QStringLiteral("3")));
        w.confirmDialogLast();
    };
    prompter.fixedScript = [&](FixedOptionsForm &f) {
        QVERIFY(!f.chooseSource(chosen));
        f.confirm(Sex::Male, LuckLevel::Half, ElementSet::all());
    };
    dispatcher.execute(Selectors::input(QStringLiteral("个人起名"), name, {}, {}));

    QCOMPARE(prompter.texts(), message.isEmpty() ? QStringList() : QStringList { message });
    QVERIFY2(pane.text().startsWith(paneStart), qPrintable(pane.text().left(200)));
    QCOMPARE(dispatcher.state().databaseFailed, !withClassicsFile);
    const bool names = message.isEmpty();
    QCOMPARE(pane.text().contains(QStringLiteral("有以下名字可选：\r\n")), names);
    QCOMPARE(QFile::exists(dir.filePath(QStringLiteral("name.rtf"))), stored);
    QList<QString> boldRuns;
    for (const RtfRun &run : pane.document()) {
        if (run.bold)
            boldRuns.append(run.text);
    }
    QCOMPARE(!boldRuns.isEmpty(), names);
    for (const QString &bold : std::as_const(boldRuns))
        QVERIFY2(pane.text().contains(QStringLiteral("\r\n") + name.left(1) + bold + QStringLiteral("\r\n")),
            qPrintable(bold));
    if (stored) {
        const std::optional<RtfDocument> runs = RtfReader::read(readFile(dir.filePath(QStringLiteral("name.rtf"))));
        QVERIFY(runs);
        QList<QString> storedBold;
        for (const RtfRun &run : *runs) {
            if (run.bold)
                storedBold.append(run.text);
        }
        QCOMPARE(storedBold, boldRuns);
    }
}

QTEST_GUILESS_MAIN(TestDispatcher)
#include "tst_dispatcher.moc"
