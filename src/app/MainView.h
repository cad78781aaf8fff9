#pragma once

#include <QString>

namespace tolvane {

// The parts of the main window that the controller switches: captions, tool tips, panels, the pointer and
// the status line. The window implements it; the command line and tests use HeadlessView.
class MainView {
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
    virtual void clearGridLabels() = 0;
    virtual void setBusy(bool busy) = 0;
    virtual void showStatus(const QString &text) = 0;
};

} // namespace tolvane
