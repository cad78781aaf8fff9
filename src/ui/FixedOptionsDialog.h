#pragma once

#include <QDialog>

class QCheckBox;
class QRadioButton;

namespace tolvane {

class ClassicSourceBox;
class FixedOptionsForm;

// frmGudingzi: sex, luck level, elements and where the names come from, for fixed-character naming.
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
    ClassicSourceBox *m_source = nullptr;
};

} // namespace tolvane
