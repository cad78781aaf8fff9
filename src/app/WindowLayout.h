#pragma once

#include <QString>

namespace tolvane {

class SettingsStore;

// The main window's outer geometry in twips (1/1440 inch at the screen's logical resolution).
struct TwipsGeometry {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;

    bool operator==(const TwipsGeometry &) const = default;
};

// What the start-up restore decided.
struct RestoredLayout {
    TwipsGeometry geometry; // the window's normal (not maximised) geometry
    bool maximized = false;
    float frmflag = 0; // kept by the window until it closes
};

// Restores the main window's size and position at start-up and saves them at exit. The store keeps
// FrameWidth, FrameHeight, Left and Top, plus fHeight (the height that means "open maximised") and
// frmflag, which records that fHeight has been written.
class WindowLayout final {
public:
    static constexpr double kMinWidth = 8000;
    static constexpr double kMinHeight = 6250;

    // `current` is the geometry the window has before the restore; a stored value that is not a number
    // leaves that property as it is.
    static RestoredLayout restore(const SettingsStore &store, const TwipsGeometry &current);

    // Saving at exit. `frmflag` is the value the restore read at start-up. All values go in one replacement
    // of the store: after a failure (a full disk) it keeps what it had. Returns whether they were written.
    static bool save(SettingsStore &store, const TwipsGeometry &window, bool minimized, float frmflag);
};

} // namespace tolvane
