#pragma once

#include "analysis/NameAnalysis.h"
#include "analysis/NameSound.h"
#include "analysis/NumberLookups.h"
#include "app/AppPaths.h"
#include "app/FunctionTable.h"
#include "app/ProgramState.h"
#include "data/Outcome.h"
#include "naming/FavouriteNames.h"
#include "naming/NameSuggestions.h"
#include "text/MarkedText.h"
#include "text/PersonName.h"

#include <QString>

#include <optional>

namespace tolvane {

struct ClassicListing;
struct SuggestionForm;
class MainView;
class Prompter;
class ResultPane;

// What Execute runs: the function and lookup chosen (none for a selector text that names none) and the two
// input boxes as typed, the name box read once as a name.
struct DispatchInput {
    std::optional<Function> function;
    PersonName name; // txtName
    std::optional<Lookup> lookup;
    QString other; // txtOther
};

// The controller: Execute ("执行", Enter in either input box) prepares the pane and the per-run state, runs the
// chosen function through its row of the function table and stores each completed result as RTF. The reading
// texts and the library correction of the command line come through here too. Owns the state the functions
// share between runs.
class Dispatcher final {
public:
    Dispatcher(AppPaths paths, ResultPane &pane, MainView &view, Prompter &prompter);

    void execute(const DispatchInput &input);
    // A reading text of the 造命篇 and Help menus replaces the pane's text; a missing one leaves it.
    void showReadingText(const QString &key);
    // The stroke correction of the library: the status text once the count is written.
    std::optional<QString> correctStrokes(const QString &character, const QString &strokes);

    // Start-up: the group limit of a fresh run, the report header and footer, and the start-up text.
    void beginSession(const QString &reportHeader, const QString &reportFooter, const QString &startupText);
    void setLoginAccepted(bool accepted) { m_state.loginAccepted = accepted; }
    // How many groups naming finds until the wizard's advanced page says otherwise; the window starts with six
    // and does not keep a changed count beyond its session. Fixed-character naming (王-明) uses it too.
    void setGroupCount(qint16 groups) { m_state.request.groupLimit = qint16(groups + 1); }
    // The header and footer just saved by the window that edits them.
    void setReportHeaderFooter(const QString &header, const QString &footer);

    const ProgramState &state() const { return m_state; }
    const AppPaths &paths() const { return m_paths; }
    // Where completed results are stored; empty to store nothing.
    void setResultPath(const QString &path) { m_resultPath = path; }
    QString resultPath() const { return m_resultPath; }
    // Whether a run builds its result's fields (state().resultFields) where building them costs real time (the
    // shortlist of suggested names); the command line asks for them only with --format json.
    void setResultFieldsWanted(bool wanted) { m_resultFieldsWanted = wanted; }

    // 推荐名字: the questions (the function's handler), then the shortlist, which replaces the pane's text.
    void suggest(const SuggestionForm &form);
    // Two to five names side by side, judged for the sex and the wished elements (or a birth's).
    void compareNames(const QList<FavouriteNames::Name> &names, Sex sex, const ElementSet &elements,
        const QString &birth = {});
    // The names of the last shortlist, for keeping them.
    const QList<SuggestedName> &lastSuggestions() const { return m_lastSuggestions; }
    Sex lastSuggestedSex() const { return m_lastSuggestionRequest.sex; }
    ElementSet lastSuggestedElements() const { return m_lastSuggestionRequest.elements; }
    // A full name of two to four characters as surname and given name: a listed compound surname for three
    // characters, two and two for four; nothing for any other length.
    std::optional<FavouriteNames::Name> splitFullName(const PersonName &name) const;
    // Where the suggested names read from, the sound check among them (unjudged when name-sound.tsv cannot be read).
    SuggestionSources suggestionSources();
private:
    // The function table names the handlers below.
    friend class FunctionTable;

    // The functions and lookups, as the function table runs them.
    void runPersonalNaming(const DispatchInput &input);
    void runNameAnalysis(const DispatchInput &input);
    void runCompanyAnalysis(const DispatchInput &input);
    void runLookup(const DispatchInput &input);
    void runSuggestedNames(const DispatchInput &input);
    void showPersonalNumber(const QString &input);
    void showCompanyNumber(const QString &input);
    void showSancai(const QString &input);
    void showPersonOuterPairing(const QString &input);
    void showCharacterStrokes(const QString &input);
    void listCharactersByStrokes(const QString &input);
    void analyzeStrokeNumbers(const QString &input);
    void listHomophones(const QString &input);
    void showCharacterMeanings(const QString &input);
    void showBirthChart(const QString &input);


    // A name to analyse, once its surname's kind is known and its strokes are read.
    struct AnalysedName {
        PersonName name;
        QList<int> strokes;
        FiveGrids grids;
        QString heading;
    };
    void prepare();
    void runFixedCharacterNaming(const PersonName &pattern);
    // Shows a listing's message and notes a failed file; the pane's text of its names, none when it has none.
    std::optional<MarkedText> classicNamesText(const ClassicListing &listing);
    // Naming from a birth time: the chart's lines and a blank line, to stand above the result (empty otherwise);
    // addChartFields puts the chart's object into the result's fields as "birthChart".
    QString chartPrefaceText() const;
    void addChartFields();
    std::optional<AnalysedName> analyzeName(const PersonName &typed);
    // The report over a heading and grids into text; the text stays as it was when the library fails.
    std::optional<NameReport> buildReport(const QString &heading, const FiveGrids &grids, QString &text);
    // The sound checks, loaded from name-sound.tsv at the first name that needs them; nothing (and the reason)
    // while the file cannot be read.
    const NameSoundChecker *soundChecker(QString *problem);
    // Shows an outcome's messages, notes a failed library and hands back its value.
    template <typename T> std::optional<T> absorb(Outcome<T> outcome);
    // A lookup's answer replaces the pane's text, and is stored.
    void answer(LookupAnswer outcome);
    void warnNoSuchOption();
    void storeResult();
    void finish();

    AppPaths m_paths;
    ResultPane &m_pane;
    MainView &m_view;
    Prompter &m_prompter;
    ProgramState m_state;
    QString m_resultPath;
    bool m_storeFailureShown = false;
    bool m_resultFieldsWanted = true;
    QList<SuggestedName> m_lastSuggestions;
    SuggestionRequest m_lastSuggestionRequest;
    std::optional<NameSoundChecker> m_sound;
};

} // namespace tolvane
