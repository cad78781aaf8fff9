#pragma once

#include "app/Prompter.h"
#include "data/Classics.h"
#include "naming/NameRequest.h"
#include "naming/SuggestionForm.h"
#include "numerology/Vocabulary.h"

#include <QString>

#include <cstdio>
#include <optional>

namespace tolvane {

// How the command line answers the naming wizard: the wizard's own defaults unless an option says otherwise.
struct NamingAnswers {
    // The surname-kind questions; unset: the kind the question preselects (from the compound-surname list for
    // a name, 单 for typed stroke numbers).
    std::optional<SurnameKind> surnameKind;
    int length = 2;                                // 双字名
    Sex sex = Sex::Male;                           // 男性名
    ElementSet elements = ElementSet::all();
    LuckLevel luckLevel = LuckLevel::Half;         // 允许半吉
    bool advanced = false;        // use the advanced page with the two texts below
    QString firstStrokes = QStringLiteral("1");
    QString groups = QStringLiteral("6");
    bool summaryOnly = false;     // leave the find-character window with 退出
    std::optional<ClassicSet> classics; // names from these collections instead of the library
    std::optional<ChartPreface> chartPreface; // the birth chart the elements came from (--born)
    bool libraryNamed = false; // --from named 字库
};

// Answers the logic from the command line: every message box becomes one line on standard error, the
// dialogs are answered from the options.
class CliPrompter final : public Prompter {
public:
    explicit CliPrompter(NamingAnswers answers = {}, std::FILE *out = stderr);
    void showMessage(const UserMessage &message) override;
    void runNamingWizard(NamingWizard &wizard) override;
    void askSurnameKind(SurnameKindForm &form) override;
    void askFindCharacters(FindCharacterForm &form) override;
    void askFixedOptions(FixedOptionsForm &form) override;
    // The answers of suggest's options, as useSuggestionAnswers left them; the surname stays the one given.
    void askSuggestionOptions(SuggestionForm &form) override;
    void useSuggestionAnswers(const SuggestionForm &answers) { m_suggestion = answers; }
    // The command line asks for the start-up password before any command runs (StartupPasswordGate), never
    // in the middle of one.
    bool askStartupPassword(const SettingsStore &) override { return true; }
    int messageCount() const { return m_count; }
    // The wished-for elements from elsewhere than --elements: a birth chart's suggestion, with the chart as the
    // result shows it at its top.
    void useElements(ElementSet elements, ChartPreface preface)
    {
        m_answers.elements = elements;
        m_answers.chartPreface = std::move(preface);
    }

private:
    NamingAnswers m_answers;
    SuggestionForm m_suggestion;
    std::FILE *m_out;
    int m_count = 0;
};

} // namespace tolvane
