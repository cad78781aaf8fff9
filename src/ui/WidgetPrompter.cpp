#include "ui/WidgetPrompter.h"
#include "ui/SuggestionDialog.h"

#include "app/AppInfo.h"
#include "naming/NamingWizard.h"
#include "naming/SurnameKindForm.h"
#include "ui/FindCharacterDialog.h"
#include "ui/FixedOptionsDialog.h"
#include "ui/LoginDialog.h"
#include "ui/NamingWizardDialog.h"
#include "ui/SurnameKindDialog.h"

#include <QApplication>
#include <QGridLayout>
#include <QMessageBox>

namespace tolvane {

WidgetPrompter::WidgetPrompter(QWidget *parent)
    : m_parent(parent)
{
}

void WidgetPrompter::showMessage(const UserMessage &message)
{
    QMessageBox box(message.style == UserMessage::Style::Warning ? QMessageBox::Warning : QMessageBox::NoIcon,
                    message.title.isEmpty() ? AppInfo::title() : message.title, message.text, QMessageBox::Ok,
                    m_parent);
    // A short text makes a narrow box, and the window manager then cuts its title ("青禾··· 序"): the box is
    // made at least as wide as its title with room for the frame's button.
    if (auto *grid = qobject_cast<QGridLayout *>(box.layout())) {
        const int titleWidth = box.fontMetrics().horizontalAdvance(box.windowTitle()) * 3 / 2 + 120;
        grid->addItem(new QSpacerItem(titleWidth, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), grid->rowCount(), 0,
            1, grid->columnCount());
    }
    // The pointer may be the hourglass while the function runs; the box needs the ordinary one.
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    box.exec();
    QApplication::restoreOverrideCursor();
}

void WidgetPrompter::runNamingWizard(NamingWizard &wizard)
{
    // Dialogs open centred on the main window, as Qt places a dialog that was not moved.
    NamingWizardDialog dialog(wizard, m_parent);
    dialog.exec();
}

void WidgetPrompter::askSurnameKind(SurnameKindForm &form)
{
    SurnameKindDialog dialog(form, m_parent);
    dialog.exec();
}

void WidgetPrompter::askFindCharacters(FindCharacterForm &form)
{
    FindCharacterDialog dialog(form, m_parent);
    dialog.exec();
}

void WidgetPrompter::askFixedOptions(FixedOptionsForm &form)
{
    FixedOptionsDialog dialog(form, m_parent);
    dialog.exec();
}

void WidgetPrompter::askSuggestionOptions(SuggestionForm &form)
{
    SuggestionDialog dialog(form, m_parent);
    dialog.exec();
}

bool WidgetPrompter::askStartupPassword(const SettingsStore &settings)
{
    // Asked before the main window is shown: the prompt stands on its own in the middle of the screen. Tied
    // to the hidden main window it would create that window's native handle early, and the layout restored
    // afterwards would be placed without its frame.
    QWidget *parent = m_parent && m_parent->isVisible() ? m_parent : nullptr;
    LoginDialog dialog(settings, parent);
    dialog.exec();
    return dialog.loginAccepted();
}

} // namespace tolvane
