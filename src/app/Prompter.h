#pragma once

#include "text/UserMessage.h"

namespace tolvane {

class FindCharacterForm;
class FixedOptionsForm;
class NamingWizard;
class SettingsStore;
struct SuggestionForm;
class SurnameKindForm;

// Everything the logic needs from a person. The window shows real dialogs; the command line answers from
// its options; tests answer from a script and record what was asked.
class Prompter {
public:
    virtual ~Prompter() = default;
    // A modal message box; returns when the person has read it.
    virtual void showMessage(const UserMessage &message) = 0;
    // The naming wizard dlgdanfuxing, modal: calls wizard.load(), then drives the wizard by the person's
    // answers until wizard.state() is Closed.
    virtual void runNamingWizard(NamingWizard &wizard) = 0;
    // The surname-kind window of the stroke-number report, modal: returns when form.closed().
    virtual void askSurnameKind(SurnameKindForm &form) = 0;
    // frmZhaozi, modal: calls form.load(), returns when form.closed().
    virtual void askFindCharacters(FindCharacterForm &form) = 0;
    // frmGudingzi, modal: calls form.load(), returns when form.closed().
    virtual void askFixedOptions(FixedOptionsForm &form) = 0;
    // The questions of 推荐名字, modal: form.request.surname holds the surname typed; returns with form.accepted
    // set when the person asks for names.
    virtual void askSuggestionOptions(SuggestionForm &form) = 0;
    // frmLogin, modal: asks for the start-up password until one is accepted (PasswordRules::login) or the
    // person gives up; returns LoginAccepted.
    virtual bool askStartupPassword(const SettingsStore &settings) = 0;
};

} // namespace tolvane
