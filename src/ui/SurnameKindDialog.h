#pragma once

#include <QDialog>

class QRadioButton;

namespace tolvane {

class SurnameKindForm;

// The surname-kind window (frmDanfuxing): asks whether the surname of typed stroke numbers is single or compound, and
// hands the answer to the form.
class SurnameKindDialog final : public QDialog {
    Q_OBJECT

public:
    SurnameKindDialog(SurnameKindForm &form, QWidget *mainWindow);
    SurnameKindDialog(const SurnameKindDialog &) = delete;
    SurnameKindDialog &operator=(const SurnameKindDialog &) = delete;

public Q_SLOTS:
    // The frame button and Esc.
    void reject() override;

private:
    void confirm();
    void cancel();

    SurnameKindForm &m_form;
    QRadioButton *m_compound = nullptr;
};

} // namespace tolvane
