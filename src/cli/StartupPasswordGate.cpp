#include "cli/StartupPasswordGate.h"

#include "app/PasswordRules.h"
#include "app/Prompter.h"
#include "text/PlainTextFile.h"

#include <termios.h>
#include <unistd.h>

namespace tolvane {

std::optional<QString> StartupPasswordGate::readLine(std::FILE *in)
{
    QByteArray bytes;
    int c = 0;
    while ((c = std::fgetc(in)) != EOF && c != '\n')
        bytes.append(char(c));
    if (c == EOF && bytes.isEmpty())
        return std::nullopt;
    if (bytes.endsWith('\r'))
        bytes.chop(1);
    return PlainTextFile::decode(bytes);
}

std::optional<QString> StartupPasswordGate::readHidden(std::FILE *in, std::FILE *terminal)
{
    std::fputs("输入启动密码:", terminal);
    std::fflush(terminal);
    const int fd = fileno(in);
    termios saved {};
    const bool hidden = tcgetattr(fd, &saved) == 0;
    if (hidden) {
        termios quiet = saved;
        quiet.c_lflag &= ~tcflag_t(ECHO);
        quiet.c_lflag |= ECHONL;
        tcsetattr(fd, TCSAFLUSH, &quiet);
    }
    const std::optional<QString> line = readLine(in);
    if (hidden)
        tcsetattr(fd, TCSAFLUSH, &saved);
    if (!line) {
        // Ctrl-D: the line break the terminal did not echo.
        std::fputs("\n", terminal);
    }
    return line;
}

bool StartupPasswordGate::unlock(
    const SettingsStore &store, const Source &source, Prompter &prompter, std::FILE *in, std::FILE *terminal)
{
    if (!PasswordRules::passwordSet(store))
        return true;
    // One try: the window's message when the entry does not open the program.
    const auto opens = [&](const QString &entry) {
        const std::optional<UserMessage> refused = PasswordRules::login(store, entry);
        if (refused)
            prompter.showMessage(*refused);
        return !refused;
    };

    if (!source.passwordFile.isEmpty()) {
        const std::optional<QByteArray> bytes = PlainTextFile::readBytes(source.passwordFile);
        if (!bytes) {
            prompter.showMessage(
                UserMessage::warning(QStringLiteral("无法读取密码文件“%1”。").arg(source.passwordFile)));
            return false;
        }
        QString first = PlainTextFile::decode(*bytes).section(QLatin1Char('\n'), 0, 0);
        if (first.endsWith(QLatin1Char('\r')))
            first.chop(1);
        return opens(first);
    }

    if (source.stdinIsInput) {
        prompter.showMessage(UserMessage::warning(
            QStringLiteral("已设置启动密码，而标准输入是姓名文件：请用 --password-file 给出启动密码。")));
        return false;
    }

    // At a terminal, as in the window: a wrong password is said and asked again; Ctrl-D gives up.
    if (isatty(fileno(in))) {
        while (const std::optional<QString> typed = readHidden(in, terminal)) {
            if (opens(*typed))
                return true;
        }
        return false;
    }

    // Piped in: one line, one try. No line at all is a wrong password too.
    return opens(readLine(in).value_or(QString()));
}

} // namespace tolvane
