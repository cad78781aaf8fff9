#pragma once

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

} // namespace tolvane
