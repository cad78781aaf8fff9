#pragma once

#include "app/Dispatcher.h"
#include "app/MainView.h"
#include "app/SettingsStore.h"
#include "ui/MainMenus.h"
#include "ui/RichTextPane.h"
#include "ui/WidgetPrompter.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <optional>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTextEdit;

namespace tolvane {

class HelpWindow;
class ResultPaneMenus;

// The main window. It holds the controls and wires them to the controller; every decision is made in the app
// layer. Object names are the control names the program has always used (frmname, txtName, cmdOk, ...).
class MainWindow final : public QMainWindow, public MainView {
    Q_OBJECT

public:
    explicit MainWindow(AppPaths paths, QWidget *parent = nullptr);
    ~MainWindow() override;
    MainWindow(const MainWindow &) = delete;
    MainWindow &operator=(const MainWindow &) = delete;

    // The start-up steps; false when the password prompt was refused and the program must end.
    bool startUp();
    // The splash window the start-up closes when it is done.
    void setSplash(QWidget *splash) { m_splash = splash; }
    // Size and position into the settings store, unless the window is minimised.
    void saveWindowLayout();
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
    void showGrids(const GridPanel &panel) override;
    void setBusy(bool busy) override;
    void showStatus(const QString &text) override;
    void setProgressBarsVisible(bool visible) override;
    void setProgressLabels(const QString &group, const QString &percent) override;
    void setProgressBars(int groupPercent, int overallPercent) override;
    void setPasswordMenu(PasswordMenu menu) override;
    void restoreLayout() override;
    void closeSplash() override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    // Ctrl+Tab and Ctrl+Shift+Tab leave the result pane, where Tab types a tab character.
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void execute();
    void exitProgram();
    void openPasswordWindow();
    void openReportInfoWindow();
    void openCorrectionWindow();
    void openFavouritesWindow();
    void showHelp();
    void showHelpOver(QWidget *modal);
    void openHomePage();
    void showAbout();
    // The controls, built in this order: the panels of the top band, the pane and buttons, then the keyboard
    // order and the wiring.
    void buildControls();
    void buildGridPanel();
    void buildProgressPanel();
    void buildOtherPanel();
    void buildSelectors();
    void buildPaneAndButtons();
    void setUpKeyboard();
    void wireControls();
    void wireMenus();
    void layoutControls();
    void showProgressPanel();
    // The selectors' labels beside their boxes, or above them where the band is narrow.
    void arrangeSelectors(bool stacked);

    QWidget *m_central = nullptr;
    QGroupBox *m_fraXingMWG = nullptr;
    QGroupBox *m_frmProgress = nullptr;
    QGroupBox *m_fraOther = nullptr;
    QWidget *m_selectors = nullptr; // lblOptions, cmbOptions, lblName, txtName and Picture1
    std::optional<bool> m_selectorsStacked; // none before the first arrangement
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
    // The five-grid panel, by the places of GridPanel.
    std::array<QLabel *, 4> m_characterLabels{};
    std::array<QLabel *, 4> m_strokeLabels{};
    std::array<QLabel *, 5> m_captionLabels{};
    std::array<QLabel *, 5> m_numberLabels{};
    // The progress panel.
    QProgressBar *m_groupProgress = nullptr;
    QProgressBar *m_overallProgress = nullptr;
    QLabel *m_groupLabel = nullptr;
    QLabel *m_percentLabel = nullptr;
    bool m_progressWanted = false; // the dispatcher's choice
    bool m_progressRunning = false; // a listing drives the bars
    MainMenus m_menus;
    PasswordMenu m_passwordMenu = PasswordMenu::Set;
    ResultPaneMenus *m_paneMenus = nullptr;

    RichTextPane m_pane;
    WidgetPrompter m_prompter;
    SettingsStore m_settings;
    float m_frmflag = 0; // as read at start-up, kept until the window closes
    QPointer<QWidget> m_splash;
    QPointer<HelpWindow> m_help;
    Dispatcher m_dispatcher;
};

} // namespace tolvane
