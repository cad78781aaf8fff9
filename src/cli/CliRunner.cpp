#include "cli/CliRunner.h"

#include "app/AppPaths.h"
#include "app/Dispatcher.h"
#include "app/HeadlessView.h"
#include "app/TextPane.h"
#include "cli/CliPrompter.h"

#include <QCommandLineParser>

#include <cstdio>

namespace tolvane {

namespace {

const char kUsage[] =
    "Usage: tolvane-cli COMMAND ARGUMENTS [--rtf FILE]\n"
    "\n"
    "Commands:\n"
    "  company NAME     company-name analysis (公司名分析)\n"
    "\n"
    "Options:\n"
    "  --rtf FILE       also write the result as RTF, exactly as the window stores name.rtf\n"
    "  -h, --help       show this help\n"
    "\n"
    "The result is printed to standard output. Each message the window would show in a box is printed\n"
    "as one line to standard error, and the exit status is then 1.\n";

int usage(std::FILE *out, int status)
{
    std::fputs(kUsage, out);
    return status;
}

} // namespace

int CliRunner::run(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    const QCommandLineOption rtf(QStringLiteral("rtf"), QString(), QStringLiteral("file"));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    parser.addOption(rtf);
    parser.addOption(help);
    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "tolvane-cli: %s\n", qPrintable(parser.errorText()));
        return usage(stderr, 2);
    }
    if (parser.isSet(help))
        return usage(stdout, 0);

    const QStringList args = parser.positionalArguments();
    if (args.isEmpty())
        return usage(stderr, 2);
    const QString command = args.constFirst();

    DispatchInput input;
    if (command == QLatin1String("company") && args.size() == 2) {
        input.function = QStringLiteral("公司名分析");
        input.name = args.at(1);
    } else {
        std::fprintf(stderr, "tolvane-cli: unknown command or wrong arguments: %s\n", qPrintable(args.join(u' ')));
        return usage(stderr, 2);
    }

    TextPane pane;
    HeadlessView view;
    CliPrompter prompter;
    Dispatcher dispatcher(AppPaths::forExecutable(), pane, view, prompter);
    dispatcher.setResultPath(parser.value(rtf));
    dispatcher.execute(input);

    QString text = pane.text();
    if (!text.isEmpty()) {
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        if (!text.endsWith(QLatin1Char('\n')))
            text += QLatin1Char('\n');
        std::fputs(text.toUtf8().constData(), stdout);
    }
    for (const QString &status : std::as_const(view.statusMessages))
        std::fprintf(stderr, "%s\n", status.toUtf8().constData());
    return prompter.messageCount() > 0 || !view.statusMessages.isEmpty() ? 1 : 0;
}

} // namespace tolvane
