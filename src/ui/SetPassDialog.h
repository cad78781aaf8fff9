#pragma once

#include <QDialog>

class QLineEdit;

namespace tolvane {

class SettingsStore;

// frmSetPass: sets the start-up password (empty: none), typed twice and hidden; it takes effect at the next
// start.
class SetPassDialog final : public QDialog {
    Q_OBJECT

public:
    explicit SetPassDialog(SettingsStore &settings, QWidget *parent = nullptr);

private:
    void confirm();
    Q_DISABLE_COPY_MOVE(SetPassDialog)

    SettingsStore &m_settings;
    QLineEdit *m_txtPassword = nullptr;
    QLineEdit *m_txtConfirm = nullptr;
};

} // namespace tolvane
