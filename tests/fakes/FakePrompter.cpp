#include "fakes/FakePrompter.h"

#include "naming/NamingWizard.h"
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

QStringList FakePrompter::texts() const
{
    QStringList list;
    for (const UserMessage &m : messages)
        list.append(m.text);
    return list;
}

} // namespace tolvane
