#pragma once

#include "app/Prompter.h"

#include <QList>
#include <QStringList>

#include <functional>

namespace tolvane {

// Records every message the logic shows, so that a test can assert "exactly this message, once", and
// answers the dialogs from a script.
class FakePrompter final : public Prompter {
public:
    void showMessage(const UserMessage &message) override;
    void runNamingWizard(NamingWizard &wizard) override;
    void askSurnameKind(SurnameKindForm &form) override;
    void askFindCharacters(FindCharacterForm &form) override;
    void askFixedOptions(FixedOptionsForm &form) override;
    void askSuggestionOptions(SuggestionForm &form) override;
    bool askStartupPassword(const SettingsStore &settings) override;

    QStringList texts() const;

    QList<UserMessage> messages;
    // Answers the wizard after load(); without a script the wizard is closed by its frame button.
    std::function<void(NamingWizard &)> wizardScript;
    std::function<void(SurnameKindForm &)> surnameKindScript;
    // Without a script the find-character window is confirmed and the fixed-character options are taken
    // as they open (男性名, 半吉, all five elements).
    std::function<void(FindCharacterForm &)> findScript;
    std::function<void(FixedOptionsForm &)> fixedScript;
    // Answers the questions of 推荐名字; without a script they are closed without asking.
    std::function<void(SuggestionForm &)> suggestionScript;
    int suggestionRuns = 0;
    QStringList findTexts;
    int fixedRuns = 0;
    // Typed into frmLogin one after the other; when none is accepted the prompt is cancelled.
    QStringList passwordEntries;
    int passwordPrompts = 0;
    int wizardRuns = 0;
    int surnameKindRuns = 0;
};

} // namespace tolvane
