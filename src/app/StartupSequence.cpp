#include "app/StartupSequence.h"

#include "app/AppInfo.h"
#include "app/Dispatcher.h"
#include "app/MainView.h"
#include "app/PasswordRules.h"
#include "app/ReportInfo.h"
#include "app/Prompter.h"

namespace tolvane {

bool StartupSequence::askPassword(const SettingsStore &settings, Prompter &prompter, MainView &view,
                                  bool &loginAccepted)
{
    if (!PasswordRules::passwordSet(settings)) {
        view.setPasswordMenu(PasswordMenu::Set);
        return true;
    }
    loginAccepted = prompter.askStartupPassword(settings);
    if (!loginAccepted)
        return false;
    view.setPasswordMenu(PasswordMenu::Change);
    return true;
}

void StartupSequence::run(Dispatcher &dispatcher, MainView &view, const StartupText::Clock &clock)
{
    const ReportInfo::Texts info = ReportInfo::load(dispatcher.paths().infoPath());
    view.setPictureToolTip(AppInfo::pictureToolTip());
    view.setCaption(AppInfo::mainCaption());
    view.setGridPanelVisible(true);
    view.setProgressPanelVisible(false);
    view.showGrids(GridPanel{});
    view.setNameToolTip(QString::fromUtf16(FunctionTable::row(Function::PersonalNaming).nameToolTip));
    view.setOtherPanelEnabled(false);
    view.setGridPanelEnabled(false);
    view.restoreLayout();
    view.closeSplash();
    dispatcher.beginSession(info.header, info.footer, StartupText::build(clock));
}

} // namespace tolvane
