#pragma once

#include <QDialog>

namespace tolvane {

class FindCharacterForm;

// frmZhaozi: asks whether to go on from the configuration summary to the library search.
class FindCharacterDialog final : public QDialog {
    Q_OBJECT

public:
    FindCharacterDialog(FindCharacterForm &form, QWidget *parent);
    FindCharacterDialog(const FindCharacterDialog &) = delete;
    FindCharacterDialog &operator=(const FindCharacterDialog &) = delete;

protected:
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    FindCharacterForm &m_form;
};

} // namespace tolvane
