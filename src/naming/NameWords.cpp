#include "naming/NameWords.h"

#include "text/Characters.h"
#include "text/PlainTextFile.h"

#include <QByteArrayView>

namespace tolvane {

std::optional<NameWords> NameWords::read(const QString &path, int *badLine)
{
    if (badLine)
        *badLine = 0;
    const std::optional<QByteArray> bytes = PlainTextFile::readBytes(path);
    return bytes ? parse(*bytes, badLine) : std::nullopt;
}

std::optional<NameWords> NameWords::parse(const QByteArray &bytes, int *badLine)
{
    int lineNumber = 0;
    const auto malformed = [&]() -> std::optional<NameWords> {
        if (badLine)
            *badLine = lineNumber;
        return std::nullopt;
    };
    NameWords words;
    words.m_pairs.reserve(bytes.size() / 15); // a line is about fifteen bytes
    const QByteArrayView all(bytes);
    qsizetype start = 0;
    while (start < all.size()) {
        qsizetype end = all.indexOf('\n', start);
        if (end < 0)
            end = all.size();
        QByteArrayView line = all.sliced(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        // pair<TAB>kind<TAB>weight<TAB>sex
        const char32_t first = takeUtf8Character(line);
        const char32_t second = takeUtf8Character(line);
        if (!first || !second || !line.startsWith('\t'))
            return malformed();
        line = line.sliced(1);
        const qsizetype kindEnd = line.indexOf('\t');
        if (kindEnd < 0)
            return malformed();
        const QByteArrayView kind = line.first(kindEnd);
        line = line.sliced(kindEnd + 1);
        const qsizetype weightEnd = line.indexOf('\t');
        if (weightEnd < 0)
            return malformed();
        // The weight, a plain decimal number (toInt costs more than the rest of the line).
        QByteArrayView digits = line.first(weightEnd).trimmed();
        const bool negative = digits.startsWith('-');
        if (negative)
            digits = digits.sliced(1);
        bool number = !digits.isEmpty() && digits.size() <= 9;
        int weight = 0;
        for (qsizetype i = 0; number && i < digits.size(); ++i) {
            const char d = digits.at(i);
            number = d >= '0' && d <= '9';
            weight = weight * 10 + (d - '0');
        }
        if (negative)
            weight = -weight;
        const QByteArrayView sex = line.sliced(weightEnd + 1).trimmed();
        if (!number || sex.contains('\t'))
            return malformed();
        Entry entry;
        entry.weight = weight;
        if (sex != QByteArrayView("0")) {
            entry.sex = sexFromText(QString::fromUtf8(sex));
            if (!entry.sex)
                return malformed();
        }
        if (kind == QByteArrayView("名"))
            entry.kind = Kind::GivenName;
        else if (kind == QByteArrayView("今"))
            entry.kind = Kind::Current;
        else if (kind == QByteArrayView("词"))
            entry.kind = Kind::Word;
        else if (kind == QByteArrayView("忌"))
            entry.kind = Kind::Unfit;
        else
            return malformed();
        if (entry.kind == Kind::GivenName || entry.kind == Kind::Current) {
            ++words.m_asFirst[first];
            ++words.m_asSecond[second];
        }
        words.m_pairs[characterPair(first, second)] = entry;
    }
    // A file cut short to nothing is no list of words either.
    if (words.m_pairs.isEmpty()) {
        lineNumber = -1;
        return malformed();
    }
    return words;
}

} // namespace tolvane
