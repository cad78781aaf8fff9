#include "app/Dispatcher.h"

#include "analysis/CompanyAnalysis.h"
#include "app/MainView.h"
#include "app/Prompter.h"
#include "app/ResultPane.h"
#include "app/ResultStore.h"
#include "app/Selectors.h"
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
    case 0: // 个人起名
        m_state.functionMode = 1;
        notBuiltYet();
        finish();
        return;
    case 1: // 姓名分析
        m_state.functionMode = 2;
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
        m_state.functionMode = 3;
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

void Dispatcher::runLookup(const DispatchInput &input)
{
    if (Selectors::lookupItems().contains(input.lookup))
        notBuiltYet();
    else
        m_prompter.showMessage(UserMessage::warning(kNoSuchOption));
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
