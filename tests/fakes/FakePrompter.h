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

    QStringList texts() const;

    QList<UserMessage> messages;
    // Answers the wizard after load(); without a script the wizard is closed by its frame button.
    std::function<void(NamingWizard &)> wizardScript;
    std::function<void(SurnameKindForm &)> surnameKindScript;
    int wizardRuns = 0;
    int surnameKindRuns = 0;
};

} // namespace tolvane
