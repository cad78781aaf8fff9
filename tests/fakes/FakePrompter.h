#pragma once

#include "app/Prompter.h"

#include <QList>

namespace tolvane {

// Records every message the logic shows, so that a test can assert "exactly this message, once".
class FakePrompter final : public Prompter {
public:
    void showMessage(const UserMessage &message) override;

    QList<UserMessage> messages;
    QStringList texts() const;
};

} // namespace tolvane
