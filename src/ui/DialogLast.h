#pragma once

#include <QDialog>

namespace tolvane {

class NamingWizard;

// DialogLast: the naming wizard's closing confirmation. 确定 confirms the wizard; the frame button goes back
// to the page that opened it.
class DialogLast final : public QDialog {
    Q_OBJECT

public:
    DialogLast(NamingWizard &wizard, QWidget *mainWindow);
    DialogLast(const DialogLast &) = delete;
    DialogLast &operator=(const DialogLast &) = delete;

public Q_SLOTS:
    // The frame button and Esc.
    void reject() override;

private:
    void confirm();

    NamingWizard &m_wizard;
};

} // namespace tolvane
