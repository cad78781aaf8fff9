#include "app/StartupSequence.h"

#include "app/AppInfo.h"
#include "app/Dispatcher.h"
#include "app/MainView.h"
#include "app/ResultPane.h"
#include "app/Selectors.h"

namespace tolvane {

void StartupSequence::run(Dispatcher &dispatcher, MainView &view, ResultPane &pane)
{
    ProgramState &state = dispatcher.state();
    state.request.groupLimit = 7;
    view.setPictureToolTip(AppInfo::pictureToolTip());
    view.setCaption(AppInfo::mainCaption());
    view.setGridPanelVisible(true);
    view.setProgressPanelVisible(false);
    view.clearGridLabels();
    view.setNameToolTip(Selectors::nameToolTip(Selectors::functionItems().constFirst()));
    view.setOtherPanelEnabled(false);
    view.setGridPanelEnabled(false);
    pane.setText(state.startupText);
}

} // namespace tolvane
