#pragma once

#include <QDialog>

class QTextEdit;

namespace tolvane {

class Prompter;

// frmPersonalInfo: edits the report header and footer kept in Info.txt. Only the plain text of the two
// editors is kept.
class PersonalInfoDialog final : public QDialog {
    Q_OBJECT

public:
    PersonalInfoDialog(QString infoPath, Prompter &prompter, QWidget *parent);
    PersonalInfoDialog(const PersonalInfoDialog &) = delete;
    PersonalInfoDialog &operator=(const PersonalInfoDialog &) = delete;

    // The texts last saved, for the program's ReportHeader and ReportFooter.
    QString header() const { return m_header; }
    QString footer() const { return m_footer; }

private:
    void save();

    QString m_infoPath;
    Prompter &m_prompter;
    QTextEdit *m_headerEdit = nullptr;
    QTextEdit *m_footerEdit = nullptr;
    QString m_header;
    QString m_footer;
};

} // namespace tolvane
