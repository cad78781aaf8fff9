#pragma once

#include <QDialog>

class QLineEdit;

namespace tolvane {

class SettingsStore;

// frmLogin: asks for the start-up password before the main window opens. A wrong password keeps it open
// for another try; only 取消 or closing it gives up.
class LoginDialog final : public QDialog {
    Q_OBJECT

public:
    explicit LoginDialog(const SettingsStore &settings, QWidget *parent = nullptr);
    bool loginAccepted() const { return m_loginAccepted; }

private:
    void confirm();
    Q_DISABLE_COPY_MOVE(LoginDialog)

    const SettingsStore &m_settings;
    QLineEdit *m_txtPassword = nullptr;
    bool m_loginAccepted = false;
};

} // namespace tolvane
