#pragma once

#include "text/UserMessage.h"

namespace tolvane {

// Everything the logic needs from a person. The window shows real dialogs; the command line answers from
// its options; tests answer from a script and record what was asked.
class Prompter {
public:
    virtual ~Prompter() = default;
    // A modal message box; returns when the person has read it.
    virtual void showMessage(const UserMessage &message) = 0;
};

} // namespace tolvane
