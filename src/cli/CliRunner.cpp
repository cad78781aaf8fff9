#include "cli/CliRunner.h"

#include "app/AppPaths.h"
#include "app/Dispatcher.h"
#include "app/HeadlessView.h"
#include "app/ReadingTexts.h"
#include "app/Selectors.h"
#include "app/TextPane.h"
#include "cli/CliPrompter.h"
#include "data/LibraryCorrection.h"

#include <QCommandLineParser>

#include <cstdio>

namespace tolvane {

namespace {

const char kUsage[] =
    "Usage: tolvane-cli COMMAND ARGUMENTS [OPTIONS] [--rtf FILE]\n"
    "\n"
    "Commands:\n"
    "  name SURNAME            personal naming (个人起名): the good stroke configurations for a surname\n"
    "                          and the library characters that fit them; 王-明 or 王明- keeps one given-name\n"
    "                          character and finds the other (--sex, --luck and --elements apply)\n"
    "      --summary-only      stop after the configurations, before the library search\n"
    "      --length 1|2|3      given-name characters (default 2)\n"
    "      --sex 男|女          (default 男)\n"
    "      --luck 全吉|半吉     (default 半吉)\n"
    "      --elements 金木水火土 the wished-for elements (default all five)\n"
    "      --start N           stroke count of the first given-name character to start from (1..29)\n"
    "      --groups N          how many groups to find (1..20; default 6 or what the window last used)\n"
    "      --surname-kind 单|复 for the questions that ask it\n"
    "  analyze NAME            name analysis (姓名分析) of a full name of two to four characters\n"
    "  strokes-report \"5 8 12\" the same report from typed stroke counts (姓名笔画数)\n"
    "  company NAME            company-name analysis (公司名分析)\n"
    "  lookup KIND INPUT       a reference lookup (其他功能); KIND is one of\n"
    "                          81man, 81corp, sancai, pair,\n"
    "                          strokes (单字笔画数), by-strokes (笔画查字),\n"
    "                          homophones (同音字查询), meaning (字义查询)\n"
    "  correct CHAR STROKES    set the stroke count of CHAR in the character library (修改字库);\n"
    "                          write -- before a negative count\n"
    "  read KEY                print a reading text (造命篇): liaofansixun, sanshiyinguojing,\n"
    "                          xinmingge or softprotect\n"
    "\n"
    "Options:\n"
    "  --rtf FILE              also write the result as RTF, exactly as the window stores name.rtf\n"
    "  -h, --help              show this help\n"
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
    const QCommandLineOption length(QStringLiteral("length"), QString(), QStringLiteral("n"));
    const QCommandLineOption sex(QStringLiteral("sex"), QString(), QStringLiteral("sex"));
    const QCommandLineOption luck(QStringLiteral("luck"), QString(), QStringLiteral("level"));
    const QCommandLineOption elements(QStringLiteral("elements"), QString(), QStringLiteral("elements"));
    const QCommandLineOption start(QStringLiteral("start"), QString(), QStringLiteral("n"));
    const QCommandLineOption groups(QStringLiteral("groups"), QString(), QStringLiteral("n"));
    const QCommandLineOption surnameKind(QStringLiteral("surname-kind"), QString(), QStringLiteral("kind"));
    const QCommandLineOption summaryOnly(QStringLiteral("summary-only"));
    parser.addOptions({rtf, help, length, sex, luck, elements, start, groups, surnameKind, summaryOnly});
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

    const auto bad = [](const QString &what) {
        std::fprintf(stderr, "tolvane-cli: %s\n", what.toUtf8().constData());
        return usage(stderr, 2);
    };

    NamingAnswers answers;
    if (parser.isSet(length)) {
        answers.length = parser.value(length).toInt();
        if (answers.length < 1 || answers.length > 3)
            return bad(QStringLiteral("--length takes 1, 2 or 3"));
    }
    if (parser.isSet(sex)) {
        const std::optional<Sex> chosen = sexFromText(parser.value(sex));
        if (!chosen)
            return bad(QStringLiteral("--sex takes 男 or 女"));
        answers.sex = *chosen;
    }
    if (parser.isSet(luck)) {
        const std::optional<LuckLevel> chosen = luckLevelFromText(parser.value(luck));
        if (!chosen || *chosen == LuckLevel::Bad)
            return bad(QStringLiteral("--luck takes 全吉 or 半吉"));
        answers.luckLevel = *chosen;
    }
    if (parser.isSet(elements)) {
        const std::optional<ElementSet> wanted = ElementSet::fromText(parser.value(elements));
        if (!wanted)
            return bad(QStringLiteral("--elements takes characters of 金木水火土"));
        answers.elements = *wanted;
    }
    if (parser.isSet(start) || parser.isSet(groups)) {
        // The advanced page checks both texts as the window does.
        answers.advanced = true;
        if (parser.isSet(start))
            answers.firstStrokes = parser.value(start);
        if (parser.isSet(groups))
            answers.groups = parser.value(groups);
    }
    answers.summaryOnly = parser.isSet(summaryOnly);
    if (parser.isSet(surnameKind)) {
        const std::optional<SurnameKind> chosen = surnameKindFromText(parser.value(surnameKind));
        if (!chosen)
            return bad(QStringLiteral("--surname-kind takes 单 or 复"));
        answers.surnameKind = *chosen;
    }

    if (command == QLatin1String("correct") && args.size() == 3) {
        CliPrompter prompter(answers);
        const LibraryCorrection::Result result =
            LibraryCorrection::apply(AppPaths::forExecutable().databasePath(), args.at(1), args.at(2));
        if (result.message)
            prompter.showMessage(*result.message);
        if (result.written)
            std::fprintf(stdout, "%s\n", LibraryCorrection::kDone.toUtf8().constData());
        return result.written ? 0 : 1;
    }

    if (command == QLatin1String("read") && args.size() == 2 && ReadingTexts::keys().contains(args.at(1))) {
        TextPane pane;
        CliPrompter prompter(answers);
        ReadingTexts::show(AppPaths::forExecutable().databasePath(), args.at(1), pane, prompter);
        QString text = pane.text();
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        if (!text.isEmpty() && !text.endsWith(QLatin1Char('\n')))
            text += QLatin1Char('\n');
        std::fputs(text.toUtf8().constData(), stdout);
        return prompter.messageCount() > 0 || text.isEmpty() ? 1 : 0;
    }

    DispatchInput input;
    // Command-line names of the lookups and their places in the selector.
    const QList<std::pair<QString, int>> lookups{{QStringLiteral("81man"), 0},      {QStringLiteral("81corp"), 1},
                                                 {QStringLiteral("sancai"), 2},     {QStringLiteral("pair"), 3},
                                                 {QStringLiteral("strokes"), 4},    {QStringLiteral("by-strokes"), 5},
                                                 {QStringLiteral("homophones"), 7}, {QStringLiteral("meaning"), 8}};
    const auto lookupIndex = [&lookups](const QString &kind) {
        for (const auto &[name, index] : lookups) {
            if (name == kind)
                return index;
        }
        return -1;
    };
    if (command == QLatin1String("company") && args.size() == 2) {
        input.function = QStringLiteral("公司名分析");
        input.name = args.at(1);
    } else if (command == QLatin1String("analyze") && args.size() == 2) {
        input.function = QStringLiteral("姓名分析");
        input.name = args.at(1);
    } else if (command == QLatin1String("strokes-report") && args.size() == 2) {
        input.function = QStringLiteral("其他功能");
        input.lookup = QStringLiteral("姓名笔画数");
        input.other = args.at(1);
    } else if (command == QLatin1String("name") && args.size() == 2) {
        input.function = QStringLiteral("个人起名");
        input.name = args.at(1);
    } else if (command == QLatin1String("lookup") && args.size() == 3 && lookupIndex(args.at(1)) >= 0) {
        input.function = QStringLiteral("其他功能");
        input.lookup = Selectors::lookupItems().at(lookupIndex(args.at(1)));
        input.other = args.at(2);
    } else {
        std::fprintf(stderr, "tolvane-cli: unknown command or wrong arguments: %s\n", qPrintable(args.join(u' ')));
        return usage(stderr, 2);
    }

    TextPane pane;
    HeadlessView view;
    CliPrompter prompter(answers);
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
