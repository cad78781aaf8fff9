#include "app/Dispatcher.h"

#include "analysis/CompanyAnalysis.h"
#include "analysis/NumberLookups.h"
#include "app/MainView.h"
#include "app/Prompter.h"
#include "app/ResultPane.h"
#include "app/ResultStore.h"
#include "app/Selectors.h"
#include "data/StrokeLookup.h"
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
    for (auto &group : m_state.fixedConfigStrokes)
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
        for (auto &group : m_state.fixedConfigStrokes)
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
    // The listing of candidate characters follows the summary once it is built; until then personal naming
    // ends here, and, as after any run that stops before the listing, nothing is stored.
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
    const QString dash = QStringLiteral("-");
    if (parsed.chars[1] != dash && parsed.chars[2] != dash) {
        m_prompter.showMessage(
            UserMessage::plain(QStringLiteral("“个人起名”功能，您输入的姓氏超过两个字，或没有输入“-”。")));
        finish();
        return;
    }
    notBuiltYet();
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
    case 5:
    case 6:
    case 7:
    case 8:
        notBuiltYet();
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
