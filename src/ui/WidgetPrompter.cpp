#include "ui/WidgetPrompter.h"

#include "app/AppInfo.h"
#include "naming/NamingWizard.h"
#include "naming/SurnameKindForm.h"

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
    // Replaced by the real dialog.
    wizard.load();
    wizard.closeByFrame();
}

void WidgetPrompter::askSurnameKind(SurnameKindForm &form)
{
    form.closeByFrame();
}

} // namespace tolvane
