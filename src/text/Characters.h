#pragma once

#include <QByteArrayView>
#include <QStringList>

namespace tolvane {

// The characters of a text as the library stores them: a character outside the BMP is one row of the
// library, not the two halves of its surrogate pair.
inline QStringList splitCharacters(const QString &text)
{
    QStringList chars;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype units =
            text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate() ? 2 : 1;
        chars.append(text.mid(i, units));
        i += units - 1;
    }
    return chars;
}

// One UTF-8 character at the start of bytes, which is moved past it; 0 (bytes unchanged) for a malformed or
// missing one. For the data files read on every suggestion, taken apart as bytes rather than as QStrings.
inline char32_t takeUtf8Character(QByteArrayView &bytes)
{
    if (bytes.isEmpty())
        return 0;
    const auto byte = [&](qsizetype i) { return uchar(bytes.at(i)); };
    const uchar lead = byte(0);
    const qsizetype length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || bytes.size() < length)
        return 0;
    char32_t c = length == 1 ? lead : length == 2 ? (lead & 0x1F) : length == 3 ? (lead & 0x0F) : (lead & 0x07);
    for (qsizetype i = 1; i < length; ++i) {
        if ((byte(i) >> 6) != 0x2)
            return 0;
        c = (c << 6) | (byte(i) & 0x3F);
    }
    bytes = bytes.sliced(length);
    return c;
}

} // namespace tolvane
