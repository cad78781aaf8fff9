#pragma once

#include <QDialog>

class QGridLayout;
class QLineEdit;
class QPushButton;

namespace tolvane {

// The layout the three password windows share: an optional explanation across the top, labelled entry
// boxes one per row, and 确定 / 取消 (取消 closes the window). Object names are the windows' control names.
class PasswordForm final {
public:
    PasswordForm(QDialog *dialog, const char *name, const QString &caption, const QString &tell = {});

    QLineEdit *addField(const char *labelName, const QString &label, const char *editName);
    // Adds the button row; returns 确定 for the window to connect.
    QPushButton *finish();

private:
    QDialog *m_dialog;
    QGridLayout *m_layout;
    int m_row = 0;
};

} // namespace tolvane
