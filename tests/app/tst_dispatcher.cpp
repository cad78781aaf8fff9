#include "app/Dispatcher.h"
#include "app/HeadlessView.h"
#include "app/Selectors.h"
#include "app/StartupSequence.h"
#include "app/TextPane.h"
#include "fakes/FakePrompter.h"
#include "fakes/TestLibrary.h"
#include "naming/NamingWizard.h"

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

    QTemporaryDir dir;
    TextPane pane;
    HeadlessView view;
    FakePrompter prompter;
    Dispatcher dispatcher;
};

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
    void personalNamingFindsNothing();
    void personalNamingCancelled();
    void personalNamingStopsAtTheSurnameCheck_data();
    void personalNamingStopsAtTheSurnameCheck();
    void threeCharactersWithoutDash();
    void groupLimitSurvivesBetweenRuns();
    void numberLookupReplacesThePane();
};

void TestDispatcher::companyRunFillsThePaneAndStoresIt()
{
    Rig rig;
    rig.dispatcher.execute({kCompany, QStringLiteral(" 十十四 "), {}, {}});
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
    rig.dispatcher.execute({kCompany, QStringLiteral("   "), {}, {}});
    QCOMPARE(rig.prompter.texts(), QStringList{QStringLiteral("您还没有输入公司名称。")});
    QCOMPARE(rig.pane.text(), QStringLiteral("上一次的结果"));
    QVERIFY(readFile(rig.rtfPath()).contains("\\u19978")); // 上
}

void TestDispatcher::unknownSelectorTexts_data()
{
    QTest::addColumn<QString>("function");
    QTest::addColumn<QString>("lookup");
    QTest::addColumn<int>("mode");
    QTest::newRow("typed function") << QStringLiteral("公司名") << QString() << 0;
    QTest::newRow("function with a blank") << QStringLiteral("公司名分析 ") << QString() << 0;
    QTest::newRow("typed lookup") << kOther << QStringLiteral("查字") << 3;
    QTest::newRow("empty lookup") << kOther << QString() << 3;
}

void TestDispatcher::unknownSelectorTexts()
{
    QFETCH(QString, function);
    QFETCH(QString, lookup);
    QFETCH(int, mode);
    Rig rig;
    rig.dispatcher.execute({function, QStringLiteral("青禾"), lookup, QStringLiteral("5")});
    QCOMPARE(rig.prompter.messages.size(), 1);
    QCOMPARE(rig.prompter.messages.first(), UserMessage::warning(kNoSuchOption));
    QCOMPARE(int(rig.dispatcher.state().flags.functionMode), mode);
    // The result is stored all the same.
    QVERIFY(QFile::exists(rig.rtfPath()));
    QCOMPARE(rig.view.otherPanelEnabled, mode == 3);
}

void TestDispatcher::preparationClearsPerRunState()
{
    Rig rig;
    ProgramState &s = rig.dispatcher.state();
    s.reportText = QStringLiteral("旧报告");
    s.numeralTriple = QStringLiteral("一二三");
    s.elementTriple = QStringLiteral("木木火");
    s.analysisHeading = QStringLiteral("旧标题");
    s.request.surnameLength = 2;
    s.request.firstStrokeStart = 9;
    s.request.groupLimit = 12;
    rig.dispatcher.execute({kCompany, QStringLiteral("十"), {}, {}});
    QCOMPARE(s.reportText, QString());
    QCOMPARE(s.numeralTriple, QString());
    QCOMPARE(s.elementTriple, QString());
    QCOMPARE(s.analysisHeading, QString());
    QCOMPARE(int(s.request.surnameLength), 0);
    QCOMPARE(int(s.request.firstStrokeStart), 1);
    QCOMPARE(int(s.request.groupLimit), 12); // survives between runs
    QCOMPARE(rig.view.gridLabelClears, 1);
}

void TestDispatcher::databaseFailureIsClearedByTheNextExecute()
{
    Rig rig(false);
    rig.dispatcher.execute({kCompany, QStringLiteral("青禾"), {}, {}});
    QCOMPARE(rig.prompter.messages.size(), 1);
    QCOMPARE(rig.prompter.messages.first(),
             UserMessage::warning(QStringLiteral("找不到namedbs.mdb数据库。"), QStringLiteral("找不到数据库")));
    QVERIFY(rig.dispatcher.state().databaseFailed);
    QVERIFY(!QFile::exists(rig.dir.filePath(QStringLiteral("namedbs.mdb"))));

    TestLibrary::write(TestLibrary::fixtureContents(), rig.dir.path());
    rig.dispatcher.execute({kCompany, QStringLiteral("青禾"), {}, {}});
    QCOMPARE(rig.prompter.messages.size(), 1);
    QVERIFY(!rig.dispatcher.state().databaseFailed);
}

void TestDispatcher::unwritableResultIsReportedOnce()
{
    Rig rig;
    // name.rtf cannot be created where a folder of that name stands.
    QVERIFY(QDir(rig.dir.path()).mkdir(QStringLiteral("name.rtf")));
    rig.dispatcher.execute({kCompany, QStringLiteral("十十四"), {}, {}});
    rig.dispatcher.execute({kCompany, QStringLiteral("十十四"), {}, {}});
    QCOMPARE(rig.view.statusMessages.size(), 1);
    QVERIFY(rig.view.statusMessages.first().contains(QStringLiteral("name.rtf")));
    QVERIFY(rig.prompter.messages.isEmpty());
    QVERIFY(rig.pane.text().startsWith(QStringLiteral("十十四 24")));

    // Once it works again, a later failure is reported again.
    QVERIFY(QDir(rig.dir.path()).rmdir(QStringLiteral("name.rtf")));
    rig.dispatcher.execute({kCompany, QStringLiteral("十十四"), {}, {}});
    QVERIFY(QFile::exists(rig.rtfPath()));
    QVERIFY(QFile::remove(rig.rtfPath()));
    QVERIFY(QDir(rig.dir.path()).mkdir(QStringLiteral("name.rtf")));
    rig.dispatcher.execute({kCompany, QStringLiteral("十十四"), {}, {}});
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
    Selectors::applyLookup(QStringLiteral("同音字查询"), view);
    view.otherToolTip = QStringLiteral("（不变）");
    Selectors::applyFunction(function, view);
    QCOMPARE(view.otherPanelEnabled, otherEnabled);
    QCOMPARE(view.gridPanelEnabled, gridEnabled);
    QCOMPARE(view.nameToolTip, nameTip);
    QCOMPARE(view.otherToolTip, otherTip);
}

void TestDispatcher::lookupSelectorToolTips()
{
    const QStringList items = Selectors::lookupItems();
    QCOMPARE(items.size(), 9);
    const QStringList expected{
        QStringLiteral("在此输入一个1到81之间的数字，然后按回车或点击“执行”。"),
        QStringLiteral("在此输入一个1到81之间的数字，然后按回车或点击“执行”。"),
        QStringLiteral("在此输入三个1到81之间的数字，以空格隔开，然后按回车或点击“执行”。"),
        QStringLiteral("在此输入两个1到81之间的数字，以空格隔开，然后按回车或点击“执行”。"),
        QStringLiteral("在此输入最多50个汉字，然后按回车或点击“执行”。"),
        QStringLiteral("在此输入汉字笔画数（最大30），然后按回车或点击“执行”。"),
        QStringLiteral("在此输入姓名笔画数（用空格隔开，如“5 8 12”），然后按回车或点击“执行”。"),
        QStringLiteral("在此输入要查的同音字，然后按回车或点击“执行”。"),
        QStringLiteral("在此输入待查汉字，一次最多输入四个字，然后按回车或点击“执行”。")};
    for (int i = 0; i < items.size(); ++i) {
        HeadlessView view;
        Selectors::applyLookup(items.at(i), view);
        QCOMPARE(view.otherToolTip, expected.at(i));
    }
    HeadlessView view;
    view.otherToolTip = QStringLiteral("x");
    Selectors::applyLookup(QStringLiteral("81数解释"), view);
    QCOMPARE(view.otherToolTip, QString());
}

void TestDispatcher::startupSteps()
{
    Rig rig;
    rig.dispatcher.state().request.groupLimit = 3;
    rig.view.otherPanelEnabled = true;
    rig.view.gridPanelEnabled = true;
    rig.view.progressPanelVisible = true;
    StartupSequence::run(rig.dispatcher, rig.view, rig.pane);
    QCOMPARE(int(rig.dispatcher.state().request.groupLimit), 7);
    QCOMPARE(rig.view.caption_, QStringLiteral("青禾起名程序 V1.7   <青禾易学系列程序>"));
    QVERIFY(rig.view.pictureToolTip.startsWith(QStringLiteral("程序最新更新信息，请访问 ")));
    QCOMPARE(rig.view.nameToolTip, QStringLiteral("在此输入姓氏，然后按回车或点击“执行”。"));
    QVERIFY(!rig.view.otherPanelEnabled);
    QVERIFY(!rig.view.gridPanelEnabled);
    QVERIFY(rig.view.gridPanelVisible);
    QVERIFY(!rig.view.progressPanelVisible);
    QCOMPARE(rig.view.gridLabelClears, 1);
}

namespace {

// Answers the wizard as a person who takes the name length, sex and luck level given, with all elements.
std::function<void(NamingWizard &)> answer(int length, bool female, bool full, QString groups = {})
{
    return [=](NamingWizard &w) {
        w.confirmNameLength(length);
        QVERIFY(!w.confirmSexAndElements(female, {true, true, true, true, true}));
        if (groups.isEmpty()) {
            w.confirmLuck(full);
        } else {
            w.advanced(full);
            QVERIFY(!w.confirmAdvanced(QStringLiteral("1"), groups));
        }
        w.confirmDialogLast();
    };
}

} // namespace

void TestDispatcher::personalNamingShowsTheSummary()
{
    Rig rig;
    rig.prompter.wizardScript = answer(1, false, true);
    rig.dispatcher.execute({QStringLiteral("个人起名"), QStringLiteral(" 四 "), {}, {}});
    QVERIFY(rig.prompter.messages.isEmpty());
    QCOMPARE(rig.prompter.wizardRuns, 1);
    QCOMPARE(rig.pane.text(),
             QStringLiteral("以下是为您找出的良好配置数，如果要程序继续在字库找字，点击“确定”，如果不想找字，点击“退出”。\r\n\r\n"
                            "姓名笔画数：4 20    五格数：5 24 21 24 2     三才五行：土火木\r\n"));
    const ProgramState &s = rig.dispatcher.state();
    QCOMPARE(int(s.flags.functionMode), 1);
    QCOMPARE(int(s.request.surnameLength), 1);
    QCOMPARE(int(s.surnameStrokes[0]), 4);
    QCOMPARE(int(s.configs.configNext), 2);
    QVERIFY(rig.view.progressPanelVisible);
    QVERIFY(!rig.view.busy);
    // The run stops before the listing: nothing is stored yet.
    QVERIFY(!QFile::exists(rig.rtfPath()));
}

void TestDispatcher::personalNamingFindsNothing()
{
    Rig rig;
    rig.pane.setText(QStringLiteral("旧文字"));
    rig.prompter.wizardScript = answer(1, true, true);
    rig.dispatcher.execute({QStringLiteral("个人起名"), QStringLiteral("四"), {}, {}});
    QCOMPARE(rig.prompter.messages.size(), 1);
    QCOMPARE(rig.prompter.messages.first(),
             UserMessage::warning(QStringLiteral("对不起，本程序没有找出任何良好名字。您可通过更改名字字数、允许半吉再试试。")));
    QCOMPARE(rig.pane.text(), QStringLiteral("旧文字"));
}

void TestDispatcher::personalNamingCancelled()
{
    Rig rig;
    rig.pane.setText(QStringLiteral("旧文字"));
    rig.prompter.wizardScript = [](NamingWizard &w) { w.cancel(); };
    rig.dispatcher.execute({QStringLiteral("个人起名"), QStringLiteral("四"), {}, {}});
    QVERIFY(rig.prompter.messages.isEmpty());
    QCOMPARE(int(rig.dispatcher.state().configs.configNext), 0);
    QVERIFY(rig.dispatcher.state().flags.namingCancelled);
    QCOMPARE(rig.pane.text(), QString());
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
    rig.dispatcher.execute({QStringLiteral("个人起名"), name, {}, {}});
    QCOMPARE(rig.prompter.texts(), QStringList{message});
    QCOMPARE(rig.prompter.wizardRuns, 0);
    QVERIFY(rig.dispatcher.state().namingAborted);
    QCOMPARE(rig.dispatcher.state().databaseFailed, !library);
}

void TestDispatcher::threeCharactersWithoutDash()
{
    Rig rig;
    rig.dispatcher.state().fixedCharStrokes = 17;
    rig.dispatcher.execute({QStringLiteral("个人起名"), QStringLiteral(" 青公司 "), {}, {}});
    QCOMPARE(rig.prompter.messages.size(), 1);
    QCOMPARE(rig.prompter.messages.first(),
             UserMessage::plain(QStringLiteral("“个人起名”功能，您输入的姓氏超过两个字，或没有输入“-”。")));
    // Both given-name characters were looked up; the third one's count is kept.
    QCOMPARE(int(rig.dispatcher.state().fixedCharStrokes), 5);
    QCOMPARE(rig.prompter.wizardRuns, 0);
}

void TestDispatcher::groupLimitSurvivesBetweenRuns()
{
    Rig rig;
    rig.prompter.wizardScript = answer(2, false, true, QStringLiteral("2"));
    rig.dispatcher.execute({QStringLiteral("个人起名"), QStringLiteral("四"), {}, {}});
    QCOMPARE(int(rig.dispatcher.state().configs.configNext), 3);
    rig.prompter.wizardScript = answer(2, false, true);
    rig.dispatcher.execute({QStringLiteral("个人起名"), QStringLiteral("四"), {}, {}});
    QCOMPARE(int(rig.dispatcher.state().request.groupLimit), 3);
    QCOMPARE(int(rig.dispatcher.state().configs.configNext), 3);
    QCOMPARE(rig.pane.text().count(QStringLiteral("\r\n")), 4);
}

void TestDispatcher::numberLookupReplacesThePane()
{
    Rig rig(false);
    QVERIFY(QFile::copy(TestLibrary::realDatabasePath(), rig.dir.filePath(QStringLiteral("namedbs.mdb"))));
    rig.dispatcher.execute({kOther, {}, QStringLiteral("81数解释（个人）"), QStringLiteral(" 7 ")});
    QVERIFY(rig.prompter.messages.isEmpty());
    QVERIFY(rig.pane.text().startsWith(QStringLiteral("第7数暗示意义为：\r\n\r\n")));
    QVERIFY(readFile(rig.rtfPath()).contains("\\u31532")); // 第
    rig.dispatcher.execute({kOther, {}, QStringLiteral("人格外格搭配"), QStringLiteral("15")});
    QCOMPARE(rig.prompter.texts(), QStringList{QStringLiteral("输入位数不够，应有两位数，并以空格隔开。")});
    QVERIFY(rig.pane.text().startsWith(QStringLiteral("第7数")));
}

QTEST_GUILESS_MAIN(TestDispatcher)
#include "tst_dispatcher.moc"
