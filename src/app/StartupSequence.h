#pragma once

namespace tolvane {

class Dispatcher;
class MainView;
class ResultPane;

// The main window's start-up steps, each run in order; a step that fails is skipped and the next one runs.
class StartupSequence final {
public:
    static void run(Dispatcher &dispatcher, MainView &view, ResultPane &pane);
};

} // namespace tolvane
