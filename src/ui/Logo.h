#pragma once

#include <QPixmap>

namespace tolvane {

// The program's logo, drawn at any size: the main window's Picture1, the about box and the splash window.
class Logo final {
public:
    static QPixmap pixmap(int size);
};

} // namespace tolvane
