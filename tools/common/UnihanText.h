#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>

#include <array>
#include <bzlib.h>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>

// The Unihan database's text files as both generators read them (Debian's unicode-data ships them compressed).
namespace tolvane::tools {

// Decompresses a whole .bz2 file. Concatenated streams (as parallel compressors write) are read through.
inline std::optional<QByteArray> readBz2(const QString &path, QString *error)
{
    const auto fail = [error](const QString &text) {
        if (error)
            *error = text;
    };
    const std::unique_ptr<FILE, int (*)(FILE *)> file(
        std::fopen(QFile::encodeName(path).constData(), "rb"), &std::fclose);
    if (!file) {
        fail(QStringLiteral("cannot open %1").arg(path));
        return std::nullopt;
    }
    QByteArray out;
    QByteArray unused;
    std::array<char, 1 << 16> buffer {};
    for (;;) {
        int status = BZ_OK;
        BZFILE *bz = BZ2_bzReadOpen(&status, file.get(), 0, 0, unused.data(), int(unused.size()));
        if (status != BZ_OK) {
            BZ2_bzReadClose(&status, bz);
            fail(QStringLiteral("%1 is not a bzip2 file").arg(path));
            return std::nullopt;
        }
        while (status == BZ_OK) {
            const int n = BZ2_bzRead(&status, bz, buffer.data(), int(buffer.size()));
            if (n > 0)
                out.append(buffer.data(), n);
        }
        if (status != BZ_STREAM_END) {
            BZ2_bzReadClose(&status, bz);
            fail(QStringLiteral("%1 is damaged (bzip2 error %2)").arg(path).arg(status));
            return std::nullopt;
        }
        void *rest = nullptr;
        int restSize = 0;
        BZ2_bzReadGetUnused(&status, bz, &rest, &restSize);
        unused = QByteArray(static_cast<const char *>(rest), restSize);
        BZ2_bzReadClose(&status, bz);
        if (unused.isEmpty()) {
            const int next = std::fgetc(file.get());
            if (next == EOF)
                return out;
            unused.append(char(next));
        }
    }
}

// "U+9F98" -> 0x9F98; 0 when the text is not a code point.
inline char32_t parseCodePoint(QByteArrayView text)
{
    if (!text.startsWith("U+") || text.size() < 6 || text.size() > 8)
        return 0;
    char32_t value = 0;
    for (const char ch : text.sliced(2)) {
        int digit = -1;
        if (ch >= '0' && ch <= '9')
            digit = ch - '0';
        else if (ch >= 'A' && ch <= 'F')
            digit = ch - 'A' + 10;
        if (digit < 0)
            return 0;
        value = value * 16 + char32_t(digit);
    }
    return value;
}

// Calls f(codePoint, field, value) for every data line of a Unihan text file.
inline void forEachField(const QByteArray &text, const std::function<void(char32_t, QByteArrayView, QByteArrayView)> &f)
{
    const QByteArrayView all(text);
    qsizetype pos = 0;
    while (pos < all.size()) {
        qsizetype end = all.indexOf('\n', pos);
        if (end < 0)
            end = all.size();
        QByteArrayView line = all.sliced(pos, end - pos);
        pos = end + 1;
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty() || line.front() == '#')
            continue;
        const qsizetype tab1 = line.indexOf('\t');
        const qsizetype tab2 = tab1 < 0 ? -1 : line.indexOf('\t', tab1 + 1);
        if (tab2 < 0)
            continue;
        const char32_t cp = parseCodePoint(line.first(tab1));
        if (cp)
            f(cp, line.sliced(tab1 + 1, tab2 - tab1 - 1), line.sliced(tab2 + 1));
    }
}

} // namespace tolvane::tools
