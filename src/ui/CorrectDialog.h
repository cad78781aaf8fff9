#pragma once

#include "data/Library.h"
#include "ui/WidgetPrompter.h"

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;

namespace tolvane {

// frmCorrect (修改字库): one character and its new stroke count, written into the library every other
// operation reads. The checks and the write are LibraryCorrection's; the window only wires them up.
class CorrectDialog final : public QDialog {
    Q_OBJECT

public:
    CorrectDialog(Library library, QWidget *parent = nullptr);
    CorrectDialog(const CorrectDialog &) = delete;
    CorrectDialog &operator=(const CorrectDialog &) = delete;

private:
    void applyCorrection();
    void showPresentStrokes();

    Library m_library;
    WidgetPrompter m_prompter;
    QLineEdit *m_txtZi = nullptr;
    QLineEdit *m_txtBihua = nullptr;
    QLabel *m_lblNow = nullptr; // the typed character's count in the library now
    QLabel *m_lblOk = nullptr;
};

} // namespace tolvane
