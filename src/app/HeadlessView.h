#pragma once

#include "app/MainView.h"

#include <QStringList>

namespace tolvane {

// A main view without a window: it remembers what the controller set, so that the command line runs the
// same controller and tests can look at the panel states.
class HeadlessView : public MainView {
public:
    void setCaption(const QString &caption) override { this->caption = caption; }
    void setPictureToolTip(const QString &tip) override { pictureToolTip = tip; }
    void setNameToolTip(const QString &tip) override { nameToolTip = tip; }
    void setOtherToolTip(const QString &tip) override { otherToolTip = tip; }
    void setOtherPanelEnabled(bool enabled) override { otherPanelEnabled = enabled; }
    void setGridPanelEnabled(bool enabled) override { gridPanelEnabled = enabled; }
    void setGridPanelVisible(bool visible) override { gridPanelVisible = visible; }
    void setProgressPanelVisible(bool visible) override { progressPanelVisible = visible; }
    void showGrids(const GridPanel &panel) override
    {
        grids = panel;
        ++gridShows;
    }
    void setBusy(bool busy) override { this->busy = busy; }
    void showStatus(const QString &text) override;
    void setPasswordMenu(PasswordMenu menu) override { passwordMenuCaption = PasswordRules::menuCaption(menu); }
    void restoreLayout() override { ++layoutRestores; }
    void closeSplash() override { ++splashCloses; }
    void setProgressBarsVisible(bool visible) override { progressBarsVisible = visible; }
    void setProgressLabels(const QString &group, const QString &percent) override
    {
        progressLabels.append(group + QLatin1Char('|') + percent);
    }
    void setProgressBars(int groupPercent, int overallPercent) override
    {
        progressBars = {groupPercent, overallPercent};
    }

    QString caption;
    QString pictureToolTip;
    QString nameToolTip;
    QString otherToolTip;
    bool otherPanelEnabled = false;
    bool gridPanelEnabled = false;
    bool gridPanelVisible = true;
    bool progressPanelVisible = false;
    GridPanel grids;
    int gridShows = 0;
    bool busy = false;
    QStringList statusMessages;
    QString passwordMenuCaption;
    int layoutRestores = 0;
    int splashCloses = 0;
    bool progressBarsVisible = false;
    QStringList progressLabels;
    std::pair<int, int> progressBars{0, 0};
};

} // namespace tolvane
