#pragma once

#include "app/Dispatcher.h"
#include "app/MainView.h"
#include "ui/RichTextPane.h"
#include "ui/WidgetPrompter.h"

#include <QMainWindow>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTextEdit;

namespace tolvane {

// frmname: the main window. It holds the controls and wires them to the controller; every decision is made
// in the app layer. Object names are the control names the program has always used (txtName, cmdOk, ...).
class MainWindow final : public QMainWindow, public MainView {
    Q_OBJECT

public:
    explicit MainWindow(AppPaths paths, QWidget *parent = nullptr);
    ~MainWindow() override;
    MainWindow(const MainWindow &) = delete;
    MainWindow &operator=(const MainWindow &) = delete;

    // Form_Load: the start-up steps.
    void startUp();
    Dispatcher &dispatcher() { return m_dispatcher; }

    // MainView
    void setCaption(const QString &caption) override;
    void setPictureToolTip(const QString &tip) override;
    void setNameToolTip(const QString &tip) override;
    void setOtherToolTip(const QString &tip) override;
    void setOtherPanelEnabled(bool enabled) override;
    void setGridPanelEnabled(bool enabled) override;
    void setGridPanelVisible(bool visible) override;
    void setProgressPanelVisible(bool visible) override;
    void clearGridLabels() override;
    void setBusy(bool busy) override;
    void showStatus(const QString &text) override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void cmdOk_Click();
    void buildControls();
    void buildMenus();
    void layoutControls();
    int twipsX(int twips) const;
    int twipsY(int twips) const;
    void place(QWidget *widget, int left, int top, int width, int height) const;

    QWidget *m_central = nullptr;
    QGroupBox *m_fraXingMWG = nullptr;
    QGroupBox *m_frmProgress = nullptr;
    QGroupBox *m_fraOther = nullptr;
    QComboBox *m_cmbOptions = nullptr;
    QComboBox *m_cmbOtherOptions = nullptr;
    QLineEdit *m_txtName = nullptr;
    QLineEdit *m_txtOther = nullptr;
    QLabel *m_lblOptions = nullptr;
    QLabel *m_lblName = nullptr;
    QLabel *m_picture1 = nullptr;
    QPushButton *m_cmdOk = nullptr;
    QPushButton *m_cmdPrint = nullptr;
    QPushButton *m_cmdExit = nullptr;
    QTextEdit *m_richText = nullptr;
    QList<QLabel *> m_gridLabels;

    RichTextPane m_pane;
    WidgetPrompter m_prompter;
    Dispatcher m_dispatcher;
};

} // namespace tolvane
