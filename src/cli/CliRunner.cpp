#include "cli/CliRunner.h"

#include "analysis/CompoundSurnames.h"
#include "analysis/NameBatch.h"
#include "app/AppPaths.h"
#include "app/Dispatcher.h"
#include "app/HeadlessView.h"
#include "app/ReadingTexts.h"
#include "app/SettingsStore.h"
#include "app/TextPane.h"
#include "birthchart/BirthChartReport.h"
#include "cli/CliPrompter.h"
#include "cli/StartupPasswordGate.h"
#include "naming/NamingWizard.h"
#include "naming/SuggestionForm.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <cstdio>
#include <functional>
#include <vector>

namespace tolvane {

namespace {

// The options, in the order the help lists them; commands name the ones that concern them alone.
const std::vector<QCommandLineOption> &options()
{
    static const std::vector<QCommandLineOption> list {
        QCommandLineOption(
            QStringLiteral("summary-only"), QStringLiteral("stop after the configurations, before the library search")),
        QCommandLineOption(QStringLiteral("length"), QStringLiteral("given-name characters: 1, 2 or 3 (default 2)"),
            QStringLiteral("n")),
        QCommandLineOption(QStringLiteral("sex"), QStringLiteral("男 or 女 (default 男)"), QStringLiteral("sex")),
        QCommandLineOption(
            QStringLiteral("luck"), QStringLiteral("全吉 or 半吉 (default 半吉)"), QStringLiteral("level")),
        QCommandLineOption(QStringLiteral("elements"),
            QStringLiteral("the wished-for elements, characters of 金木水火土 (default all five)"),
            QStringLiteral("elements")),
        QCommandLineOption(QStringLiteral("born"),
            QStringLiteral("the child's birth, \"YYYY-MM-DD HH:MM\" in Beijing time: the elements its birth chart "
                           "suggests (as bazi shows them) instead of --elements"),
            QStringLiteral("time")),
        QCommandLineOption(QStringLiteral("start"),
            QStringLiteral("stroke count of the first given-name character to start from (1..29)"),
            QStringLiteral("n")),
        QCommandLineOption(QStringLiteral("groups"),
            QStringLiteral("how many groups to find, also for 王-明 (1..20; default 6, as the window starts with: it "
                           "does not store the count)"),
            QStringLiteral("n")),
        QCommandLineOption(QStringLiteral("from"),
            QStringLiteral("names from lines of the classics instead of the library: one or more of 诗经, 论语, 楚辞, "
                           "唐诗, 宋词, separated by commas; each name is shown with its verse. For suggest, 字库 "
                           "among them takes the library's names as well (default 字库 and all five)"),
            QStringLiteral("collections")),
        QCommandLineOption(QStringLiteral("count"),
            QStringLiteral("how many names to suggest (1..500, default 50)"), QStringLiteral("n")),
        QCommandLineOption(QStringLiteral("exclude"),
            QStringLiteral("characters never to use, e.g. the elders' names or characters the parent dislikes"),
            QStringLiteral("chars")),
        QCommandLineOption(QStringLiteral("include"),
            QStringLiteral("one character every suggested name must have (a generation name)"), QStringLiteral("char")),
        QCommandLineOption(QStringLiteral("min-strokes"),
            QStringLiteral("the fewest strokes of each given-name character (1..30)"), QStringLiteral("n")),
        QCommandLineOption(QStringLiteral("max-strokes"),
            QStringLiteral("the most strokes of each given-name character (1..30)"), QStringLiteral("n")),
        QCommandLineOption(QStringLiteral("surname-kind"),
            QStringLiteral("单 or 复, for the questions that ask whether the surname is compound (default: what the "
                           "window preselects, 复 for a name that begins with a listed compound surname such as "
                           "欧阳 or 司马, else 单)"),
            QStringLiteral("kind")),
        QCommandLineOption(QStringLiteral("longitude"),
            QStringLiteral("degrees east of the place of birth (west negative), for the true solar time"),
            QStringLiteral("degrees")),
        QCommandLineOption(QStringLiteral("utc-offset"),
            QStringLiteral("the zone the birth time is given in, e.g. +09:00 (default +08:00, Beijing time)"),
            QStringLiteral("zone")),
        QCommandLineOption(QStringLiteral("late-zi-same-day"),
            QStringLiteral("the other 子 hour convention: from 23:00 to midnight the day pillar stays the day's own "
                           "(夜子时); by default 23:00 begins the next day")),
        QCommandLineOption(QStringLiteral("batch"),
            QStringLiteral("analyse every name of FILE (- for standard input) instead of NAME: one name a line, "
                           "optionally a tab and 单 or 复; UTF-8 (with or without BOM), UTF-16 with BOM or GB18030. One result a "
                           "line, a line that cannot be analysed gives its error and the run goes on; the exit "
                           "status is 1 when any line failed"),
            QStringLiteral("file")),
        QCommandLineOption(QStringLiteral("format"),
            QStringLiteral("text (the default: the pane's text) or json (one JSON object per result, one per line "
                           "for a batch); for name, analyze, strokes-report, company and lookup"),
            QStringLiteral("format")),
        QCommandLineOption(QStringLiteral("rtf"),
            QStringLiteral("also write the result as RTF, exactly as the window stores name.rtf"),
            QStringLiteral("file")),
        QCommandLineOption(QStringLiteral("password-file"),
            QStringLiteral("the start-up password set in the window, from the first line of FILE; without it the "
                           "password is asked for on a terminal (not shown as typed) or read from the first line "
                           "of standard input. Nothing runs without it"),
            QStringLiteral("file")),
        QCommandLineOption(
            QStringList { QStringLiteral("h"), QStringLiteral("help") }, QStringLiteral("show this help")),
    };
    return list;
}

const QCommandLineOption &option(const QString &name)
{
    for (const QCommandLineOption &o : options()) {
        if (o.names().contains(name))
            return o;
    }
    Q_UNREACHABLE();
}

void printJson(const QJsonObject &fields)
{
    const QByteArray line = QJsonDocument(fields).toJson(QJsonDocument::Compact) + '\n';
    std::fwrite(line.constData(), 1, std::size_t(line.size()), stdout);
}

// What a command runs with: the parsed options and the controller the window uses, over a pane and a view
// without a window and a prompter that answers from the options.
struct Session {
    const QCommandLineParser &parser;
    NamingAnswers answers;
    TextPane pane;
    HeadlessView view;
    CliPrompter prompter;
    Dispatcher dispatcher;

    bool json;

    Session(const QCommandLineParser &parser, const NamingAnswers &answers)
        : parser(parser)
        , answers(answers)
        , prompter(answers)
        , dispatcher(AppPaths::forExecutable(), pane, view, prompter)
        , json(parser.value(option(QStringLiteral("format"))) == QLatin1String("json"))
    {
        dispatcher.setResultPath(parser.value(option(QStringLiteral("rtf"))));
    }

    // Prints the pane with LF line breaks, or with --format json the result's fields as one JSON object (nothing
    // when the run gave no result); status lines go to standard error. The exit status is 1 when a message box
    // or a status line was shown.
    int printPane()
    {
        if (json) {
            const QJsonObject &fields = dispatcher.state().resultFields;
            if (!fields.isEmpty())
                printJson(fields);
        } else if (QString text = pane.text(); !text.isEmpty()) {
            text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            if (!text.endsWith(QLatin1Char('\n')))
                text += QLatin1Char('\n');
            std::fputs(text.toUtf8().constData(), stdout);
        }
        for (const QString &status : std::as_const(view.statusMessages))
            std::fprintf(stderr, "%s\n", status.toUtf8().constData());
        return prompter.messageCount() > 0 || !view.statusMessages.isEmpty() ? 1 : 0;
    }

    int execute(Function function, const QString &name, std::optional<Lookup> lookup = {}, const QString &other = {})
    {
        dispatcher.execute({ function, name, lookup, other });
        return printPane();
    }
};

// One command: its name, the names of its arguments, what it does, the options that concern it alone, how
// many arguments it takes (-1: as accepts decides), whether it can print JSON, and how it runs, returning the
// exit status. accepts, where given, checks the arguments before anything runs.
struct Command {
    QString name;
    QString arguments;
    QString description;
    QStringList options;
    int argumentCount;
    bool json;
    std::function<int(Session &, const QStringList &)> run;
    std::function<bool(const QCommandLineParser &, const QStringList &)> accepts = {};
};

bool isSet(const QCommandLineParser &parser, const char *name)
{
    return parser.isSet(option(QLatin1String(name)));
}

// The birth as the lookup box reads it: the typed time, then the longitude and the zone of their options, each
// checked on its own so that its message names it. Nothing (the message shown) when an option is wrong.
std::optional<QString> birthLine(const QCommandLineParser &parser, const QString &time, CliPrompter &prompter)
{
    QString line = time;
    const auto reject = [&prompter](const UserMessage &message) {
        prompter.showMessage(message);
        return std::nullopt;
    };
    if (isSet(parser, "longitude")) {
        const ParsedInput<double> longitude = parseLongitude(parser.value(option(QStringLiteral("longitude"))));
        if (!longitude.value)
            return reject(*longitude.rejection);
        line += QLatin1Char(' ') + QString::number(*longitude.value, 'g', 12);
    }
    if (isSet(parser, "utc-offset")) {
        const ParsedInput<int> offset = parseUtcOffset(parser.value(option(QStringLiteral("utc-offset"))));
        if (!offset.value)
            return reject(*offset.rejection);
        line += QLatin1Char(' ') + utcOffsetText(*offset.value);
    }
    if (isSet(parser, "late-zi-same-day"))
        line += QLatin1Char(' ') + lateZiWord();
    return line;
}

// The questions of suggest (and compare) from the options; false, the message shown, when a value is wrong.
bool suggestionAnswers(Session &s, SuggestionForm &form)
{
    SuggestionRequest &r = form.request;
    r.sex = s.answers.sex;
    r.nameLength = s.answers.length;
    r.elements = s.answers.elements;
    r.fromLibrary = !isSet(s.parser, "from") || s.answers.libraryNamed;
    r.classics = isSet(s.parser, "from") ? s.answers.classics : std::optional<ClassicSet>(ClassicSet::all());
    if (isSet(s.parser, "born")) {
        const std::optional<QString> birth
            = birthLine(s.parser, s.parser.value(option(QStringLiteral("born"))), s.prompter);
        if (!birth)
            return false;
        form.birth = *birth;
    }
    const auto number = [&](const char *name, int &out, const QString &message) {
        if (!isSet(s.parser, name))
            return true;
        bool ok = false;
        out = s.parser.value(option(QLatin1String(name))).trimmed().toInt(&ok);
        if (!ok) {
            s.prompter.showMessage(UserMessage::warning(message));
            return false;
        }
        return true;
    };
    if (!number("count", r.count, QStringLiteral("推荐名字的个数须在1到500之间。"))
        || !number("min-strokes", r.minStrokes, QStringLiteral("每个字的最少、最多笔画数须在1到30之间，且最少不大于最多。"))
        || !number("max-strokes", r.maxStrokes, QStringLiteral("每个字的最少、最多笔画数须在1到30之间，且最少不大于最多。")))
        return false;
    if ((isSet(s.parser, "min-strokes") && r.minStrokes < 1) || (isSet(s.parser, "max-strokes") && r.maxStrokes < 1)) {
        s.prompter.showMessage(
            UserMessage::warning(QStringLiteral("每个字的最少、最多笔画数须在1到30之间，且最少不大于最多。")));
        return false;
    }
    r.exclude = s.parser.value(option(QStringLiteral("exclude"))).trimmed();
    r.include = s.parser.value(option(QStringLiteral("include"))).trimmed();
    return true;
}

// analyze --batch: every line of the file through one NameBatch, each result printed as it comes.
int runBatch(Session &s)
{
    const QString file = s.parser.value(option(QStringLiteral("batch")));
    QByteArray bytes;
    QFile in;
    const bool opened = file == QLatin1String("-") ? in.open(stdin, QIODevice::ReadOnly)
                                                   : (in.setFileName(file), in.open(QIODevice::ReadOnly));
    if (opened)
        bytes = in.readAll();
    if (!opened || in.error() != QFileDevice::NoError) {
        const QString message = file != QLatin1String("-") && !QFileInfo(file).isFile()
            ? QStringLiteral("找不到姓名文件“%1”。").arg(file)
            : QStringLiteral("无法读取姓名文件“%1”。").arg(file);
        std::fprintf(stderr, "%s\n", message.toUtf8().constData());
        return 1;
    }

    Outcome<NameBatch> batch = NameBatch::open(s.dispatcher.paths().databasePath(),
        CompoundSurnames::read(s.dispatcher.paths().compoundSurnamesPath()),
        s.json ? NameSoundChecker::load(s.dispatcher.paths().nameSoundPath()) : std::nullopt);
    if (!batch.value) {
        for (const UserMessage &message : std::as_const(batch.messages))
            s.prompter.showMessage(message);
        return 1;
    }
    const QStringList lines = NameBatch::lines(bytes);
    bool failed = false;
    QByteArray out;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const NameBatch::Result result = batch.value->analyze(int(i + 1), lines.at(i), s.answers.surnameKind);
        failed = failed || result.error.has_value();
        out += s.json ? QJsonDocument(NameBatch::fields(result)).toJson(QJsonDocument::Compact)
                      : NameBatch::textLine(result).toUtf8();
        out += '\n';
        if (result.libraryFailure) {
            // The lines so far stand; the rest cannot be read from this library.
            std::fwrite(out.constData(), 1, std::size_t(out.size()), stdout);
            std::fflush(stdout);
            s.prompter.showMessage(result.libraryFailure->message());
            return 1;
        }
        if (out.size() > 1 << 16) {
            std::fwrite(out.constData(), 1, std::size_t(out.size()), stdout);
            out.clear();
        }
    }
    std::fwrite(out.constData(), 1, std::size_t(out.size()), stdout);
    return failed ? 1 : 0;
}

QString lookupKinds()
{
    QStringList kinds;
    for (const LookupRow &row : FunctionTable::lookups())
        kinds.append(QStringLiteral("%1 (%2)").arg(QLatin1String(row.commandName), QString::fromUtf16(row.caption)));
    return QStringLiteral("a reference lookup (其他功能); KIND is one of ") + kinds.join(QStringLiteral(", "));
}

const std::vector<Command> &commands()
{
    const QStringList naming { QStringLiteral("summary-only"), QStringLiteral("length"), QStringLiteral("sex"),
        QStringLiteral("luck"), QStringLiteral("elements"), QStringLiteral("born"), QStringLiteral("longitude"),
        QStringLiteral("utc-offset"), QStringLiteral("late-zi-same-day"), QStringLiteral("start"), QStringLiteral("groups"), QStringLiteral("from"),
        QStringLiteral("surname-kind") };
    const QStringList suggestOptions { QStringLiteral("sex"), QStringLiteral("length"), QStringLiteral("elements"),
        QStringLiteral("born"), QStringLiteral("from"), QStringLiteral("count"), QStringLiteral("exclude"),
        QStringLiteral("include"), QStringLiteral("min-strokes"), QStringLiteral("max-strokes") };
    static const std::vector<Command> list {
        { QStringLiteral("name"), QStringLiteral("SURNAME"),
            QStringLiteral(
                "personal naming (个人起名): the good stroke configurations for a surname and the library "
                "characters that fit them; 王-明 or 王明- keeps one given-name character and finds the other"),
            naming, 1, true,
            [](Session &s, const QStringList &args) {
                // The group count reaches fixed-character naming, which has no advanced page, as the count an
                // earlier run of the window's advanced page left.
                // --born: the elements of the birth chart, as the wizard's birth time ticks them.
                if (isSet(s.parser, "born")) {
                    const std::optional<QString> birth
                        = birthLine(s.parser, s.parser.value(option(QStringLiteral("born"))), s.prompter);
                    if (!birth)
                        return s.printPane();
                    const ParsedInput<BirthElementAdvice> advice = adviseElementsForBirth(*birth);
                    if (!advice.value) {
                        s.prompter.showMessage(*advice.rejection);
                        return s.printPane();
                    }
                    s.prompter.useElements(advice.value->elements);
                }
                if (s.parser.isSet(option(QStringLiteral("groups")))) {
                    const Outcome<qint16> groups = NamingWizard::readGroupCount(s.answers.groups);
                    if (!groups.value) {
                        s.prompter.showMessage(*groups.message());
                        return s.printPane();
                    }
                    s.dispatcher.setGroupCount(*groups.value);
                }
                return s.execute(Function::PersonalNaming, args.at(0));
            } },
        { QStringLiteral("suggest"), QStringLiteral("SURNAME"),
            QStringLiteral("suggested names (推荐名字): whole names for the surname over every good configuration, "
                           "ranked by numerology, elements, sound and meaning, each with its reasons, grids and "
                           "meanings"),
            suggestOptions, 1, true,
            [](Session &s, const QStringList &args) {
                SuggestionForm form;
                if (!suggestionAnswers(s, form))
                    return s.printPane();
                s.prompter.useSuggestionAnswers(form);
                return s.execute(Function::SuggestedNames, args.at(0));
            } },
        { QStringLiteral("compare"), QStringLiteral("NAME NAME..."),
            QStringLiteral("two to five full names side by side (名字比较): grids, luck, 三才, elements, sound, "
                           "meaning and score, judged as the suggested names are"),
            { QStringLiteral("sex"), QStringLiteral("elements"), QStringLiteral("born") }, -1, true,
            [](Session &s, const QStringList &args) {
                SuggestionForm form;
                if (!suggestionAnswers(s, form))
                    return s.printPane();
                QList<FavouriteNames::Name> names;
                for (const QString &arg : args) {
                    const std::optional<FavouriteNames::Name> name = s.dispatcher.splitFullName(arg);
                    if (!name) {
                        s.prompter.showMessage(UserMessage::warning(
                            QStringLiteral("“") + arg + QStringLiteral("”不是两到四个字的全名。")));
                        return s.printPane();
                    }
                    names.append(*name);
                }
                s.dispatcher.compareNames(names, form.request.sex, form.request.elements, form.birth);
                return s.printPane();
            },
            [](const QCommandLineParser &, const QStringList &args) { return args.size() >= 2 && args.size() <= 5; } },
        { QStringLiteral("analyze"), QStringLiteral("NAME"),
            QStringLiteral("name analysis (姓名分析) of a full name of two to four characters, or with --batch of "
                           "every name in a file"),
            { QStringLiteral("surname-kind"), QStringLiteral("batch") }, -1, true,
            [](Session &s, const QStringList &args) {
                return isSet(s.parser, "batch") ? runBatch(s) : s.execute(Function::NameAnalysis, args.at(0));
            },
            [](const QCommandLineParser &parser, const QStringList &args) {
                return isSet(parser, "batch") ? args.isEmpty() && !isSet(parser, "rtf") : args.size() == 1;
            } },
        { QStringLiteral("strokes-report"), QStringLiteral("\"5 8 12\""),
            QStringLiteral("the name analysis report from typed stroke counts (姓名笔画数)"),
            { QStringLiteral("surname-kind") }, 1, true,
            [](Session &s, const QStringList &args) {
                return s.execute(Function::OtherFunctions, {}, Lookup::StrokeNumbers, args.at(0));
            } },
        { QStringLiteral("company"), QStringLiteral("NAME"), QStringLiteral("company-name analysis (公司名分析)"), {},
            1, true,
            [](Session &s, const QStringList &args) { return s.execute(Function::CompanyAnalysis, args.at(0)); } },
        { QStringLiteral("lookup"), QStringLiteral("KIND INPUT"), lookupKinds(), {}, 2, true,
            [](Session &s, const QStringList &args) {
                return s.execute(
                    Function::OtherFunctions, {}, FunctionTable::lookupFromCommandName(args.at(0)), args.at(1));
            },
            [](const QCommandLineParser &, const QStringList &args) {
                return FunctionTable::lookupFromCommandName(args.at(0)).has_value();
            } },
        { QStringLiteral("bazi"), QStringLiteral("\"YYYY-MM-DD HH:MM\""),
            QStringLiteral("the birth chart (生辰八字): the four pillars of a birth in Beijing time, the elements of "
                           "their eight characters and the elements suggested for the name"),
            { QStringLiteral("longitude"), QStringLiteral("utc-offset"), QStringLiteral("late-zi-same-day") }, 1, true,
            [](Session &s, const QStringList &args) {
                const std::optional<QString> birth = birthLine(s.parser, args.at(0), s.prompter);
                if (!birth)
                    return s.printPane();
                return s.execute(Function::OtherFunctions, {}, Lookup::BirthChart, *birth);
            } },
        { QStringLiteral("correct"), QStringLiteral("CHAR STROKES"),
            QStringLiteral("set the stroke count of CHAR in the character library (修改字库); write -- before a "
                           "negative count"),
            {}, 2, false,
            [](Session &s, const QStringList &args) {
                const std::optional<QString> done = s.dispatcher.correctStrokes(args.at(0), args.at(1));
                if (done)
                    std::fprintf(stdout, "%s\n", done->toUtf8().constData());
                return done ? 0 : 1;
            } },
        { QStringLiteral("read"), QStringLiteral("KEY"),
            QStringLiteral("print a reading text (造命篇): ") + ReadingTexts::keys().join(QStringLiteral(", ")), {}, 1,
            false,
            [](Session &s, const QStringList &args) {
                s.dispatcher.showReadingText(args.at(0));
                const int status = s.printPane();
                return status == 0 && s.pane.text().isEmpty() ? 1 : status;
            },
            [](const QCommandLineParser &, const QStringList &args) {
                return ReadingTexts::keys().contains(args.at(0));
            } },
    };
    return list;
}

// Wraps text to the help's right-hand column.
QString wrapped(const QString &text, int indent, int width = 110)
{
    QString out;
    QString line;
    for (const QString &word : text.split(QLatin1Char(' '))) {
        if (!line.isEmpty() && indent + line.size() + 1 + word.size() > width) {
            out += line + QLatin1Char('\n') + QString(indent, QLatin1Char(' '));
            line.clear();
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    return out + line;
}

QString column(const QString &left, const QString &right, int indent)
{
    constexpr int kColumn = 28;
    const QString head = QString(indent, QLatin1Char(' ')) + left;
    return head.leftJustified(kColumn - 1) + QLatin1Char(' ') + wrapped(right, kColumn) + QLatin1Char('\n');
}

QString optionLine(const QCommandLineOption &o, int indent)
{
    QStringList names;
    for (const QString &n : o.names())
        names.append((n.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + n);
    QString left = names.join(QStringLiteral(", "));
    if (!o.valueName().isEmpty())
        left += QLatin1Char(' ') + o.valueName().toUpper();
    return column(left, o.description(), indent);
}

// The help, from the tables above.
QString usage()
{
    QString text = QStringLiteral("Usage: tolvane-cli COMMAND ARGUMENTS [OPTIONS]\n\nCommands:\n");
    QStringList listed;
    for (const Command &c : commands()) {
        text += column(c.name + QLatin1Char(' ') + c.arguments, c.description, 2);
        for (const QString &name : c.options) {
            text += optionLine(option(name), 6);
            listed.append(name);
        }
    }
    text += QStringLiteral("\nOptions:\n");
    for (const QCommandLineOption &o : options()) {
        if (!listed.contains(o.names().constFirst()))
            text += optionLine(o, 2);
    }
    return text
        + QStringLiteral("\nThe result is printed to standard output. Each message the window would show in a box is "
                         "printed\nas one line to standard error, and the exit status is then 1.\n"
                         "The fields of --format json are described in the README.\n");
}

int printUsage(std::FILE *out, int status)
{
    std::fputs(usage().toUtf8().constData(), out);
    return status;
}

int badUsage(const QString &what)
{
    std::fprintf(stderr, "tolvane-cli: %s\n", what.toUtf8().constData());
    return printUsage(stderr, 2);
}

// The wizard's answers from the naming options; an option with a value it cannot take is bad usage.
std::optional<QString> readAnswers(const QCommandLineParser &parser, NamingAnswers &answers)
{
    const auto given = [&parser](const char *name) { return parser.isSet(option(QLatin1String(name))); };
    const auto value = [&parser](const char *name) { return parser.value(option(QLatin1String(name))); };
    if (given("length")) {
        answers.length = value("length").toInt();
        if (answers.length < 1 || answers.length > 3)
            return QStringLiteral("--length takes 1, 2 or 3");
    }
    if (given("sex")) {
        const std::optional<Sex> sex = sexFromText(value("sex"));
        if (!sex)
            return QStringLiteral("--sex takes 男 or 女");
        answers.sex = *sex;
    }
    if (given("luck")) {
        const std::optional<LuckLevel> level = luckLevelFromText(value("luck"));
        if (!level || *level == LuckLevel::Bad)
            return QStringLiteral("--luck takes 全吉 or 半吉");
        answers.luckLevel = *level;
    }
    if (given("born") && given("elements"))
        return QStringLiteral("--born and --elements cannot be given together");
    if (given("elements")) {
        const std::optional<ElementSet> elements = ElementSet::fromText(value("elements"));
        if (!elements)
            return QStringLiteral("--elements takes characters of 金木水火土");
        answers.elements = *elements;
    }
    if (given("start") || given("groups")) {
        // The advanced page checks both texts as the window does.
        answers.advanced = true;
        if (given("start"))
            answers.firstStrokes = value("start");
        if (given("groups"))
            answers.groups = value("groups");
    }
    answers.summaryOnly = given("summary-only");
    if (given("from")) {
        // 字库 names the library (suggest takes it beside the collections).
        QStringList names = value("from").split(QRegularExpression(QStringLiteral("[,，、\\s]+")), Qt::SkipEmptyParts);
        answers.libraryNamed = names.removeAll(QStringLiteral("字库")) > 0;
        answers.classics = names.isEmpty() && answers.libraryNamed ? std::nullopt
                                                                    : ClassicSet::parse(names.join(QLatin1Char(',')));
        if (!answers.classics && !(names.isEmpty() && answers.libraryNamed))
            return QStringLiteral("--from takes one or more of 诗经, 论语, 楚辞, 唐诗, 宋词, separated by commas");
    }
    if (given("surname-kind")) {
        const std::optional<SurnameKind> kind = surnameKindFromText(value("surname-kind"));
        if (!kind)
            return QStringLiteral("--surname-kind takes 单 or 复");
        answers.surnameKind = *kind;
    }
    return std::nullopt;
}

} // namespace

int CliRunner::run(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    for (const QCommandLineOption &o : options())
        parser.addOption(o);
    if (!parser.parse(arguments))
        return badUsage(parser.errorText());
    if (parser.isSet(option(QStringLiteral("help"))))
        return printUsage(stdout, 0);

    NamingAnswers answers;
    if (const std::optional<QString> wrong = readAnswers(parser, answers))
        return badUsage(*wrong);
    const QString format = parser.value(option(QStringLiteral("format")));
    if (isSet(parser, "format") && format != QLatin1String("text") && format != QLatin1String("json"))
        return badUsage(QStringLiteral("--format takes text or json"));
    const bool json = format == QLatin1String("json");

    QStringList args = parser.positionalArguments();
    if (args.isEmpty())
        return printUsage(stderr, 2);
    const QString name = args.takeFirst();
    for (const Command &command : commands()) {
        if (command.name != name || (command.argumentCount >= 0 && args.size() != command.argumentCount)
            || (command.accepts && !command.accepts(parser, args)))
            continue;
        if (json && !command.json)
            return badUsage(QStringLiteral("--format json is not available for ") + name);
        CliPrompter gatePrompter;
        const StartupPasswordGate::Source source { parser.value(option(QStringLiteral("password-file"))),
            parser.value(option(QStringLiteral("batch"))) == QLatin1String("-") };
        if (!StartupPasswordGate::unlock(SettingsStore(), source, gatePrompter))
            return 1;
        Session session(parser, answers);
        return command.run(session, args);
    }
    return badUsage(QStringLiteral("unknown command or wrong arguments: ") + (QStringList { name } + args).join(u' '));
}

} // namespace tolvane
