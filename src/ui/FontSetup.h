#pragma once

namespace tolvane {

// Maps the Windows face names the program asks for (宋体, 黑体 and their English names) to the Song and Hei
// faces Debian ships (fonts-arphic-uming, fonts-wqy-zenhei).
class FontSetup final {
public:
    static void install();
};

} // namespace tolvane
