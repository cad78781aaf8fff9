#pragma once

#include <QStringList>

namespace tolvane {

// tolvane-cli: runs one function of the main window through the same controller and prints the pane.
class CliRunner final {
public:
    // Returns the exit status: 0 when the function ran without a message, 1 after a message, 2 for bad usage.
    static int run(const QStringList &arguments);
};

} // namespace tolvane
