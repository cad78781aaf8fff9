#pragma once

#include <QDialog>

namespace tolvane {

// DialogLast: the naming wizard's closing confirmation. It is accepted by 确定 and rejected by its frame
// button or Esc; the wizard window hands that answer to the wizard.
class DialogLast final : public QDialog {
    Q_OBJECT

public:
    DialogLast(const QString &text, QWidget *mainWindow);
    DialogLast(const DialogLast &) = delete;
    DialogLast &operator=(const DialogLast &) = delete;
};

} // namespace tolvane
