#pragma once

#include "naming/NamingWizard.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;

namespace tolvane {

class ClassicSourceBox;

// dlgdanfuxing: shows the naming wizard's current page and hands each button to the wizard. The wizard
// decides which page comes next, whether DialogLast opens and when the window closes.
class NamingWizardDialog final : public QDialog {
    Q_OBJECT

public:
    // Loads the wizard, as the window does when it opens.
    NamingWizardDialog(NamingWizard &wizard, QWidget *mainWindow);
    NamingWizardDialog(const NamingWizardDialog &) = delete;
    NamingWizardDialog &operator=(const NamingWizardDialog &) = delete;

public Q_SLOTS:
    // The frame button and Esc.
    void reject() override;

protected:
    // Enter in the birth-time box ticks the elements of the birth chart instead of confirming the page.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildSurnameKindPage();
    void buildNameLengthPage();
    void buildSexAndElementsPage();
    void buildLuckPage();
    void buildAdvancedPage();

    void confirmSurnameKind();
    void confirmNameLength();
    void confirmSexAndElements();
    // The sex-and-elements page's birth time: ticks the elements its birth chart suggests.
    void tickElementsOfBirth();
    void backToNameLength();
    void confirmLuck();
    void advanced();
    void backToSexAndElements();
    void confirmAdvanced();
    void cancelAdvanced();
    void cancel();
    // Hands the source shown on the luck page to the wizard; false when the page stays with its message.
    bool takeSource();

    // Shows what the wizard says after every answer.
    void sync();
    void applyPreset(NamingWizard::Page page);
    QGroupBox *pageWidget(NamingWizard::Page page) const;
    QPushButton *okButton(NamingWizard::Page page) const;
    void showMessage(const UserMessage &message);

    NamingWizard &m_wizard;
    std::optional<NamingWizard::Page> m_shown;
    QStackedWidget *m_pages = nullptr;

    QGroupBox *m_surnameKindPage = nullptr;
    QRadioButton *m_single = nullptr;
    QRadioButton *m_compound = nullptr;
    QLabel *m_surnameKindHelp = nullptr;
    QPushButton *m_surnameKindOk = nullptr;

    QGroupBox *m_nameLengthPage = nullptr;
    QRadioButton *m_name1 = nullptr;
    QRadioButton *m_name2 = nullptr;
    QRadioButton *m_name3 = nullptr;
    QPushButton *m_nameLengthOk = nullptr;

    QGroupBox *m_sexPage = nullptr;
    QRadioButton *m_male = nullptr;
    QRadioButton *m_female = nullptr;
    QCheckBox *m_elements[5] = {};
    QLineEdit *m_birth = nullptr;
    QLabel *m_birthAdvice = nullptr;
    // The chart behind the ticks: it heads the naming result while the birth box and the ticks are as it left them.
    struct BirthTicks {
        QString typed;
        ElementSet elements;
        ChartPreface preface;
    };
    std::optional<BirthTicks> m_birthTicks;
    QPushButton *m_sexOk = nullptr;

    QGroupBox *m_luckPage = nullptr;
    QRadioButton *m_fullLuck = nullptr;
    QRadioButton *m_halfLuck = nullptr;
    QPushButton *m_luckOk = nullptr;
    ClassicSourceBox *m_source = nullptr;

    QGroupBox *m_advancedPage = nullptr;
    QComboBox *m_firstStrokes = nullptr;
    QComboBox *m_groups = nullptr;
    QPushButton *m_advancedOk = nullptr;
};

} // namespace tolvane
