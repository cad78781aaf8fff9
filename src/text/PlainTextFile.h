#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace tolvane {

// Plain-text files: written as UTF-8, read as UTF-16 when they start with its byte-order mark, as UTF-8 when the
// bytes are valid UTF-8 and otherwise as GB18030, the code page files from older Chinese Windows systems are in
// (GB18030 decodes every GBK file).
enum class TextEncoding { Utf8, Gb18030, Utf16 };

class PlainTextFile final {
public:
    static QString decode(const QByteArray &bytes);
    // The text in the named encoding, a byte-order mark removed (UTF-16 without one is little-endian, as Windows
    // writes it); nothing when the bytes are not valid in that encoding. For files whose encoding the user knows
    // better than the guess of decode(): GBK bytes can also be valid UTF-8.
    static std::optional<QString> decodeAs(const QByteArray &bytes, TextEncoding encoding);
    static QByteArray encode(const QString &text);

    // Nothing when the file cannot be read.
    static std::optional<QByteArray> readBytes(const QString &path);
    static std::optional<QString> read(const QString &path);
    // Replaces the file through DurableFile: a failed write leaves the old file as it was, and reason says why.
    [[nodiscard]] static bool writeBytes(const QString &path, const QByteArray &bytes, QString *reason = nullptr);
    [[nodiscard]] static bool write(const QString &path, const QString &text, QString *reason = nullptr);
};

} // namespace tolvane
