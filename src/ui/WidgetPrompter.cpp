#include "ui/WidgetPrompter.h"

#include "app/AppInfo.h"
#include "naming/NamingWizard.h"
#include "naming/SurnameKindForm.h"
#include "ui/NamingWizardDialog.h"
#include "ui/SurnameKindDialog.h"

#include <QApplication>
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
    // The pointer may be the hourglass while the function runs; the box needs the ordinary one.
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    box.exec();
    QApplication::restoreOverrideCursor();
}

void WidgetPrompter::runNamingWizard(NamingWizard &wizard)
{
    NamingWizardDialog dialog(wizard, m_parent);
    if (m_parent)
        dialog.move(NamingWizardDialog::origin(*m_parent));
    dialog.exec();
}

void WidgetPrompter::askSurnameKind(SurnameKindForm &form)
{
    SurnameKindDialog dialog(form, m_parent);
    if (m_parent)
        dialog.move(NamingWizardDialog::origin(*m_parent));
    dialog.exec();
}

} // namespace tolvane
