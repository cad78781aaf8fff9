#include "cli/CliPrompter.h"

#include "cli/CommandLine.h"

#include "naming/FindCharacterForm.h"
#include "naming/FixedOptionsForm.h"
#include "naming/NamingWizard.h"
#include "naming/SurnameKindForm.h"

namespace tolvane {

CliPrompter::CliPrompter(NamingAnswers answers, std::FILE *out)
    : m_answers(std::move(answers))
    , m_out(out)
{
}

void CliPrompter::showMessage(const UserMessage &message)
{
    // One line per box: the box's own line breaks (CR LF) become blanks, and what else the text brought from the
    // input (a lone line break, control characters, direction overrides) is shown escaped.
    QString line = message.text;
    line.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    std::fprintf(m_out, "%s\n", escapedForTerminal(line).toUtf8().constData());
    std::fflush(m_out);
    ++m_count;
}

void CliPrompter::runNamingWizard(NamingWizard &wizard)
{
    wizard.load();
    // A message on a page means the answer cannot be taken; the command line cannot ask again, so it gives up
    // the way a person would, with 取消.
    const auto stayed = [&](const std::optional<UserMessage> &message) {
        if (!message)
            return false;
        showMessage(*message);
        wizard.cancel();
        return true;
    };
    if (wizard.page() == NamingWizard::Page::SurnameKind) {
        wizard.confirmSurnameKind(m_answers.surnameKind.value_or(wizard.suggestedSurnameKind()));
        if (wizard.state() == NamingWizard::State::Closed)
            return;
    }
    if (stayed(wizard.confirmNameLength(m_answers.length)))
        return;
    if (stayed(wizard.confirmSexAndElements(m_answers.sex, m_answers.elements, m_answers.chartPreface)))
        return;
    if (stayed(wizard.chooseSource(m_answers.classics)))
        return;
    if (m_answers.advanced) {
        wizard.advanced(m_answers.luckLevel);
        if (stayed(wizard.confirmAdvanced(m_answers.firstStrokes, m_answers.groups)))
            return;
    } else {
        wizard.confirmLuck(m_answers.luckLevel);
    }
    wizard.confirmDialogLast();
}

void CliPrompter::askFindCharacters(FindCharacterForm &form)
{
    form.load();
    if (m_answers.summaryOnly)
        form.exit();
    else
        form.confirm();
}

void CliPrompter::askFixedOptions(FixedOptionsForm &form)
{
    form.load();
    if (const std::optional<UserMessage> message = form.chooseSource(m_answers.classics)) {
        showMessage(*message);
        form.cancel();
        return;
    }
    form.confirm(m_answers.sex, m_answers.luckLevel, m_answers.elements, m_answers.chartPreface);
}

void CliPrompter::askSuggestionOptions(SuggestionForm &form)
{
    const QString surname = form.request.surname;
    form = m_suggestion;
    form.request.surname = surname;
    form.accepted = true;
}

void CliPrompter::askSurnameKind(SurnameKindForm &form)
{
    form.confirm(m_answers.surnameKind.value_or(SurnameKind::Single));
}

} // namespace tolvane
