#pragma once

#include "app/GridPanel.h"
#include "app/PasswordRules.h"
#include "naming/ListingProgress.h"

#include <QString>

namespace tolvane {

// The parts of the main window that the controller switches: captions, tool tips, panels, the progress
// panel, the pointer and the status line. The window implements it; the command line and tests use HeadlessView.
class MainView : public ListingProgress {
public:
    virtual ~MainView() = default;
    virtual void setCaption(const QString &caption) = 0;
    virtual void setPictureToolTip(const QString &tip) = 0;
    virtual void setNameToolTip(const QString &tip) = 0;
    virtual void setOtherToolTip(const QString &tip) = 0;
    virtual void setOtherPanelEnabled(bool enabled) = 0;
    virtual void setGridPanelEnabled(bool enabled) = 0;
    virtual void setGridPanelVisible(bool visible) = 0;
    virtual void setProgressPanelVisible(bool visible) = 0;
    // The five-grid panel's characters, stroke counts, captions and numbers; an empty panel clears it.
    virtual void showGrids(const GridPanel &panel) = 0;
    virtual void setBusy(bool busy) = 0;
    virtual void showStatus(const QString &text) = 0;
    // What mnu_SetPass opens, decided at start-up; the item carries PasswordRules::menuCaption's caption.
    virtual void setPasswordMenu(PasswordMenu menu) = 0;
    // Start-up: the window's size and position from the settings store.
    virtual void restoreLayout() = 0;
    // Start-up: the splash window goes when the main window is ready.
    virtual void closeSplash() = 0;
};

} // namespace tolvane
