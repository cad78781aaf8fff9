#pragma once

#include <QDialog>

class QLineEdit;

namespace tolvane {

class SettingsStore;

// frmCancelPass: changes the start-up password, or removes it when the new one is left empty; the old
// password (or the master password) must be given.
class CancelPassDialog final : public QDialog {
    Q_OBJECT

public:
    explicit CancelPassDialog(SettingsStore &settings, QWidget *parent = nullptr);

private:
    void confirm();
    Q_DISABLE_COPY_MOVE(CancelPassDialog)

    SettingsStore &m_settings;
    QLineEdit *m_txtOldPass = nullptr;
    QLineEdit *m_txtNewPass = nullptr;
    QLineEdit *m_txtNewConfirm = nullptr;
};

} // namespace tolvane
