#include "text/IniText.h"

#include <QStringList>

namespace tolvane {

namespace {

const QString kGeneral = QStringLiteral("General");

int hexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

int octalValue(QChar c)
{
    const char16_t u = c.unicode();
    return u >= '0' && u <= '7' ? u - '0' : -1;
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

// Blanks around lines, sections and keys are ASCII ones only, as QSettings reads its bytes: a full-width or
// no-break space belongs to the text.
QString trimmedAscii(const QString &text)
{
    const auto blank = [](QChar c) {
        const char16_t u = c.unicode();
        return u == ' ' || (u >= '\t' && u <= '\r');
    };
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && blank(text.at(begin)))
        ++begin;
    while (end > begin && blank(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin);
}

// The logical lines of the file: a backslash at the end of a line joins the next one to it.
QStringList logicalLines(const QString &text)
{
    QStringList lines;
    QString line;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\\' && i + 1 < text.size()) {
            const QChar next = text.at(i + 1);
            if (next == u'\n' || next == u'\r') {
                // \n, \r, \r\n and \n\r all end a line.
                ++i;
                if (i + 1 < text.size() && (text.at(i + 1) == u'\n' || text.at(i + 1) == u'\r')
                    && text.at(i + 1) != next)
                    ++i;
                continue;
            }
            line += c;
            line += next;
            ++i;
            continue;
        }
        if (c == u'\n' || c == u'\r') {
            lines.append(line);
            line.clear();
            continue;
        }
        line += c;
    }
    lines.append(line);
    return lines;
}

// Section and key names: "\" stands for "/", %XX and %UXXXX for any other character.
QString unescapedKey(const QString &key)
{
    QString result;
    for (qsizetype i = 0; i < key.size(); ++i) {
        const QChar c = key.at(i);
        if (c == u'\\') {
            result += u'/';
            continue;
        }
        if (c != u'%' || i + 2 >= key.size()) {
            result += c;
            continue;
        }
        const bool wide = key.at(i + 1) == u'U';
        const qsizetype first = wide ? i + 2 : i + 1;
        const int digits = wide ? 4 : 2;
        int value = 0;
        bool ok = first + digits <= key.size();
        for (int d = 0; ok && d < digits; ++d) {
            const int h = hexValue(key.at(first + d));
            ok = h >= 0;
            value = value * 16 + h;
        }
        if (!ok) {
            result += c;
            continue;
        }
        result += QChar(char16_t(value));
        i = first + digits - 1;
    }
    return result;
}

QByteArray escapedKey(const QString &key)
{
    static const char hex[] = "0123456789ABCDEF";
    QByteArray result;
    for (const QChar c : key) {
        const char16_t u = c.unicode();
        if (u == '/') {
            result += '\\';
        } else if ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_' || u == '-'
            || u == '.') {
            result += char(u);
        } else if (u <= 0xFF) {
            result += '%';
            result += hex[u >> 4];
            result += hex[u & 0xF];
        } else {
            result += "%U";
            for (int shift = 12; shift >= 0; shift -= 4)
                result += hex[(u >> shift) & 0xF];
        }
    }
    return result;
}

// One value: quoted parts, backslash escapes, blanks around unquoted parts dropped, ',' between the items of a
// list and ';' before a comment. Returns the items (one for a plain value).
QStringList unescapedItems(const QString &value)
{
    QStringList items;
    QString item;
    bool quoted = false;
    bool itemWasQuoted = false;
    // Blanks at the end of an unquoted part are dropped, but not those an escape wrote.
    qsizetype keep = 0;
    qsizetype i = 0;
    const auto skipBlanks = [&] {
        while (i < value.size() && isBlank(value.at(i)))
            ++i;
    };
    const auto chopBlanks = [&] {
        if (itemWasQuoted)
            return;
        while (item.size() > keep && isBlank(item.back()))
            item.chop(1);
    };
    skipBlanks();
    keep = 0;
    while (i < value.size()) {
        const QChar c = value.at(i);
        if (c == u'\\') {
            ++i;
            if (i >= value.size())
                break;
            const QChar e = value.at(i++);
            static const struct {
                char16_t code;
                char16_t character;
            } simple[] = { { 'a', '\a' }, { 'b', '\b' }, { 'f', '\f' }, { 'n', '\n' }, { 'r', '\r' }, { 't', '\t' },
                { 'v', '\v' }, { '"', '"' }, { '?', '?' }, { '\'', '\'' }, { '\\', '\\' } };
            bool done = false;
            for (const auto &s : simple) {
                if (e.unicode() == s.code) {
                    item += QChar(s.character);
                    done = true;
                    break;
                }
            }
            if (!done && e == u'x' && i < value.size() && hexValue(value.at(i)) >= 0) {
                char16_t code = 0;
                while (i < value.size() && hexValue(value.at(i)) >= 0)
                    code = char16_t((code << 4) + hexValue(value.at(i++)));
                item += QChar(code);
            } else if (!done && octalValue(e) >= 0) {
                char16_t code = char16_t(octalValue(e));
                while (i < value.size() && octalValue(value.at(i)) >= 0)
                    code = char16_t((code << 3) + octalValue(value.at(i++)));
                item += QChar(code);
            }
            // Any other escaped character is dropped.
            keep = item.size();
            continue;
        }
        if (c == u'"') {
            ++i;
            itemWasQuoted = true;
            quoted = !quoted;
            if (!quoted) {
                skipBlanks();
                keep = item.size();
            }
            continue;
        }
        if (!quoted && c == u';')
            break;
        if (!quoted && c == u',') {
            chopBlanks();
            items.append(item);
            item.clear();
            itemWasQuoted = false;
            ++i;
            skipBlanks();
            keep = 0;
            continue;
        }
        item += c;
        ++i;
    }
    chopBlanks();
    items.append(item);
    return items;
}

// A single item as the text QSettings gives for it.
QString itemText(const QString &item)
{
    if (!item.startsWith(u'@'))
        return item;
    if (item.startsWith(QStringLiteral("@@")))
        return item.mid(1);
    const QString bytesPrefix = QStringLiteral("@ByteArray(");
    if (item.startsWith(bytesPrefix) && item.endsWith(u')'))
        return QString::fromUtf8(item.mid(bytesPrefix.size(), item.size() - bytesPrefix.size() - 1).toLatin1());
    // QSettings writes a text holding a NUL character this way.
    const QString stringPrefix = QStringLiteral("@String(");
    if (item.startsWith(stringPrefix) && item.endsWith(u')'))
        return item.mid(stringPrefix.size(), item.size() - stringPrefix.size() - 1);
    static const char *const otherVariants[] = { "@Variant(", "@DateTime(", "@Invalid()" };
    for (const char *prefix : otherVariants) {
        if (item.startsWith(QLatin1String(prefix)))
            return {};
    }
    return item;
}

QByteArray escapedValue(const QString &text)
{
    const QString value = text.startsWith(u'@') ? QLatin1Char('@') + text : text;
    QByteArray result;
    bool quote = false;
    // After a numeric escape a hex digit would be read as part of it: it is written as an escape too.
    bool escapeHexDigit = false;
    // Characters written as they are go out as UTF-8 together, so that a surrogate pair stays one character.
    QString plain;
    const auto flush = [&] {
        result += plain.toUtf8();
        plain.clear();
    };
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        const char16_t u = c.unicode();
        if (u > 0x7F && !c.isSurrogate()) {
            escapeHexDigit = false;
            plain += c;
            continue;
        }
        if (c.isHighSurrogate() && i + 1 < value.size() && value.at(i + 1).isLowSurrogate()) {
            escapeHexDigit = false;
            plain += c;
            plain += value.at(++i);
            continue;
        }
        flush();
        // Half of a surrogate pair on its own has no UTF-8 form: it is written as an escape.
        if (c.isSurrogate()) {
            result += "\\x" + QByteArray::number(u, 16);
            escapeHexDigit = true;
            continue;
        }
        if (u == ';' || u == ',' || u == '=')
            quote = true;
        if (escapeHexDigit && hexValue(QChar(u)) >= 0) {
            result += "\\x" + QByteArray::number(u, 16);
            continue;
        }
        escapeHexDigit = false;
        switch (u) {
        case '\0':
            result += "\\0";
            escapeHexDigit = true;
            break;
        case '\a':
            result += "\\a";
            break;
        case '\b':
            result += "\\b";
            break;
        case '\f':
            result += "\\f";
            break;
        case '\n':
            result += "\\n";
            break;
        case '\r':
            result += "\\r";
            break;
        case '\t':
            result += "\\t";
            break;
        case '\v':
            result += "\\v";
            break;
        case '"':
        case '\\':
            result += '\\';
            result += char(u);
            break;
        default:
            if (u <= 0x1F || u == 0x7F) {
                result += "\\x" + QByteArray::number(u, 16);
                escapeHexDigit = true;
            } else {
                result += char(u);
            }
        }
    }
    flush();
    if (quote || result.startsWith(' ') || result.endsWith(' '))
        return '"' + result + '"';
    return result;
}

} // namespace

IniText::Values IniText::parse(const QByteArray &text)
{
    Values values;
    QString section;
    for (const QString &raw : logicalLines(QString::fromUtf8(text))) {
        const QString line = trimmedAscii(raw);
        if (line.isEmpty() || line.startsWith(u';'))
            continue;
        if (line.startsWith(u'[')) {
            const qsizetype end = line.indexOf(u']');
            section = unescapedKey(trimmedAscii(line.mid(1, end < 0 ? -1 : end - 1)));
            if (section.compare(kGeneral, Qt::CaseInsensitive) == 0)
                section.clear();
            else if (section.compare(QLatin1Char('%') + kGeneral, Qt::CaseInsensitive) == 0)
                section = section.mid(1); // a section named General in any case, kept as written
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (equals <= 0)
            continue;
        // Keys as QSettings normalises them: no empty parts between, before or after the slashes.
        const QString key = (section + QLatin1Char('/') + unescapedKey(trimmedAscii(line.left(equals))))
                                .split(u'/', Qt::SkipEmptyParts)
                                .join(u'/');
        if (key.isEmpty())
            continue;
        const QStringList items = unescapedItems(line.mid(equals + 1));
        // QSettings gives a list as a text only when it has one item, which never happens: it is empty text.
        const QString value = items.size() == 1 ? itemText(items.constFirst()) : QString();
        values.insert(key, value);
    }
    return values;
}

QByteArray IniText::compose(const Values &values)
{
    // Section by section, [General] first, as QSettings orders them.
    QMap<QString, QList<std::pair<QString, QString>>> sections;
    QList<std::pair<QString, QString>> general;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        const qsizetype slash = it.key().indexOf(u'/');
        if (slash < 0)
            general.append({ it.key(), it.value() });
        else
            sections[it.key().left(slash)].append({ it.key().mid(slash + 1), it.value() });
    }
    QByteArray text;
    const auto writeSection = [&text](const QByteArray &header, const QList<std::pair<QString, QString>> &entries) {
        if (!text.isEmpty())
            text += '\n';
        text += '[' + header + "]\n";
        for (const auto &[key, value] : entries)
            text += escapedKey(key) + '=' + escapedValue(value) + '\n';
    };
    if (!general.isEmpty())
        writeSection(kGeneral.toLatin1(), general);
    for (auto it = sections.cbegin(); it != sections.cend(); ++it) {
        // A section named General in any case would read as the keys outside any section.
        const QByteArray name
            = it.key().compare(kGeneral, Qt::CaseInsensitive) == 0 ? '%' + escapedKey(it.key()) : escapedKey(it.key());
        writeSection(name, it.value());
    }
    return text;
}

} // namespace tolvane
