#pragma once

#include "app/StartupText.h"

namespace tolvane {

class Dispatcher;
class MainView;
class Prompter;
class SettingsStore;
struct ProgramState;
class ResultPane;

// The main window's start-up steps, each run in order; a step that fails is skipped and the next one runs.
class StartupSequence final {
public:
    // Step 1: when a start-up password is stored, frmLogin asks for it. Sets LoginAccepted and the caption
    // of mnu_SetPass; false means the program ends now, before anything is written.
    static bool askPassword(const SettingsStore &settings, Prompter &prompter, MainView &view, ProgramState &state);
    // The steps after it, in order.
    // clock: the local time the start-up text is chosen by (tests hand in their own).
    static void run(Dispatcher &dispatcher, MainView &view, ResultPane &pane, const StartupText::Clock &clock = {});
};

} // namespace tolvane
