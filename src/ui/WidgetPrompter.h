#pragma once

#include "app/Prompter.h"

class QWidget;

namespace tolvane {

// Shows the logic's questions and messages as real modal dialogs over the main window.
class WidgetPrompter final : public Prompter {
public:
    explicit WidgetPrompter(QWidget *parent);
    void showMessage(const UserMessage &message) override;
    void runNamingWizard(NamingWizard &wizard) override;
    void askSurnameKind(SurnameKindForm &form) override;
    void askFindCharacters(FindCharacterForm &form) override;
    void askFixedOptions(FixedOptionsForm &form) override;
    void askSuggestionOptions(SuggestionForm &form) override;
    bool askStartupPassword(const SettingsStore &settings) override;

private:
    QWidget *m_parent;
};

} // namespace tolvane
