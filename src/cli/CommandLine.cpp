#include "cli/CommandLine.h"

#include <QRegularExpression>

namespace tolvane {

namespace {

constexpr int kHelpColumn = 30;

// The help's width: the terminal's (COLUMNS), else 80. help2man asks for a very wide help to wrap the lines
// itself.
int helpWidth()
{
    const int columns = qEnvironmentVariableIntValue("COLUMNS");
    return columns >= 60 ? columns : 80;
}

bool isWide(char32_t c)
{
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0x303E) || (c >= 0x3041 && c <= 0x33FF)
        || (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xA000 && c <= 0xA4CF)
        || (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F)
        || (c >= 0xFF00 && c <= 0xFF60) || (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

// Punctuation a line may not begin with, and punctuation a line may not end with.
bool closes(char32_t c)
{
    return QStringView(u"，。、；：？！）》」』”’…").contains(QChar(c));
}

bool opens(char32_t c)
{
    return QStringView(u"（《「『“‘").contains(QChar(c));
}

QString fromCodePoint(char32_t c)
{
    return QString::fromUcs4(&c, 1);
}

// "a、b、c" for a list of values.
QString listed(const QStringList &values)
{
    return values.join(QStringLiteral("、"));
}

} // namespace

QString escapedForTerminal(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const char32_t c : text.toUcs4()) {
        if (c == u'\n') {
            out += QStringLiteral("\\n");
        } else if (c == u'\r') {
            out += QStringLiteral("\\r");
        } else if (c == u'\t') {
            out += QStringLiteral("\\t");
        } else if (c < 0x20 || c == 0x7F || (c >= 0x80 && c <= 0x9F)) {
            out += QStringLiteral("\\x%1").arg(uint(c), 2, 16, QLatin1Char('0'));
        } else if (const QChar::Category category = QChar::category(c); category == QChar::Other_Format
                   || category == QChar::Separator_Line || category == QChar::Separator_Paragraph
                   || category == QChar::Other_Surrogate) {
            // Direction overrides and isolates, zero-width characters, the line and paragraph separators.
            out += c > 0xFFFF ? QStringLiteral("\\U%1").arg(uint(c), 8, 16, QLatin1Char('0'))
                              : QStringLiteral("\\u%1").arg(uint(c), 4, 16, QLatin1Char('0'));
        } else {
            out += fromCodePoint(c);
        }
    }
    return out;
}

int terminalWidth(const QString &text)
{
    int width = 0;
    for (const char32_t c : text.toUcs4())
        width += isWide(c) ? 2 : 1;
    return width;
}

QStringList wrapForTerminal(const QString &text, int width)
{
    // Pieces that stay on one line: a word of narrow characters, or one wide character; blankBefore says whether
    // a blank stood before the piece.
    struct Piece {
        QString text;
        bool blankBefore = false;
    };
    QList<Piece> pieces;
    bool blank = false;
    bool glue = false; // the next piece joins the last one: after opening punctuation
    for (const char32_t c : text.toUcs4()) {
        if (c == u' ') {
            blank = true;
            glue = false;
            continue;
        }
        const bool wide = isWide(c);
        const bool joinsLast = !pieces.isEmpty() && !blank
            && (glue || closes(c) || (!wide && !isWide(pieces.constLast().text.toUcs4().constLast())));
        if (joinsLast)
            pieces.last().text += fromCodePoint(c);
        else
            pieces.append({ fromCodePoint(c), blank });
        blank = false;
        glue = opens(c);
    }

    QStringList lines;
    QString line;
    int used = 0;
    for (const Piece &piece : std::as_const(pieces)) {
        const int pieceWidth = terminalWidth(piece.text);
        const int needed = (line.isEmpty() || !piece.blankBefore ? 0 : 1) + pieceWidth;
        if (!line.isEmpty() && used + needed > width) {
            lines.append(line);
            line.clear();
            used = 0;
        }
        if (!line.isEmpty() && piece.blankBefore) {
            line += QLatin1Char(' ');
            ++used;
        }
        line += piece.text;
        used += pieceWidth;
    }
    if (!line.isEmpty() || lines.isEmpty())
        lines.append(line);
    return lines;
}

CliParse parseCommandLine(const QStringList &arguments, const std::vector<CliOption> &options)
{
    CliParse parse;
    const auto fail = [&parse](const QString &error) {
        parse.error = error;
        return parse;
    };
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (optionsEnded || argument == QLatin1String("-") || !argument.startsWith(QLatin1Char('-'))) {
            parse.arguments.positional.append(argument);
            continue;
        }
        if (argument == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        const bool isLong = argument.startsWith(QLatin1String("--"));
        QString name = argument.mid(isLong ? 2 : 1);
        std::optional<QString> inlineValue;
        if (const qsizetype equals = name.indexOf(QLatin1Char('=')); isLong && equals >= 0) {
            inlineValue = name.mid(equals + 1);
            name.truncate(equals);
        }
        const QString given = (isLong ? QStringLiteral("--") : QStringLiteral("-")) + name;
        const CliOption *option = nullptr;
        for (const CliOption &o : options) {
            if (isLong ? o.name == name : (!o.shortName.isEmpty() && o.shortName == name))
                option = &o;
        }
        if (!option) {
            if (!isLong && !name.isEmpty() && name.at(0).isDigit())
                return fail(QStringLiteral("没有 %1 这个选项；负数请写在 -- 之后，如 correct 王 -- %1。").arg(given));
            return fail(QStringLiteral("没有 %1 这个选项。").arg(given));
        }
        if (option->kind == CliOption::Kind::Flag) {
            if (inlineValue)
                return fail(QStringLiteral("选项 %1 不带值。").arg(given));
            parse.arguments.values.insert(option->name, QString());
            continue;
        }
        if (!inlineValue && i + 1 >= arguments.size())
            return fail(QStringLiteral("选项 %1 后面缺少值 %2。").arg(given, option->valueName));
        const QString value = inlineValue ? *inlineValue : arguments.at(++i);

        switch (option->kind) {
        case CliOption::Kind::Flag:
            break;
        case CliOption::Kind::Text:
            if (option->check) {
                if (const std::optional<QString> wrong = option->check(value))
                    return fail(*wrong);
            }
            parse.arguments.values.insert(option->name, value);
            break;
        case CliOption::Kind::Number: {
            static const QRegularExpression digits(QStringLiteral("^[+-]?[0-9]+$"));
            const QString trimmed = value.trimmed();
            if (!digits.match(trimmed).hasMatch())
                return fail(QStringLiteral("选项 %1 的值应为 %2 至 %3 之间的整数，而不是“%4”。")
                                .arg(given)
                                .arg(option->minimum)
                                .arg(option->maximum)
                                .arg(value));
            bool fits = false;
            const qlonglong number = trimmed.toLongLong(&fits);
            if (!fits || number < option->minimum || number > option->maximum)
                return fail(QStringLiteral("选项 %1 的值应在 %2 至 %3 之间，而不是 %4。")
                                .arg(given)
                                .arg(option->minimum)
                                .arg(option->maximum)
                                .arg(trimmed));
            parse.arguments.values.insert(option->name, QString::number(number));
            break;
        }
        case CliOption::Kind::Choice: {
            const auto chosen = std::find_if(option->choices.cbegin(), option->choices.cend(),
                [&value](const QString &choice) { return choice.compare(value, Qt::CaseInsensitive) == 0; });
            if (chosen == option->choices.cend())
                return fail(QStringLiteral("选项 %1 只能是 %2 之一，而不是“%3”。")
                                .arg(given, listed(option->choices), value));
            parse.arguments.values.insert(option->name, *chosen);
            break;
        }
        }
    }
    return parse;
}

QString helpText(const QString &text)
{
    return wrapForTerminal(text, helpWidth()).join(QLatin1Char('\n'));
}

QString helpColumns(const QString &left, const QString &right, int indent)
{
    const QString head = QString(indent, QLatin1Char(' ')) + left;
    const QString pad(kHelpColumn, QLatin1Char(' '));
    QString out;
    const QStringList lines = wrapForTerminal(right, helpWidth() - kHelpColumn);
    if (terminalWidth(head) + 2 > kHelpColumn)
        out += head + QLatin1Char('\n') + pad;
    else
        out += head + QString(kHelpColumn - terminalWidth(head), QLatin1Char(' '));
    return out + lines.join(QLatin1Char('\n') + pad) + QLatin1Char('\n');
}

QString optionHelp(const CliOption &option, int indent)
{
    QString left = QStringLiteral("--") + option.name;
    if (!option.shortName.isEmpty())
        left = QStringLiteral("-") + option.shortName + QStringLiteral(", ") + left;
    if (option.kind != CliOption::Kind::Flag)
        left += QLatin1Char(' ') + option.valueName;

    QStringList notes;
    if (option.kind == CliOption::Kind::Number)
        notes.append(QStringLiteral("%1 至 %2").arg(option.minimum).arg(option.maximum));
    if (option.kind == CliOption::Kind::Choice)
        notes.append(QStringLiteral("可选 ") + listed(option.choices));
    if (!option.defaultValue.isEmpty())
        notes.append(QStringLiteral("默认 ") + option.defaultValue);
    QString right = option.description;
    if (!notes.isEmpty())
        right += QStringLiteral("（") + notes.join(QStringLiteral("；")) + QStringLiteral("）");
    return helpColumns(left, right, indent);
}

} // namespace tolvane
