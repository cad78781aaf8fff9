#pragma once

#include <QString>

namespace tolvane {

// The progress panel of the candidate listings: ProgressBar1 (the pass over the library for the current
// group), ProgressBar2 (the whole listing), lblprog1 ("第 g 组") and lblprog2 (the percentage).
class ListingProgress {
public:
    virtual ~ListingProgress() = default;
    virtual void setProgressBarsVisible(bool visible) = 0;
    // The labels are painted at once, while the listing still runs.
    virtual void setProgressLabels(const QString &group, const QString &percent) = 0;
    virtual void setProgressBars(int groupPercent, int overallPercent) = 0;
};

} // namespace tolvane
