#pragma once

#include <QStringList>

namespace tolvane {

// Maps the Windows face names the program asks for (宋体, 黑体 and their English names) to the Song and Hei
// faces Debian ships (fonts-arphic-uming, fonts-noto-cjk, fonts-wqy-zenhei).
class FontSetup final {
public:
    static void install();
    // The faces 宋体 stands for, in the order a character is looked for in them.
    static QStringList songFaces();
};

} // namespace tolvane
