#pragma once

#include "app/StartupText.h"

namespace tolvane {

class Dispatcher;
class MainView;
class Prompter;
class SettingsStore;

// The main window's start-up steps, each run in order; a step that fails is skipped and the next one runs.
class StartupSequence final {
public:
    // Step 1: when a start-up password is stored, the password window asks for it. Sets loginAccepted and
    // the caption of the password menu item; false means the program ends now, before anything is written.
    static bool askPassword(const SettingsStore &settings, Prompter &prompter, MainView &view, bool &loginAccepted);
    // The steps after it, in order, ending with the start-up text in the result pane.
    // clock: the local time the start-up text is chosen by (tests hand in their own).
    static void run(Dispatcher &dispatcher, MainView &view, const StartupText::Clock &clock = {});
};

} // namespace tolvane
