#pragma once

#include "app/AppPaths.h"
#include "app/ProgramState.h"

#include <QString>

namespace tolvane {

class MainView;
class Prompter;
class ResultPane;
struct LookupAnswer;
struct UserMessage;

// What the main window's controls hold when Execute runs.
struct DispatchInput {
    QString function;  // cmbOptions
    QString name;      // txtName
    QString lookup;    // cmbOtherOptions
    QString other;     // txtOther
};

// Execute ("执行", Enter in either input box): prepares the pane and the per-run state, runs the selected
// function and stores each completed result as RTF. Owns the state the functions share between runs.
class Dispatcher final {
public:
    Dispatcher(AppPaths paths, ResultPane &pane, MainView &view, Prompter &prompter);

    void execute(const DispatchInput &input);

    ProgramState &state() { return m_state; }
    const AppPaths &paths() const { return m_paths; }
    // Where completed results are stored; empty to store nothing.
    void setResultPath(const QString &path) { m_resultPath = path; }
    QString resultPath() const { return m_resultPath; }

private:
    void prepare();
    void runPersonalNaming(const DispatchInput &input);
    void runFixedCharacterNaming(const QString &pattern);
    // Returns whether the result is stored.
    bool runLookup(const DispatchInput &input);
    void runNameAnalysis(const DispatchInput &input);
    bool analyzeName(const QString &input);
    void analyzeStrokeNumbers(const QString &input);
    void buildReport();
    bool lookUpNameStrokes(const QString &name, QList<int> &strokes);
    void runCompanyAnalysis(const DispatchInput &input);
    void apply(const LookupAnswer &answer);
    void show(const QList<UserMessage> &messages);
    void storeResult();
    void finish();

    AppPaths m_paths;
    ResultPane &m_pane;
    MainView &m_view;
    Prompter &m_prompter;
    ProgramState m_state;
    QString m_resultPath;
    bool m_storeFailureShown = false;
};

} // namespace tolvane
