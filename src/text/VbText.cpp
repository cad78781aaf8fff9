#include "text/VbText.h"

#include <algorithm>

namespace tolvane {

namespace {

// Blanks the conversion skips around the number and after the sign: the ASCII white space characters.
// U+3000 and other Unicode spaces count as foreign characters, like full-width digits.
bool isBlank(QChar c)
{
    const char16_t u = c.unicode();
    return u == u' ' || u == u'\t' || u == u'\n' || u == u'\r' || u == u'\v' || u == u'\f';
}

// Only ASCII digits: QChar::isDigit() would also accept full-width and other scripts' digits.
int asciiDigit(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'0' && u <= u'9') ? int(u - u'0') : -1;
}

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return int(u - u'0');
    if (u >= u'a' && u <= u'f')
        return int(u - u'a') + 10;
    if (u >= u'A' && u <= u'F')
        return int(u - u'A') + 10;
    return -1;
}

// Reading position in the text being converted; past the end it reads U+0000, which nothing accepts.
struct Cursor {
    QStringView text;
    qsizetype pos = 0;

    bool atEnd() const { return pos >= text.size(); }
    QChar peek(qsizetype ahead = 0) const { return pos + ahead < text.size() ? text[pos + ahead] : QChar(); }
    void advance(qsizetype count = 1) { pos += count; }
    void skipBlanks()
    {
        while (!atEnd() && isBlank(peek()))
            ++pos;
    }
};

// "&H…" / "&O…": the digits are read as an unsigned 16-bit pattern and reinterpreted, so &HFFFF is -1
// and &H8000 is -32768, as the original platform does. More than 16 bits does not fit.
std::optional<qint16> readRadix(Cursor &cursor, int radix)
{
    quint32 value = 0;
    bool anyDigit = false;
    while (!cursor.atEnd()) {
        const int digit = radix == 16 ? hexDigit(cursor.peek()) : asciiDigit(cursor.peek());
        if (digit < 0 || digit >= radix)
            break;
        value = value * quint32(radix) + quint32(digit);
        if (value > 0xFFFFu)
            return std::nullopt; // checked every digit, so value never grows past 20 bits
        anyDigit = true;
        cursor.advance();
    }
    cursor.skipBlanks();
    if (!anyDigit || !cursor.atEnd())
        return std::nullopt;
    return qint16(quint16(value));
}

} // namespace

QString trimSpaces(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == u' ')
        ++begin;
    while (end > begin && text.at(end - 1) == u' ')
        --end;
    return text.mid(begin, end - begin);
}

// Accepted: [blanks] [+|-] [blanks] digits [. digits] [e|E [+|-] digits] [blanks], where either the
// integer or the fraction digits may be missing but not both; and, without a sign, [blanks] &H hex-digits
// or &O octal-digits [blanks].
// Deliberately refused although the original platform takes them: thousands separators ("1,000"), currency
// symbols, a trailing sign ("5-") and parentheses for negatives ("(5)"). Typed stroke counts and years never
// need them, and refusing them keeps "1,2" from silently becoming 12.
// The value is kept as its significant digits plus a decimal exponent, so any number of digits or any
// exponent is judged without overflow.
std::optional<qint16> toInt16(const QString &text)
{
    Cursor cursor { text };
    cursor.skipBlanks();

    if (cursor.peek() == u'&') {
        const QChar kind = cursor.peek(1);
        if (kind == u'H' || kind == u'h') {
            cursor.advance(2);
            return readRadix(cursor, 16);
        }
        if (kind == u'O' || kind == u'o') {
            cursor.advance(2);
            return readRadix(cursor, 8);
        }
        return std::nullopt;
    }

    bool negative = false;
    if (cursor.peek() == u'+' || cursor.peek() == u'-') {
        negative = cursor.peek() == u'-';
        cursor.advance();
        cursor.skipBlanks();
    }

    // Significant digits without leading zeros; integerDigits is how many of them stand before the point
    // (negative or beyond their count once the exponent is applied).
    QByteArray digits;
    qint64 integerDigits = 0;
    bool anyDigit = false;

    while (asciiDigit(cursor.peek()) >= 0) {
        const int digit = asciiDigit(cursor.peek());
        anyDigit = true;
        if (!digits.isEmpty() || digit != 0) {
            digits.append(char('0' + digit));
            ++integerDigits;
        }
        cursor.advance();
    }
    if (cursor.peek() == u'.') {
        cursor.advance();
        while (asciiDigit(cursor.peek()) >= 0) {
            const int digit = asciiDigit(cursor.peek());
            anyDigit = true;
            if (!digits.isEmpty() || digit != 0)
                digits.append(char('0' + digit));
            else
                --integerDigits; // a zero right after the point shifts the first significant digit down
            cursor.advance();
        }
    }
    if (!anyDigit)
        return std::nullopt;

    if (cursor.peek() == u'e' || cursor.peek() == u'E') {
        cursor.advance();
        bool negativeExponent = false;
        if (cursor.peek() == u'+' || cursor.peek() == u'-') {
            negativeExponent = cursor.peek() == u'-';
            cursor.advance();
        }
        if (asciiDigit(cursor.peek()) < 0)
            return std::nullopt;
        // Saturates: any exponent beyond this already decides the result (overflow or zero).
        constexpr qint64 kExponentCap = 1'000'000'000;
        qint64 exponent = 0;
        while (asciiDigit(cursor.peek()) >= 0) {
            exponent = std::min(exponent * 10 + asciiDigit(cursor.peek()), kExponentCap);
            cursor.advance();
        }
        integerDigits += negativeExponent ? -exponent : exponent;
    }

    cursor.skipBlanks();
    if (!cursor.atEnd())
        return std::nullopt;

    if (digits.isEmpty())
        return qint16(0);
    if (integerDigits > 5)
        return std::nullopt; // at least 100000

    const qsizetype count = digits.size();
    qint32 magnitude = 0;
    for (qint64 i = 0; i < integerDigits; ++i)
        magnitude = magnitude * 10 + (i < count ? digits.at(i) - '0' : 0);

    // Round half to even on the first dropped digit and whether anything non-zero follows it.
    const qint64 firstDropped = std::max<qint64>(integerDigits, 0);
    if (integerDigits >= 0 && firstDropped < count) {
        const int dropped = digits.at(firstDropped) - '0';
        bool beyondHalf = false;
        for (qsizetype i = firstDropped + 1; i < count && !beyondHalf; ++i)
            beyondHalf = digits.at(i) != '0';
        if (dropped > 5 || (dropped == 5 && (beyondHalf || magnitude % 2 == 1)))
            ++magnitude;
    }
    // integerDigits < 0: the value is below 0.1 and rounds to zero.

    const qint32 value = negative ? -magnitude : magnitude;
    if (value < -32768 || value > 32767)
        return std::nullopt;
    return qint16(value);
}

QString decimal(int value)
{
    return QString::number(value);
}

} // namespace tolvane
