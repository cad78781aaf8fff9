#pragma once

#include <QDialog>

class QCheckBox;
class QRadioButton;

namespace tolvane {

class FixedOptionsForm;

// frmGudingzi: sex, luck level and elements for fixed-character naming.
class FixedOptionsDialog final : public QDialog {
    Q_OBJECT

public:
    FixedOptionsDialog(FixedOptionsForm &form, QWidget *parent);
    FixedOptionsDialog(const FixedOptionsDialog &) = delete;
    FixedOptionsDialog &operator=(const FixedOptionsDialog &) = delete;

protected:
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    FixedOptionsForm &m_form;
    QRadioButton *m_female = nullptr;
    QRadioButton *m_full = nullptr;
    QList<QCheckBox *> m_elements;
};

} // namespace tolvane
