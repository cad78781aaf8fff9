#pragma once

namespace tolvane {

// Qt draws some texts itself: the standard buttons (确定, 取消, 是, 否), the file, print and font dialogs and the
// input boxes' context menus. They are shown in Chinese by Qt's own translations (qtbase_zh_CN, Debian package
// qt6-translations-l10n), loaded once into the running application; the default locale becomes Chinese (China)
// for what Qt formats by it.
class QtTranslations final {
public:
    // false when the translation file is missing; Qt's texts then stay English.
    static bool installChinese();
};

} // namespace tolvane
