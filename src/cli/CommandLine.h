#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace tolvane {

// Text bound for a terminal: control characters, line breaks and the invisible marks that reorder or hide
// text (right-to-left overrides, zero-width characters) are shown as escapes (\n, \x1b, \u202e), so that a
// message is one line and shows what was typed rather than doing it.
QString escapedForTerminal(const QString &text);

// The columns a text takes on a terminal: Chinese and other wide characters take two.
int terminalWidth(const QString &text);

// Breaks text into lines of at most width columns: at blanks, and between Chinese characters except before
// closing punctuation (，。、）…) or after opening punctuation (（“…).
QStringList wrapForTerminal(const QString &text, int width);

// One option of the command line with the type of its value. The type checks the value before anything runs
// and gives the help its list of values, range and default.
struct CliOption {
    enum class Kind {
        Flag,   // no value
        Text,   // any text, or what check accepts
        Number, // a whole number from minimum to maximum
        Choice, // one of choices (Latin letters in any case)
    };
    QString name;      // the long name, without its dashes
    QString shortName; // one letter, or empty
    Kind kind = Kind::Flag;
    QString valueName; // what the help calls the value
    QString description;
    QString defaultValue; // shown in the help; empty: none
    int minimum = 0;
    int maximum = 0;
    QStringList choices;
    // For a text: the usage error when the value cannot be taken.
    std::function<std::optional<QString>(const QString &)> check = {};

    static CliOption flag(const QString &name, const QString &description)
    {
        CliOption o;
        o.name = name;
        o.description = description;
        return o;
    }
    static CliOption text(const QString &name, const QString &valueName, const QString &description,
        const QString &defaultValue = {}, std::function<std::optional<QString>(const QString &)> check = {})
    {
        CliOption o = flag(name, description);
        o.kind = Kind::Text;
        o.valueName = valueName;
        o.defaultValue = defaultValue;
        o.check = std::move(check);
        return o;
    }
    static CliOption number(const QString &name, const QString &valueName, const QString &description,
        int minimum, int maximum, const QString &defaultValue)
    {
        CliOption o = text(name, valueName, description, defaultValue);
        o.kind = Kind::Number;
        o.minimum = minimum;
        o.maximum = maximum;
        return o;
    }
    static CliOption choice(const QString &name, const QString &valueName, const QString &description,
        const QStringList &choices, const QString &defaultValue = {})
    {
        CliOption o = text(name, valueName, description, defaultValue);
        o.kind = Kind::Choice;
        o.choices = choices;
        return o;
    }
};

// A command line parsed against its options: the arguments that are not options, and the value of each option
// given (the last one when given twice; empty for a flag). A choice holds the choice as listed, a number its
// decimal digits.
struct CliArguments {
    QStringList positional;
    QHash<QString, QString> values;

    bool isSet(const QString &name) const { return values.contains(name); }
    QString value(const QString &name) const { return values.value(name); }
};

// Parses arguments (without the program's name): --name VALUE, --name=VALUE, -x VALUE; "--" ends the options;
// "-" alone is an argument. On a wrong option or value, the usage error as a Chinese sentence.
struct CliParse {
    CliArguments arguments;
    std::optional<QString> error;
};
CliParse parseCommandLine(const QStringList &arguments, const std::vector<CliOption> &options);

// One option's lines in the help: its names and value on the left, from indent on, and its description with the
// values it takes in the column on the right.
QString optionHelp(const CliOption &option, int indent);
// A paragraph of the help, wrapped to the terminal's width.
QString helpText(const QString &text);
// Two columns of the help: left from indent, right wrapped in its column.
QString helpColumns(const QString &left, const QString &right, int indent);

} // namespace tolvane
