#include "fakes/FakePrompter.h"

#include <QStringList>

namespace tolvane {

void FakePrompter::showMessage(const UserMessage &message)
{
    messages.append(message);
}

QStringList FakePrompter::texts() const
{
    QStringList list;
    for (const UserMessage &m : messages)
        list.append(m.text);
    return list;
}

} // namespace tolvane
