#include "app/MailStarter.h"

#include <QProcess>

namespace tolvane {

MailStarter::MailStarter(QString program)
    : m_program(std::move(program))
{
}

std::optional<QString> MailStarter::start() const
{
    QProcess process;
    process.setProgram(m_program);
    process.setArguments({address()});
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    if (process.startDetached())
        return std::nullopt;
    const QString error = process.errorString();
    return error.isEmpty() ? QStringLiteral("%1: %2").arg(m_program, address()) : error;
}

} // namespace tolvane
