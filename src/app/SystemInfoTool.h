#pragma once

#include "text/UserMessage.h"

#include <QStringList>

#include <optional>
#include <utility>

namespace tolvane {

// 系统信息: starts the desktop's system-information program. None is part of every system, so the first
// one installed from a list of well-known tools is used.
class SystemInfoTool final {
public:
    static QStringList candidates();
    // The full path of the first candidate found in `searchPaths` (empty: the PATH), or empty text.
    static QString find(const QStringList &searchPaths = {});
    // Starts it on its own; the message to show when there is none or it cannot be started.
    static std::optional<UserMessage> start(const QStringList &searchPaths = {});
    static UserMessage unavailable(); // "此时系统信息不可用"

    // What the system tells of itself, for the box shown when no tool is installed: caption and value, in
    // the order operating system, kernel, processor, memory, screen (described by the window, which knows
    // it), Qt. A fact that cannot be read says "不详".
    using Fact = std::pair<QString, QString>;
    static QList<Fact> facts(const QString &screen);
    static QString caption(); // "系统信息"
};

} // namespace tolvane
