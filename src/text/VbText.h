#pragma once

#include <QString>

#include <optional>

namespace tolvane {

// Line break of every result text.
inline const QString kCrLf = QStringLiteral("\r\n");

// A result text with its CR LF line breaks as LF alone, as the command line prints them.
inline QString withLineFeeds(QString text)
{
    return text.replace(kCrLf, QStringLiteral("\n"));
}

// Removes leading and trailing U+0020 only; tabs, line breaks and U+3000 stay.
QString trimSpaces(const QString &text);

// Converts typed text to a signed 16-bit number the way the original platform's integer conversion does:
// surrounding blanks (ASCII white space) are ignored, an optional sign (blanks may follow it), decimal
// digits with leading zeros, an optional decimal fraction ("5." and ".5" too) and an optional exponent
// ("1e2" is 100); the value rounds half to even. "&H" hex and "&O" octal digits give a 16-bit pattern
// ("&HFFFF" is -1). Empty text, any other character (thousands separators, full-width digits, blanks
// between digits), or a value outside -32768..32767 gives no number.
std::optional<qint16> toInt16(const QString &text);

// Decimal text of a number, without leading zeros or spaces.
QString decimal(int value);

} // namespace tolvane
