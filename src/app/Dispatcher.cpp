#include "app/Dispatcher.h"

#include "analysis/CharacterLookups.h"
#include "analysis/CompanyAnalysis.h"
#include "analysis/NameAnalysis.h"
#include "analysis/StrokeNumbersParser.h"
#include "analysis/NumberLookups.h"
#include "app/AppInfo.h"
#include "app/MainView.h"
#include "app/Prompter.h"
#include "app/ResultPane.h"
#include "app/ReportInfo.h"
#include "app/ResultStore.h"
#include "app/Selectors.h"
#include "data/NameDatabase.h"
#include "data/StrokeLookup.h"
#include "naming/CandidateListing.h"
#include "naming/FindCharacterForm.h"
#include "naming/FixedListing.h"
#include "naming/FixedOptionsForm.h"
#include "naming/NamingWizard.h"
#include "naming/SurnameKindForm.h"
#include "text/VbText.h"

#include <QHash>

namespace tolvane {

namespace {
const QString kNoSuchOption = QStringLiteral("没有此选项，请与程序员联系。");
} // namespace

Dispatcher::Dispatcher(AppPaths paths, ResultPane &pane, MainView &view, Prompter &prompter)
    : m_paths(std::move(paths))
    , m_pane(pane)
    , m_view(view)
    , m_prompter(prompter)
    , m_resultPath(m_paths.resultRtfPath())
{
}

void Dispatcher::prepare()
{
    m_view.clearGridLabels();
    m_pane.resetInsertionFormat();
    m_state.reportText.clear();
    m_state.numeralTriple.clear();
    m_state.elementTriple.clear();
    m_state.analysisHeading.clear();
    m_state.databaseFailed = false;
    m_state.request.surnameLength = 0;
    m_state.request.firstStrokeStart = 1;
    m_view.setBusy(true);
}

void Dispatcher::execute(const DispatchInput &input)
{
    prepare();
    const QStringList functions = Selectors::functionItems();
    switch (functions.indexOf(input.function)) {
    case 0: { // 个人起名
        const QString trimmed = trimSpaces(input.name);
        if (trimmed.size() == 3)
            runFixedCharacterNaming(trimmed);
        else
            runPersonalNaming(input);
        return;
    }
    case 1: // 姓名分析
        m_state.flags.functionMode = 2;
        m_view.setGridPanelEnabled(true);
        m_view.setProgressPanelVisible(false);
        runNameAnalysis(input);
        return;
    case 2: // 公司名分析
        runCompanyAnalysis(input);
        storeResult();
        return;
    case 3: // 其他功能
        m_state.flags.functionMode = 3;
        m_view.setOtherPanelEnabled(true);
        if (runLookup(input))
            storeResult();
        else
            finish();
        return;
    default:
        m_prompter.showMessage(UserMessage::warning(kNoSuchOption));
        storeResult();
        return;
    }
}

void Dispatcher::show(const QList<UserMessage> &messages)
{
    for (const UserMessage &m : messages)
        m_prompter.showMessage(m);
}

void Dispatcher::runPersonalNaming(const DispatchInput &input)
{
    m_view.setProgressPanelVisible(true);
    m_state.flags.namingCancelled = false;
    m_state.flags.functionMode = 1;
    for (auto &group : m_state.fixed.strokes)
        group.fill(0);

    const StrokeLookup::SurnameCheck check = StrokeLookup::checkSurname(m_paths.databasePath(), input.name);
    if (check.surnameLength > 0) {
        m_state.request.surnameLength = check.surnameLength;
        m_state.surnameStrokes = check.strokes;
    }
    m_state.databaseFailed = m_state.databaseFailed || check.databaseFailed;
    m_state.namingAborted = check.aborted;
    show(check.messages);
    if (m_state.namingAborted) {
        finish();
        return;
    }

    // Qimingshuju: the naming wizard fills the request, or withdraws it.
    NamingWizard wizard(m_state.request, m_state.flags);
    m_prompter.runNamingWizard(wizard);
    if (wizard.busyRequested())
        m_view.setBusy(true);

    SearchInput search;
    search.surnameLength = int(trimSpaces(input.name).size());
    search.surnameStrokes = m_state.surnameStrokes;
    search.nameLength = m_state.request.nameLength;
    search.sex = m_state.request.sex;
    search.luckLevel = m_state.request.luckLevel;
    search.firstStrokeStart = m_state.request.firstStrokeStart;
    search.groupLimit = m_state.request.groupLimit;
    if (search.nameLength < 1 || search.nameLength > 3) {
        for (auto &group : m_state.fixed.strokes)
            group.fill(0);
    }
    ConfigSearch::QumingshuliZuhe(search, m_state.configs);
    if (m_state.configs.configNext == 1) {
        m_prompter.showMessage(UserMessage::warning(QStringLiteral("对不起，本程序没有找出任何良好名字。您可通过")
                                                    + QStringLiteral("更改名字字数、允许半吉再试试。")));
        finish();
        return;
    }
    m_state.configSummary = ConfigSearch::QuMrichtextShuZu(search, m_state.configs);
    m_pane.setText(m_state.configSummary);
    if (m_state.flags.namingCancelled)
        m_pane.setText(QString());

    if (!m_state.namingAborted && !m_state.flags.namingCancelled) {
        FindCharacterForm form(m_state.request, m_state.flags, m_state.configs.groupCount());
        m_prompter.askFindCharacters(form);
        if (form.busyRequested())
            m_view.setBusy(true);
        m_pane.repaint();

        CandidateListing::Input listing;
        listing.surname = trimSpaces(input.name);
        listing.request = m_state.request;
        listing.namingCancelled = m_state.flags.namingCancelled;
        listing.configs = &m_state.configs;
        const CandidateListing::Result result = CandidateListing::run(listing, m_paths.databasePath(), &m_view);
        if (result.databaseFailed)
            m_state.databaseFailed = true;
        if (result.reportText)
            m_state.reportText = *result.reportText;
        m_state.namingAborted = result.namingAborted;
        if (result.message)
            m_prompter.showMessage(*result.message);
    }
    if (!m_state.namingAborted && !m_state.flags.namingCancelled) {
        m_pane.setText(m_state.reportText);
        storeResult();
        return;
    }
    finish();
}

void Dispatcher::runFixedCharacterNaming(const QString &pattern)
{
    const StrokeLookup::FixedPattern parsed = StrokeLookup::parseFixedPattern(m_paths.databasePath(), pattern);
    m_state.patternChars = parsed.chars;
    m_state.patternSurnameStrokes = parsed.surnameStrokes;
    if (parsed.fixedCharStrokes)
        m_state.fixedCharStrokes = *parsed.fixedCharStrokes;
    m_state.databaseFailed = m_state.databaseFailed || parsed.databaseFailed;
    show(parsed.messages);
    // Exactly one of the two given-name positions must be the one to find. A pattern with two dashes has no
    // fixed character and would search with the count left from an earlier run: it is refused as well.
    const QString dash = QStringLiteral("-");
    if ((parsed.chars[1] == dash) == (parsed.chars[2] == dash)) {
        m_prompter.showMessage(
            UserMessage::plain(QStringLiteral("“个人起名”功能，您输入的姓氏超过两个字，或没有输入“-”。")));
        finish();
        return;
    }

    m_state.fixedCancelled = false;
    FixedOptionsForm options(m_state.request, m_state.fixedCancelled);
    m_prompter.askFixedOptions(options);

    if (m_state.fixedCancelled) {
        m_state.fixed.configText.clear();
        m_pane.setText(QString());
        finish();
        return;
    }
    FixedSearchInput search;
    search.firstFree = parsed.chars[1] == dash;
    search.surnameStrokes = m_state.patternSurnameStrokes;
    search.fixedStrokes = m_state.fixedCharStrokes;
    search.sex = m_state.request.sex;
    search.luckLevel = m_state.request.luckLevel;
    search.groupLimit = m_state.request.groupLimit;
    m_state.configs.configNext = FixedConfigSearch::search(search, m_state.fixed);
    const int found = m_state.configs.configNext - 1;
    if (found == 0) {
        m_prompter.showMessage(UserMessage::plain(QStringLiteral("对不起，没有找出一组合适的名字来。请更改一些选项后再试试。")));
        finish();
        return;
    }
    m_pane.setText(QStringLiteral("共有") + decimal(found) + QStringLiteral("组字可选，程序正为您在字库找字，请等待..."));
    m_pane.repaint();
    m_view.setBusy(true);
    const FixedListing::Result listing = FixedListing::run(m_state.fixed, m_state.configs.configNext, m_state.request,
                                                           m_paths.databasePath(), &m_view);
    if (listing.databaseFailed)
        m_state.databaseFailed = true;
    if (listing.message)
        m_prompter.showMessage(*listing.message);
    m_pane.setText(m_state.fixed.configText + kCrLf + kCrLf + listing.listingText);
    finish();
}

bool Dispatcher::lookUpNameStrokes(const QString &name, QList<int> &strokes)
{
    // The first character missing from the library is named, and the rest are not looked up. One
    // connection serves the whole name: nothing else can touch the library between two characters.
    NameDatabase db(m_paths.databasePath());
    if (auto failure = db.openWith({DbTable::Name})) {
        m_prompter.showMessage(failure->message());
        m_state.databaseFailed = true;
        return false;
    }
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QString ch = name.mid(i, 1);
        const RowRead<qint16> count = db.strokesOf(ch);
        if (count.failed) {
            m_prompter.showMessage(DatabaseFailure::unreadable().message());
            m_state.databaseFailed = true;
            return false;
        }
        if (!count.row) {
            m_prompter.showMessage(UserMessage::warning(QStringLiteral("字库中没有 ") + ch + QStringLiteral(" 字，请与程序员联系。")));
            return false;
        }
        strokes.append(*count.row);
    }
    return true;
}

bool Dispatcher::analyzeName(const QString &input)
{
    m_state.analysisReady = false;
    const QString name = trimSpaces(input);
    m_state.analysisHeading = name + QStringLiteral("：") + kCrLf + kCrLf;
    if (const std::optional<UserMessage> message = NameAnalysis::checkLength(name)) {
        m_prompter.showMessage(*message);
        return false;
    }

    // Danfuxing: two characters are a single surname and a single given name; otherwise the person says.
    m_state.request.surnameKind.clear();
    if (name.size() == 2) {
        m_state.request.surnameKind = QStringLiteral("单");
        m_view.setBusy(true);
    } else {
        NamingWizard wizard(m_state.request, m_state.flags);
        m_prompter.runNamingWizard(wizard);
        if (wizard.busyRequested())
            m_view.setBusy(true);
    }
    if (m_state.request.surnameKind.isEmpty())
        return false;

    QList<int> strokes;
    if (!lookUpNameStrokes(name, strokes))
        return false;

    // Characters by position: the surname's labels first, the given name's after, whatever the surname kind.
    static const char *const charLabels[4][4] = {{},
                                                 {},
                                                 {"lblXing1", "lblming1"},
                                                 {"lblXing1", "lblXing2", "lblming1"}};
    static const char *const fourChars[4] = {"lblXing1", "lblXing2", "lblming1", "lblming2"};
    static const QHash<QString, QString> strokeLabel{{QStringLiteral("lblXing1"), QStringLiteral("lblXing1Shu")},
                                                     {QStringLiteral("lblXing2"), QStringLiteral("lblxing2Shu")},
                                                     {QStringLiteral("lblming1"), QStringLiteral("lblming1Shu")},
                                                     {QStringLiteral("lblming2"), QStringLiteral("lblMing2Shu")}};
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QString label = QString::fromLatin1(name.size() == 4 ? fourChars[i] : charLabels[name.size()][i]);
        m_view.setGridLabel(label, name.mid(i, 1));
        m_view.setGridLabel(strokeLabel.value(label), decimal(strokes.at(i)));
    }

    m_state.analysisGrids = NameAnalysis::gridsFor(strokes, m_state.request.surnameKind == u"复");
    m_state.analysisHeading = NameAnalysis::nameHeading(name, strokes, m_state.analysisGrids);
    const auto grids = m_state.analysisGrids.list();
    const char *const numberLabels[5] = {"lblTiangeShu", "lblRengeShu", "lblDigeShu", "lblZonggeShu", "lblWaigeShu"};
    for (int g = 0; g < 5; ++g)
        m_view.setGridLabel(QString::fromLatin1(numberLabels[g]), decimal(grids[g]));
    m_state.analysisReady = true;
    return true;
}

void Dispatcher::runNameAnalysis(const DispatchInput &input)
{
    if (!analyzeName(input.name)) {
        finish();
        return;
    }
    // ShowGridCaptions.
    const char *const captionLabels[5] = {"lblTiange", "lblRenge", "lblDige", "lblZongge", "lblWaige"};
    const char16_t *const captions[5] = {u"天格", u"人格", u"地格", u"总格", u"外格"};
    for (int g = 0; g < 5; ++g)
        m_view.setGridLabel(QString::fromLatin1(captionLabels[g]), QString::fromUtf16(captions[g]));

    buildReport();
    // Info.txt is read again before every report, so an edit made outside the program shows at once.
    const ReportInfo::Texts info = ReportInfo::load(m_paths.infoPath());
    m_state.reportHeader = info.header;
    m_state.reportFooter = info.footer;
    m_pane.setText(m_state.reportHeader + m_state.reportText + m_state.reportFooter);
    storeResult();
}

// Qiurichtext over the heading and grids of the last analysis; ReportText stays empty when the library fails.
void Dispatcher::buildReport()
{
    const NameAnalysis::Report report =
        NameAnalysis::Qiurichtext(m_state.analysisHeading, m_state.analysisGrids, m_paths.databasePath());
    if (report.databaseFailed)
        m_state.databaseFailed = true;
    if (report.message)
        m_prompter.showMessage(*report.message);
    if (report.text)
        m_state.reportText = *report.text;
}

void Dispatcher::analyzeStrokeNumbers(const QString &input)
{
    const StrokeNumbersParser::Result parsed = StrokeNumbersParser::parse(input);
    show(parsed.messages);
    if (parsed.rejected())
        return;
    m_state.request.surnameKind.clear();
    if (parsed.numbers.size() == 2) {
        m_state.request.surnameKind = QStringLiteral("单");
    } else {
        SurnameKindForm form(m_state.request);
        m_prompter.askSurnameKind(form);
    }
    if (m_state.request.surnameKind.isEmpty())
        return;
    m_state.analysisGrids = NameAnalysis::gridsFor(parsed.numbers, m_state.request.surnameKind == u"复");
    m_state.analysisHeading = NameAnalysis::strokeNumbersHeading(trimSpaces(input), m_state.analysisGrids);
    buildReport();
}

void Dispatcher::apply(const LookupAnswer &answer)
{
    if (answer.databaseFailed)
        m_state.databaseFailed = true;
    if (answer.message)
        m_prompter.showMessage(*answer.message);
    if (answer.replacement)
        m_pane.setText(*answer.replacement);
}

bool Dispatcher::runLookup(const DispatchInput &input)
{
    const QString db = m_paths.databasePath();
    // The character lookups scan on this thread: their notice is painted before the scans start.
    const WaitNotice notice = [this](const QString &text) {
        m_pane.setText(text);
        m_pane.repaint();
    };
    switch (Selectors::lookupItems().indexOf(input.lookup)) {
    case 0:
        apply(NumberLookups::personalNumber(input.other, db));
        return true;
    case 1:
        apply(NumberLookups::companyNumber(input.other, db));
        return true;
    case 2:
        apply(NumberLookups::sancai(input.other, db));
        return true;
    case 3:
        apply(NumberLookups::personOuterPairing(input.other, db));
        return true;
    case 4:
        apply(CharacterLookups::ShowCharacterStrokes(input.other, db, notice));
        return true;
    case 5:
        apply(CharacterLookups::ListCharactersByStrokes(input.other, db, notice));
        return true;
    case 6:
        analyzeStrokeNumbers(input.other);
        // A text of fewer than two characters was never a stroke list: the pane stays as it was.
        if (input.other.size() < 2)
            return false;
        m_pane.setText(m_state.reportText);
        return true;
    case 7:
        apply(CharacterLookups::ListHomophones(input.other, db, notice));
        return true;
    case 8:
        apply(CharacterLookups::ShowCharacterMeanings(input.other, db, AppInfo::webAddress(), notice));
        return true;
    default:
        m_prompter.showMessage(UserMessage::warning(kNoSuchOption));
        return true;
    }
}

void Dispatcher::runCompanyAnalysis(const DispatchInput &input)
{
    const CompanyAnalysisResult result = CompanyAnalysis::analyze(input.name, m_paths.databasePath());
    if (result.databaseFailed)
        m_state.databaseFailed = true;
    if (result.message) {
        m_prompter.showMessage(*result.message);
        return;
    }
    if (result.replacement)
        m_pane.setText(*result.replacement);
    if (!result.appended.isEmpty())
        m_pane.setText(m_pane.text() + result.appended);
}

void Dispatcher::storeResult()
{
    if (!m_resultPath.isEmpty()) {
        const QString error = ResultStore::write(m_pane.document(), m_resultPath);
        if (error.isEmpty()) {
            m_storeFailureShown = false;
        } else if (!m_storeFailureShown) {
            // The result stays in the pane; only the copy in name.rtf is missing. Say so once, not at every run.
            m_view.showStatus(QStringLiteral("无法保存结果文件 %1：%2").arg(m_resultPath, error));
            m_storeFailureShown = true;
        }
    }
    finish();
}

void Dispatcher::finish()
{
    m_view.setBusy(false);
}

} // namespace tolvane
