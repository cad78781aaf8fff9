#include "app/Dispatcher.h"

#include "analysis/CharacterLookups.h"
#include "analysis/CompanyAnalysis.h"
#include "analysis/NumberLookups.h"
#include "app/AppInfo.h"
#include "app/MainView.h"
#include "app/Prompter.h"
#include "app/ResultPane.h"
#include "app/ResultStore.h"
#include "app/Selectors.h"
#include "data/StrokeLookup.h"
#include "naming/CandidateListing.h"
#include "naming/FindCharacterForm.h"
#include "naming/FixedListing.h"
#include "naming/FixedOptionsForm.h"
#include "naming/NamingWizard.h"
#include "text/VbText.h"

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
        notBuiltYet();
        finish();
        return;
    case 2: // 公司名分析
        runCompanyAnalysis(input);
        storeResult();
        return;
    case 3: // 其他功能
        m_state.flags.functionMode = 3;
        m_view.setOtherPanelEnabled(true);
        runLookup(input);
        storeResult();
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

void Dispatcher::apply(const LookupAnswer &answer)
{
    if (answer.databaseFailed)
        m_state.databaseFailed = true;
    if (answer.message)
        m_prompter.showMessage(*answer.message);
    if (answer.replacement)
        m_pane.setText(*answer.replacement);
}

void Dispatcher::runLookup(const DispatchInput &input)
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
        return;
    case 1:
        apply(NumberLookups::companyNumber(input.other, db));
        return;
    case 2:
        apply(NumberLookups::sancai(input.other, db));
        return;
    case 3:
        apply(NumberLookups::personOuterPairing(input.other, db));
        return;
    case 4:
        apply(CharacterLookups::ShowCharacterStrokes(input.other, db, notice));
        return;
    case 5:
        apply(CharacterLookups::ListCharactersByStrokes(input.other, db, notice));
        return;
    case 6:
        notBuiltYet();
        return;
    case 7:
        apply(CharacterLookups::ListHomophones(input.other, db, notice));
        return;
    case 8:
        apply(CharacterLookups::ShowCharacterMeanings(input.other, db, AppInfo::webAddress(), notice));
        return;
    default:
        m_prompter.showMessage(UserMessage::warning(kNoSuchOption));
        return;
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

// Functions whose windows and reports are still being written say so instead of doing nothing.
void Dispatcher::notBuiltYet()
{
    m_prompter.showMessage(UserMessage::plain(QStringLiteral("此功能尚在开发中，将在后续版本中提供。")));
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
