#include "app/StartupSequence.h"

#include "app/AppInfo.h"
#include "app/Dispatcher.h"
#include "app/MainView.h"
#include "app/PasswordRules.h"
#include "app/ReportInfo.h"
#include "app/Prompter.h"
#include "app/ResultPane.h"
#include "app/Selectors.h"

namespace tolvane {

bool StartupSequence::askPassword(const SettingsStore &settings, Prompter &prompter, MainView &view,
                                  ProgramState &state)
{
    if (!PasswordRules::passwordSet(settings)) {
        view.setPasswordMenuCaption(PasswordRules::setCaption());
        return true;
    }
    state.loginAccepted = prompter.askStartupPassword(settings);
    if (!state.loginAccepted)
        return false;
    view.setPasswordMenuCaption(PasswordRules::changeCaption());
    return true;
}

void StartupSequence::run(Dispatcher &dispatcher, MainView &view, ResultPane &pane, const StartupText::Clock &clock)
{
    ProgramState &state = dispatcher.state();
    state.request.groupLimit = 7;
    const ReportInfo::Texts info = ReportInfo::load(dispatcher.paths().infoPath());
    state.reportHeader = info.header;
    state.reportFooter = info.footer;
    view.setPictureToolTip(AppInfo::pictureToolTip());
    view.setCaption(AppInfo::mainCaption());
    view.setGridPanelVisible(true);
    view.setProgressPanelVisible(false);
    view.clearGridLabels();
    view.setNameToolTip(Selectors::nameToolTip(Selectors::functionItems().constFirst()));
    view.setOtherPanelEnabled(false);
    view.setGridPanelEnabled(false);
    view.restoreLayout();
    view.closeSplash();
    state.startupText = StartupText::build(clock);
    pane.setText(state.startupText);
}

} // namespace tolvane
