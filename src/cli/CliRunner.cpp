#include "cli/CliRunner.h"

#include "analysis/CompoundSurnames.h"
#include "analysis/NameBatch.h"
#include "app/AppInfo.h"
#include "app/AppPaths.h"
#include "app/Dispatcher.h"
#include "app/HeadlessView.h"
#include "app/ReadingTexts.h"
#include "app/SettingsStore.h"
#include "app/TextPane.h"
#include "birthchart/BirthChartReport.h"
#include "cli/CliPrompter.h"
#include "cli/CommandLine.h"
#include "cli/StartupPasswordGate.h"
#include "naming/NamingWizard.h"
#include "naming/SuggestionForm.h"
#include "text/PlainTextFile.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace tolvane {

namespace {

// The value of --from: 字库 names the library (suggest takes it beside the collections), the rest collections;
// nothing when a name is neither.
struct Sources {
    bool library = false;
    std::optional<ClassicSet> classics;
};
std::optional<Sources> parseSources(const QString &value)
{
    QStringList names = value.split(QRegularExpression(QStringLiteral("[,，、\\s]+")), Qt::SkipEmptyParts);
    Sources sources;
    sources.library = names.removeAll(QStringLiteral("字库")) > 0;
    if (names.isEmpty())
        return sources.library ? std::optional(sources) : std::nullopt;
    sources.classics = ClassicSet::parse(names.join(QLatin1Char(',')));
    return sources.classics ? std::optional(sources) : std::nullopt;
}

// The options with the types of their values, in the order the help lists them; commands name the ones that
// concern them alone. A new option is one row here; the parser checks its value by its type and the help
// lists it with its values and default.
const std::vector<CliOption> &options()
{
    static const std::vector<CliOption> list {
        CliOption::flag(QStringLiteral("summary-only"), QStringLiteral("只列出良好的笔画配置，不在字库中找字")),
        CliOption::number(QStringLiteral("length"), QStringLiteral("N"), QStringLiteral("名字的字数"), 1, 3,
            QStringLiteral("2")),
        CliOption::choice(QStringLiteral("sex"), QStringLiteral("SEX"), QStringLiteral("男性名或女性名"),
            { QStringLiteral("男"), QStringLiteral("女") }, QStringLiteral("男")),
        CliOption::choice(QStringLiteral("luck"), QStringLiteral("LEVEL"),
            QStringLiteral("全吉：各格都须吉；半吉：也容许半吉"), { QStringLiteral("全吉"), QStringLiteral("半吉") },
            QStringLiteral("半吉")),
        CliOption::text(QStringLiteral("elements"), QStringLiteral("ELEMENTS"),
            QStringLiteral("希望名字所属的五行，由金木水火土中的字组成"), QStringLiteral("金木水火土"),
            [](const QString &value) -> std::optional<QString> {
                if (ElementSet::fromText(value))
                    return std::nullopt;
                return QStringLiteral("选项 --elements 的值只能由金木水火土中的字组成，而不是“%1”。").arg(value);
            }),
        CliOption::text(QStringLiteral("born"), QStringLiteral("TIME"),
            QStringLiteral("孩子的出生时间，北京时间 \"YYYY-MM-DD HH:MM\"：按其生辰八字建议的五行选字（即 bazi "
                           "所示），代替 --elements；结果开头列出四柱、所用五行及理由")),
        CliOption::number(QStringLiteral("start"), QStringLiteral("N"),
            QStringLiteral("名字第一个字从多少画找起"), 1, 29, QStringLiteral("1")),
        CliOption::number(QStringLiteral("groups"), QStringLiteral("N"),
            QStringLiteral("找出几组名字，王-明 这样固定一字的取名也用；与窗口启动时相同，次数不保存"), 1, 20,
            QStringLiteral("6")),
        CliOption::text(QStringLiteral("from"), QStringLiteral("COLLECTIONS"),
            QStringLiteral("不用字库，从典籍的诗文中取名：诗经、论语、楚辞、孟子、大学、中庸、唐诗、宋词、宋诗中的一部或几部，以逗号隔开；"
                           "每个名字附上它出自的诗句。推荐名字（suggest）时还可写 字库，与典籍一同取名；不给出时为字库和全部典籍"),
            {},
            [](const QString &value) -> std::optional<QString> {
                if (parseSources(value))
                    return std::nullopt;
                return QStringLiteral("选项 --from 的值应为诗经、论语、楚辞、孟子、大学、中庸、唐诗、宋词、宋诗中的一部或几部，以逗号隔开，"
                                      "而不是“%1”。")
                    .arg(value);
            }),
        CliOption::number(QStringLiteral("count"), QStringLiteral("N"), QStringLiteral("推荐几个名字"), 1, 500,
            QStringLiteral("50")),
        CliOption::text(QStringLiteral("exclude"), QStringLiteral("CHARS"),
            QStringLiteral("推荐名字中不用的字，如长辈名字中的字、不喜欢的字")),
        CliOption::text(QStringLiteral("include"), QStringLiteral("CHAR"),
            QStringLiteral("推荐的每个名字都要有的一个字（如辈分字）")),
        CliOption::number(QStringLiteral("min-strokes"), QStringLiteral("N"),
            QStringLiteral("名字中每个字最少的笔画数"), 1, 30, QStringLiteral("不限")),
        CliOption::number(QStringLiteral("max-strokes"), QStringLiteral("N"),
            QStringLiteral("名字中每个字最多的笔画数"), 1, 30, QStringLiteral("不限")),
        CliOption::choice(QStringLiteral("surname-kind"), QStringLiteral("KIND"),
            QStringLiteral("回答姓氏是单姓还是复姓；不给出时同窗口的预选：以欧阳、司马等所列复姓开头的姓名为复，"
                           "否则为单"),
            { QStringLiteral("单"), QStringLiteral("复") }),
        CliOption::text(QStringLiteral("longitude"), QStringLiteral("DEGREES"),
            QStringLiteral("出生地的东经度数（西经为负），用于真太阳时")),
        CliOption::text(QStringLiteral("utc-offset"), QStringLiteral("ZONE"),
            QStringLiteral("出生时间所用的时区，如 +09:00"), QStringLiteral("+08:00，北京时间")),
        CliOption::flag(QStringLiteral("late-zi-same-day"),
            QStringLiteral("子时的另一派算法：23 点到午夜的日柱仍取当日（夜子时）；不给出时 23 点起算作次日")),
        CliOption::text(QStringLiteral("batch"), QStringLiteral("FILE"),
            QStringLiteral("分析文件 FILE 中的每个姓名，代替 NAME（- 为标准输入）：一行一个姓名，可在制表符后写单或复。"
                           "每行印一行结果；不能分析的行印出错误，接着分析下一行；有一行出错，退出状态就是 1")),
        CliOption::choice(QStringLiteral("encoding"), QStringLiteral("ENCODING"),
            QStringLiteral("姓名文件（--batch）的编码；不给出时自动判断：以 UTF-16 字节顺序标记开头的是 UTF-16，"
                           "是有效 UTF-8 的是 UTF-8，其余是 GB18030（GBK）"),
            { QStringLiteral("utf-8"), QStringLiteral("gb18030"), QStringLiteral("utf-16") }),
        CliOption::choice(QStringLiteral("format"), QStringLiteral("FORMAT"),
            QStringLiteral("text 印出结果窗格的文字，json 把每个结果印成一行 JSON 对象（--batch 每个姓名一行）；"
                           "用于 name、analyze、strokes-report、company 和 lookup"),
            { QStringLiteral("text"), QStringLiteral("json") }, QStringLiteral("text")),
        CliOption::text(QStringLiteral("rtf"), QStringLiteral("FILE"),
            QStringLiteral("另把结果写成 RTF 文件 FILE，与窗口保存的 name.rtf 完全相同；FILE 为 - 时把 RTF 印到标准输出，代替文字")),
        CliOption::text(QStringLiteral("password-file"), QStringLiteral("FILE"),
            QStringLiteral("启动密码（在窗口中设置的）取自文件 FILE 的第一行；不给出时在终端上询问（输入不显示），"
                           "或读标准输入的第一行。没有正确的密码，什么命令都不运行")),
        CliOption::flag(QStringLiteral("version"), QStringLiteral("印出版本号")),
        [] {
            CliOption help = CliOption::flag(QStringLiteral("help"), QStringLiteral("印出本帮助"));
            help.shortName = QStringLiteral("h");
            return help;
        }(),
    };
    return list;
}

const CliOption &option(const QString &name)
{
    for (const CliOption &o : options()) {
        if (o.name == name)
            return o;
    }
    // Only the names of the table above are asked for.
    Q_ASSERT_X(false, "option", qPrintable(name));
    return options().back();
}

// Everything the command line says on standard error goes through here: one line, with whatever control
// characters the input brought shown as escapes.
void printError(const QString &text)
{
    std::fprintf(stderr, "%s\n", escapedForTerminal(text).toUtf8().constData());
}

void printJson(const QJsonObject &fields)
{
    const QByteArray line = QJsonDocument(fields).toJson(QJsonDocument::Compact) + '\n';
    std::fwrite(line.constData(), 1, std::size_t(line.size()), stdout);
}

// What a command runs with: the parsed options and the controller the window uses, over a pane and a view
// without a window and a prompter that answers from the options.
struct Session {
    const CliArguments &given;
    NamingAnswers answers;
    TextPane pane;
    HeadlessView view;
    CliPrompter prompter;
    Dispatcher dispatcher;

    bool json;
    // --rtf -: the RTF takes the text's place on standard output.
    bool rtfToStandardOutput;

    Session(const CliArguments &given, const NamingAnswers &answers)
        : given(given)
        , answers(answers)
        , prompter(answers)
        , dispatcher(AppPaths::forExecutable(), pane, view, prompter)
        , json(given.value(QStringLiteral("format")) == QLatin1String("json"))
        , rtfToStandardOutput(given.value(QStringLiteral("rtf")) == QLatin1String("-"))
    {
        dispatcher.setResultPath(
            rtfToStandardOutput ? QStringLiteral("/dev/stdout") : given.value(QStringLiteral("rtf")));
        dispatcher.setResultFieldsWanted(json);
    }

    // Prints the pane with LF line breaks, or with --format json the result's fields as one JSON object; status
    // lines go to standard error. The exit status is 1 when a message box or a status line was shown, and then
    // no JSON is printed: a run that had to say something gave no result a program could take as whole.
    int printPane()
    {
        const int status = prompter.messageCount() > 0 || !view.statusMessages.isEmpty() ? 1 : 0;
        if (json) {
            const QJsonObject &fields = dispatcher.state().resultFields;
            if (!fields.isEmpty() && status == 0)
                printJson(fields);
        } else if (QString text = pane.text(); !rtfToStandardOutput && !text.isEmpty()) {
            text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            if (!text.endsWith(QLatin1Char('\n')))
                text += QLatin1Char('\n');
            std::fputs(text.toUtf8().constData(), stdout);
        }
        for (const QString &line : std::as_const(view.statusMessages))
            printError(line);
        return status;
    }

    int execute(Function function, const QString &name, std::optional<Lookup> lookup = {}, const QString &other = {})
    {
        dispatcher.execute({ function, name, lookup, other });
        return printPane();
    }
};

// One command: its name, the names of its arguments, what it does, the options that concern it alone, how
// many arguments it takes (-1: as check decides), whether it can print JSON, and how it runs, returning the
// exit status. check, where given, looks at the arguments before anything runs and gives the usage error.
struct Command {
    QString name;
    QString arguments;
    QString description;
    QStringList options;
    int argumentCount;
    bool json;
    std::function<int(Session &, const QStringList &)> run;
    std::function<std::optional<QString>(const CliArguments &, const QStringList &)> check = {};
};

// The birth as the lookup box reads it: the typed time, then the longitude and the zone of their options, each
// checked on its own so that its message names it. Nothing (the message shown) when an option is wrong.
std::optional<QString> birthLine(const CliArguments &given, const QString &time, CliPrompter &prompter)
{
    QString line = time;
    const auto reject = [&prompter](const UserMessage &message) {
        prompter.showMessage(message);
        return std::nullopt;
    };
    if (given.isSet(QStringLiteral("longitude"))) {
        const ParsedInput<double> longitude = parseLongitude(given.value(QStringLiteral("longitude")));
        if (!longitude.value)
            return reject(*longitude.rejection);
        line += QLatin1Char(' ') + QString::number(*longitude.value, 'g', 12);
    }
    if (given.isSet(QStringLiteral("utc-offset"))) {
        const ParsedInput<int> offset = parseUtcOffset(given.value(QStringLiteral("utc-offset")));
        if (!offset.value)
            return reject(*offset.rejection);
        line += QLatin1Char(' ') + utcOffsetText(*offset.value);
    }
    if (given.isSet(QStringLiteral("late-zi-same-day")))
        line += QLatin1Char(' ') + lateZiWord();
    return line;
}

// Whether a file name leads to this process's standard input: "-", or a path to the very file or pipe standard
// input is (/dev/stdin, /proc/self/fd/0, the file it was redirected from).
bool namesStandardInput(const QString &file)
{
    if (file == QLatin1String("-"))
        return true;
    struct stat input {};
    struct stat named {};
    return ::fstat(STDIN_FILENO, &input) == 0 && ::stat(QFile::encodeName(file).constData(), &named) == 0
        && input.st_dev == named.st_dev && input.st_ino == named.st_ino;
}

// The lines of a batch file, in the encoding --encoding names or else as guessed; nothing (the message printed)
// when the bytes are not text in the named encoding.
std::optional<QStringList> batchLines(const Session &s, const QString &file, const QByteArray &bytes)
{
    if (!s.given.isSet(QStringLiteral("encoding")))
        return NameBatch::lines(bytes);
    const QString name = s.given.value(QStringLiteral("encoding"));
    const TextEncoding encoding = name == QLatin1String("utf-8") ? TextEncoding::Utf8
        : name == QLatin1String("utf-16")                        ? TextEncoding::Utf16
                                                                 : TextEncoding::Gb18030;
    const std::optional<QString> text = PlainTextFile::decodeAs(bytes, encoding);
    if (!text) {
        const QString source = file == QLatin1String("-") ? QStringLiteral("标准输入")
                                                          : QStringLiteral("姓名文件“%1”").arg(file);
        printError(QStringLiteral("%1不是 %2 编码的文本。").arg(source, name.toUpper()));
        return std::nullopt;
    }
    return NameBatch::splitLines(*text);
}

// The questions of suggest (and compare) from the options, whose values the parser has checked by their types;
// false, the message shown, when a value is wrong.
bool suggestionAnswers(Session &s, SuggestionForm &form)
{
    SuggestionRequest &r = form.request;
    r.sex = s.answers.sex;
    r.nameLength = s.answers.length;
    r.elements = s.answers.elements;
    const bool from = s.given.isSet(QStringLiteral("from"));
    r.fromLibrary = !from || s.answers.libraryNamed;
    r.classics = from ? s.answers.classics : std::optional<ClassicSet>(ClassicSet::all());
    if (s.given.isSet(QStringLiteral("born"))) {
        const std::optional<QString> birth = birthLine(s.given, s.given.value(QStringLiteral("born")), s.prompter);
        if (!birth)
            return false;
        form.birth = *birth;
    }
    if (s.given.isSet(QStringLiteral("count")))
        r.count = s.given.value(QStringLiteral("count")).toInt();
    if (s.given.isSet(QStringLiteral("min-strokes")))
        r.minStrokes = s.given.value(QStringLiteral("min-strokes")).toInt();
    if (s.given.isSet(QStringLiteral("max-strokes")))
        r.maxStrokes = s.given.value(QStringLiteral("max-strokes")).toInt();
    if (r.minStrokes > 0 && r.maxStrokes > 0 && r.minStrokes > r.maxStrokes) {
        s.prompter.showMessage(
            UserMessage::warning(QStringLiteral("每个字的最少、最多笔画数须在1到30之间，且最少不大于最多。")));
        return false;
    }
    r.exclude = s.given.value(QStringLiteral("exclude")).trimmed();
    r.include = s.given.value(QStringLiteral("include")).trimmed();
    return true;
}

// analyze --batch: every line of the file through one NameBatch, each result printed as it comes.
int runBatch(Session &s)
{
    const QString file = s.given.value(QStringLiteral("batch"));
    QByteArray bytes;
    QFile in;
    const bool opened = file == QLatin1String("-") ? in.open(stdin, QIODevice::ReadOnly)
                                                   : (in.setFileName(file), in.open(QIODevice::ReadOnly));
    if (opened)
        bytes = in.readAll();
    if (!opened || in.error() != QFileDevice::NoError) {
        printError(file != QLatin1String("-") && !QFileInfo(file).isFile()
                ? QStringLiteral("找不到姓名文件“%1”。").arg(file)
                : QStringLiteral("无法读取姓名文件“%1”。").arg(file));
        return 1;
    }
    const std::optional<QStringList> lines = batchLines(s, file, bytes);
    if (!lines)
        return 1;

    Outcome<NameBatch> batch = NameBatch::open(s.dispatcher.paths().library(),
        CompoundSurnames::read(s.dispatcher.paths().compoundSurnamesPath()),
        s.json ? NameSoundChecker::load(s.dispatcher.paths().nameSoundPath()) : std::nullopt);
    if (!batch.value) {
        for (const UserMessage &message : std::as_const(batch.messages))
            s.prompter.showMessage(message);
        return 1;
    }
    bool failed = false;
    QByteArray out;
    for (qsizetype i = 0; i < lines->size(); ++i) {
        const NameBatch::Result result = batch.value->analyze(int(i + 1), lines->at(i), s.answers.surnameKind);
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

QStringList lookupKinds()
{
    QStringList kinds;
    for (const LookupRow &row : FunctionTable::lookups())
        kinds.append(QLatin1String(row.commandName));
    return kinds;
}

QString lookupDescription()
{
    QStringList kinds;
    for (const LookupRow &row : FunctionTable::lookups())
        kinds.append(QStringLiteral("%1（%2）").arg(QLatin1String(row.commandName), QString::fromUtf16(row.caption)));
    return QStringLiteral("其他功能中的查询，KIND 为 ") + kinds.join(QStringLiteral("、"));
}

// The commands, in the order the help lists them. A new command is one more row: its name, the names of its
// arguments as the help shows them, what it does, the options that concern it alone, how many arguments it
// takes, whether it prints JSON, and the function that runs it through the session's dispatcher. Its help,
// its usage errors and the password gate come from the row; a new option goes into options() above.
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
            QStringLiteral("个人起名：为姓氏找出良好的笔画配置和字库中合适的字；王-明 或 王明- 固定名字中的一个字，"
                           "找另一个"),
            naming, 1, true,
            [](Session &s, const QStringList &args) {
                // The group count reaches fixed-character naming, which has no advanced page, as the count an
                // earlier run of the window's advanced page left.
                // --born: the elements of the birth chart, as the wizard's birth time ticks them.
                if (s.given.isSet(QStringLiteral("born"))) {
                    const std::optional<QString> birth
                        = birthLine(s.given, s.given.value(QStringLiteral("born")), s.prompter);
                    if (!birth)
                        return s.printPane();
                    const ParsedInput<BirthElementAdvice> advice = adviseElementsForBirth(*birth);
                    if (!advice.value) {
                        s.prompter.showMessage(*advice.rejection);
                        return s.printPane();
                    }
                    s.prompter.useElements(
                        advice.value->elements, ChartPreface { advice.value->header, advice.value->headerFields });
                }
                if (s.given.isSet(QStringLiteral("groups"))) {
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
            QStringLiteral("推荐名字：在姓氏的每个良好笔画配置中挑出整个名字，按数理、五行、读音和字义评分排列，"
                           "每个名字附上理由、五格和字义"),
            suggestOptions, 1, true,
            [](Session &s, const QStringList &args) {
                SuggestionForm form;
                if (!suggestionAnswers(s, form))
                    return s.printPane();
                s.prompter.useSuggestionAnswers(form);
                return s.execute(Function::SuggestedNames, args.at(0));
            } },
        { QStringLiteral("compare"), QStringLiteral("NAME NAME..."),
            QStringLiteral("名字比较：把两到五个全名的五格、吉凶、三才、五行、读音、字义和评分并列成一张表，"
                           "评法与推荐名字相同"),
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
            [](const CliArguments &, const QStringList &args) -> std::optional<QString> {
                if (args.size() < 2 || args.size() > 5)
                    return QStringLiteral("compare 要两到五个全名。");
                return std::nullopt;
            } },
        { QStringLiteral("analyze"), QStringLiteral("NAME"),
            QStringLiteral("姓名分析：分析两到四个字的全名，或用 --batch 分析文件中的每个姓名"),
            { QStringLiteral("surname-kind"), QStringLiteral("batch"), QStringLiteral("encoding") }, -1, true,
            [](Session &s, const QStringList &args) {
                return s.given.isSet(QStringLiteral("batch")) ? runBatch(s)
                                                              : s.execute(Function::NameAnalysis, args.at(0));
            },
            [](const CliArguments &given, const QStringList &args) -> std::optional<QString> {
                if (!given.isSet(QStringLiteral("batch")))
                    return args.size() == 1 ? std::nullopt : std::optional(QStringLiteral("analyze 要一个姓名。"));
                if (!args.isEmpty())
                    return QStringLiteral("analyze 用 --batch 分析姓名文件时，不再给出姓名。");
                if (given.isSet(QStringLiteral("rtf")))
                    return QStringLiteral("--batch 的结果不写 RTF 文件，请去掉 --rtf。");
                return std::nullopt;
            } },
        { QStringLiteral("strokes-report"), QStringLiteral("\"5 8 12\""),
            QStringLiteral("姓名笔画数：由输入的各字笔画数作出姓名分析报告"),
            { QStringLiteral("surname-kind") }, 1, true,
            [](Session &s, const QStringList &args) {
                return s.execute(Function::OtherFunctions, {}, Lookup::StrokeNumbers, args.at(0));
            } },
        { QStringLiteral("company"), QStringLiteral("NAME"), QStringLiteral("公司名分析"), {}, 1, true,
            [](Session &s, const QStringList &args) { return s.execute(Function::CompanyAnalysis, args.at(0)); } },
        { QStringLiteral("lookup"), QStringLiteral("KIND INPUT"), lookupDescription(), {}, 2, true,
            [](Session &s, const QStringList &args) {
                return s.execute(
                    Function::OtherFunctions, {}, FunctionTable::lookupFromCommandName(args.at(0)), args.at(1));
            },
            [](const CliArguments &, const QStringList &args) -> std::optional<QString> {
                if (FunctionTable::lookupFromCommandName(args.at(0)))
                    return std::nullopt;
                return QStringLiteral("没有“%1”这种查询；种类有 %2。")
                    .arg(args.at(0), lookupKinds().join(QStringLiteral("、")));
            } },
        { QStringLiteral("bazi"), QStringLiteral("\"YYYY-MM-DD HH:MM\""),
            QStringLiteral("生辰八字：北京时间出生时刻的四柱、八字的五行，和建议名字所用的五行"),
            { QStringLiteral("longitude"), QStringLiteral("utc-offset"), QStringLiteral("late-zi-same-day") }, 1, true,
            [](Session &s, const QStringList &args) {
                const std::optional<QString> birth = birthLine(s.given, args.at(0), s.prompter);
                if (!birth)
                    return s.printPane();
                return s.execute(Function::OtherFunctions, {}, Lookup::BirthChart, *birth);
            } },
        { QStringLiteral("correct"), QStringLiteral("CHAR STROKES"),
            QStringLiteral("修改字库：把字库中 CHAR 字的笔画数改为 STROKES，以后每次运行（窗口也一样）都用它；负数前"
                           "先写 --"),
            {}, 2, false,
            [](Session &s, const QStringList &args) {
                const std::optional<QString> done = s.dispatcher.correctStrokes(args.at(0), args.at(1));
                if (done)
                    std::fprintf(stdout, "%s\n", done->toUtf8().constData());
                return done ? 0 : 1;
            } },
        { QStringLiteral("read"), QStringLiteral("KEY"),
            QStringLiteral("印出造命篇的一篇文章，KEY 为 ") + ReadingTexts::keys().join(QStringLiteral("、")), {}, 1,
            false,
            [](Session &s, const QStringList &args) {
                s.dispatcher.showReadingText(args.at(0));
                const int status = s.printPane();
                return status == 0 && s.pane.text().isEmpty() ? 1 : status;
            },
            [](const CliArguments &, const QStringList &args) -> std::optional<QString> {
                if (ReadingTexts::keys().contains(args.at(0)))
                    return std::nullopt;
                return QStringLiteral("没有“%1”这篇文章；篇名有 %2。")
                    .arg(args.at(0), ReadingTexts::keys().join(QStringLiteral("、")));
            } },
    };
    return list;
}

const QString &usageLine()
{
    static const QString line = QStringLiteral("用法：tolvane-cli 命令 参数 [选项]");
    return line;
}

// The help, from the tables above.
QString usage()
{
    QString text = usageLine() + QStringLiteral("\n\n命令：\n");
    QStringList listed;
    for (const Command &c : commands()) {
        text += helpColumns(c.name + QLatin1Char(' ') + c.arguments, c.description, 2);
        for (const QString &name : c.options) {
            if (!listed.contains(name))
                text += optionHelp(option(name), 6);
            listed.append(name);
        }
    }
    text += QStringLiteral("\n选项：\n");
    for (const CliOption &o : options()) {
        if (!listed.contains(o.name))
            text += optionHelp(o, 2);
    }
    const QString closing = QStringLiteral(
        "结果印在标准输出上。窗口在对话框中显示的消息，在标准错误上印成一行，退出状态为 1；命令行有误时退出状态为 "
        "2。--format json 的各字段见 README。");
    return text + QLatin1Char('\n') + helpText(closing) + QLatin1Char('\n');
}

int printUsage(std::FILE *out, int status)
{
    std::fputs(usage().toUtf8().constData(), out);
    return status;
}

// A wrong command line: what is wrong, and where the help is. Exit status 2.
int badUsage(const QString &what)
{
    printError(QStringLiteral("tolvane-cli：") + what);
    printError(usageLine() + QStringLiteral("；全部命令和选项见 tolvane-cli --help。"));
    return 2;
}

// The wizard's answers from the naming options, whose values the parser has checked by their types.
std::optional<QString> readAnswers(const CliArguments &given, NamingAnswers &answers)
{
    const auto isSet = [&given](const char *name) { return given.isSet(QLatin1String(name)); };
    const auto value = [&given](const char *name) { return given.value(QLatin1String(name)); };
    if (isSet("length"))
        answers.length = value("length").toInt();
    if (isSet("sex"))
        answers.sex = sexFromText(value("sex")).value_or(Sex::Male);
    if (isSet("luck"))
        answers.luckLevel = luckLevelFromText(value("luck")).value_or(LuckLevel::Half);
    if (isSet("born") && isSet("elements"))
        return QStringLiteral("选项 --born 和 --elements 不能同时给出。");
    if (isSet("elements"))
        answers.elements = ElementSet::fromText(value("elements")).value_or(ElementSet::all());
    if (isSet("start") || isSet("groups")) {
        // The advanced page checks both texts as the window does.
        answers.advanced = true;
        if (isSet("start"))
            answers.firstStrokes = value("start");
        if (isSet("groups"))
            answers.groups = value("groups");
    }
    answers.summaryOnly = isSet("summary-only");
    if (isSet("from")) {
        const std::optional<Sources> sources = parseSources(value("from")); // checked by the option's type
        answers.libraryNamed = sources && sources->library;
        answers.classics = sources ? sources->classics : std::nullopt;
    }
    if (isSet("surname-kind"))
        answers.surnameKind = surnameKindFromText(value("surname-kind"));
    return std::nullopt;
}

} // namespace

int CliRunner::run(const QStringList &arguments)
{
    const CliParse parse = parseCommandLine(arguments.mid(1), options());
    if (parse.error)
        return badUsage(*parse.error);
    const CliArguments &given = parse.arguments;
    if (given.isSet(QStringLiteral("help")))
        return printUsage(stdout, 0);
    if (given.isSet(QStringLiteral("version"))) {
        std::printf("tolvane-cli %d.%d\n", AppInfo::majorVersion(), AppInfo::minorVersion());
        return 0;
    }

    NamingAnswers answers;
    if (const std::optional<QString> wrong = readAnswers(given, answers))
        return badUsage(*wrong);
    const bool json = given.value(QStringLiteral("format")) == QLatin1String("json");
    if (json && given.value(QStringLiteral("rtf")) == QLatin1String("-"))
        return badUsage(QStringLiteral("--rtf - 和 --format json 都要印到标准输出，不能同时给出。"));

    QStringList args = given.positional;
    if (args.isEmpty())
        return printUsage(stderr, 2);
    const QString name = args.takeFirst();
    const auto command = std::find_if(
        commands().cbegin(), commands().cend(), [&name](const Command &c) { return c.name == name; });
    if (command == commands().cend())
        return badUsage(QStringLiteral("没有“%1”这个命令。").arg(name));
    if (command->argumentCount >= 0 && args.size() != command->argumentCount)
        return badUsage(QStringLiteral("%1 的参数不对，应为：tolvane-cli %1 %2").arg(name, command->arguments));
    if (command->check) {
        if (const std::optional<QString> wrong = command->check(given, args))
            return badUsage(*wrong);
    }
    if (json && !command->json)
        return badUsage(QStringLiteral("%1 没有 JSON 输出。").arg(name));
    if (given.isSet(QStringLiteral("encoding")) && !given.isSet(QStringLiteral("batch")))
        return badUsage(QStringLiteral("选项 --encoding 只用于 --batch 的姓名文件。"));

    CliPrompter gatePrompter;
    const StartupPasswordGate::Source source { given.value(QStringLiteral("password-file")),
        given.isSet(QStringLiteral("batch")) && namesStandardInput(given.value(QStringLiteral("batch"))) };
    if (!StartupPasswordGate::unlock(SettingsStore(), source, gatePrompter))
        return 1;
    Session session(given, answers);
    return command->run(session, args);
}

} // namespace tolvane
