#pragma once

#include <QPoint>
#include <QWidget>

namespace tolvane {

// Window geometry is written in twips: 1440 to the inch of the screen's logical resolution.
class Twips final {
public:
    static constexpr int kPerInch = 1440;

    static int toPixelsX(const QWidget &w, int twips) { return twips * w.logicalDpiX() / kPerInch; }
    static int toPixelsY(const QWidget &w, int twips) { return twips * w.logicalDpiY() / kPerInch; }
    static int fromPixelsX(const QWidget &w, int px) { return px * kPerInch / w.logicalDpiX(); }
    static int fromPixelsY(const QWidget &w, int px) { return px * kPerInch / w.logicalDpiY(); }

    // A point right of and below the window's outer top-left corner.
    static QPoint offsetFrom(const QWidget &window, int rightTwips, int downTwips)
    {
        return window.frameGeometry().topLeft() + QPoint(toPixelsX(window, rightTwips), toPixelsY(window, downTwips));
    }
};

} // namespace tolvane
