#pragma once

#include "app/Prompter.h"

#include <cstdio>

namespace tolvane {

// Answers the logic from the command line: every message box becomes one line on standard error.
class CliPrompter final : public Prompter {
public:
    explicit CliPrompter(std::FILE *out = stderr);
    void showMessage(const UserMessage &message) override;
    int messageCount() const { return m_count; }

private:
    std::FILE *m_out;
    int m_count = 0;
};

} // namespace tolvane
