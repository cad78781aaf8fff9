#include "fakes/FakePrompter.h"

#include "app/PasswordRules.h"

#include "naming/FindCharacterForm.h"
#include "naming/FixedOptionsForm.h"
#include "naming/NamingWizard.h"
#include "naming/SuggestionForm.h"
#include "naming/SurnameKindForm.h"

namespace tolvane {

void FakePrompter::showMessage(const UserMessage &message)
{
    messages.append(message);
}

void FakePrompter::runNamingWizard(NamingWizard &wizard)
{
    ++wizardRuns;
    wizard.load();
    if (wizardScript)
        wizardScript(wizard);
    if (wizard.state() != NamingWizard::State::Closed)
        wizard.closeByFrame();
}

void FakePrompter::askSurnameKind(SurnameKindForm &form)
{
    ++surnameKindRuns;
    if (surnameKindScript)
        surnameKindScript(form);
    if (!form.closed())
        form.closeByFrame();
}

void FakePrompter::askFindCharacters(FindCharacterForm &form)
{
    form.load();
    findTexts.append(form.text());
    if (findScript)
        findScript(form);
    else
        form.confirm();
    if (!form.closed())
        form.closeByFrame();
}

void FakePrompter::askSuggestionOptions(SuggestionForm &form)
{
    ++suggestionRuns;
    if (suggestionScript)
        suggestionScript(form);
}

void FakePrompter::askFixedOptions(FixedOptionsForm &form)
{
    ++fixedRuns;
    form.load();
    if (fixedScript)
        fixedScript(form);
    else
        form.confirm(Sex::Male, LuckLevel::Half, ElementSet::all());
    if (!form.closed())
        form.cancel();
}

bool FakePrompter::askStartupPassword(const SettingsStore &settings)
{
    ++passwordPrompts;
    for (const QString &entry : std::as_const(passwordEntries)) {
        const std::optional<UserMessage> refused = PasswordRules::login(settings, entry);
        if (!refused)
            return true;
        showMessage(*refused);
    }
    return false;
}

QStringList FakePrompter::texts() const
{
    QStringList list;
    for (const UserMessage &m : messages)
        list.append(m.text);
    return list;
}

} // namespace tolvane
