#pragma once

#include <QString>

#include <functional>

class QObject;

namespace tolvane {

// Hands a web or mail address (https://…, mailto:…) to the desktop's opener, xdg-open, which starts the
// browser or the mail program. The opener runs on its own and open() returns at once; when the opener cannot
// be started or ends with a failure status (no browser or mail program is set up), `failed` is called later
// from the event loop with the reason, unless `context` is gone by then.
class AddressOpener final {
public:
    static void open(const QString &address, QObject *context, std::function<void(const QString &reason)> failed);

    // The opener program; tests hand in another one.
    static QString program();
    static void setProgram(const QString &program);
};

} // namespace tolvane
