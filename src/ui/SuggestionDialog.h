#pragma once

#include "data/Classics.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace tolvane {

struct SuggestionForm;

// dlgTuijian: the questions of 推荐名字 on one page, those of the naming wizard (sex, name length, elements or a
// birth time, where the names come from) and the suggestions' own (how many, characters to leave out, one that
// must appear, strokes per character). 推荐 checks the answers and closes with form.accepted set.
class SuggestionDialog final : public QDialog {
    Q_OBJECT

public:
    SuggestionDialog(SuggestionForm &form, QWidget *parent);

private:
    void accept() override;

    SuggestionForm &m_form;
    QRadioButton *m_male = nullptr;
    QRadioButton *m_female = nullptr;
    QRadioButton *m_length1 = nullptr;
    QRadioButton *m_length2 = nullptr;
    std::array<QCheckBox *, 5> m_elements {};
    QLineEdit *m_birth = nullptr;
    QCheckBox *m_library = nullptr;
    std::array<QCheckBox *, kAllClassics.size()> m_classics {};
    QSpinBox *m_count = nullptr;
    QLineEdit *m_exclude = nullptr;
    QLineEdit *m_include = nullptr;
    QSpinBox *m_minStrokes = nullptr;
    QSpinBox *m_maxStrokes = nullptr;
};

} // namespace tolvane
