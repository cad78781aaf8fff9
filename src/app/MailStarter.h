#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace tolvane {

// Send ("发送"): starts the desktop's mail program with an empty message by handing it the address
// "mailto:". The opener runs on its own, so the program does not wait for the mail program.
class MailStarter final {
public:
    // The desktop's opener for addresses; tests hand in another program.
    explicit MailStarter(QString program = QStringLiteral("xdg-open"));

    static QString address() { return QStringLiteral("mailto:"); }
    // Nothing when the opener started; otherwise the system's description of why it did not.
    std::optional<QString> start() const;

private:
    QString m_program;
};

} // namespace tolvane
