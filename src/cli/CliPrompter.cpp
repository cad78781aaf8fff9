#include "cli/CliPrompter.h"

namespace tolvane {

CliPrompter::CliPrompter(std::FILE *out)
    : m_out(out)
{
}

void CliPrompter::showMessage(const UserMessage &message)
{
    // One line per box, even when the text holds line breaks.
    QString line = message.text;
    line.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    std::fprintf(m_out, "%s\n", line.toUtf8().constData());
    std::fflush(m_out);
    ++m_count;
}

} // namespace tolvane
