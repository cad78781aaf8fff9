#pragma once

#include "naming/ListingProgress.h"

#include <cmath>

namespace tolvane {

// Drives the progress panel through the groups of a listing: the overall value grows by the pass's position
// (0 before the first pass, 100 after each later one) divided by the number of groups, and the percentage is
// shown rounded half to even.
class GroupProgress final {
public:
    GroupProgress(ListingProgress *progress, int groups)
        : m_progress(progress)
        , m_groups(groups)
    {
        if (m_progress)
            m_progress->setProgressBarsVisible(true);
    }

    void startGroup(int g)
    {
        m_overall += (g == 1 ? 0.0F : 100.0F) / float(m_groups);
        if (!m_progress)
            return;
        m_progress->setProgressLabels(QStringLiteral("第 %1 组").arg(g),
                                      QStringLiteral("%1%").arg(int(std::nearbyint(m_overall))));
        m_progress->setProgressBars(0, int(std::nearbyint(m_overall)));
    }

    void finishGroup()
    {
        if (m_progress)
            m_progress->setProgressBars(100, int(std::nearbyint(m_overall)));
    }

    void finish()
    {
        if (!m_progress)
            return;
        m_progress->setProgressBarsVisible(false);
        m_progress->setProgressLabels(QString(), QString());
    }

private:
    ListingProgress *m_progress;
    int m_groups;
    float m_overall = 0.0F;
};

} // namespace tolvane
