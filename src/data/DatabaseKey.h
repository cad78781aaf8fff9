#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace tolvane {

// The library's password. Users open the file with it in the sqlcipher shell (see data/README.md).
inline const QString kDatabasePassword = QStringLiteral("tarn5827");
// SQLCipher 3's default key derivation, kept so that the stock sqlcipher shell opens the file.
inline constexpr int kDatabaseKdfIterations = 64000;
// Pages of 4 KiB: every page costs a fixed price to decrypt and check, and the listings read many of them.
inline constexpr int kDatabasePageSize = 4096;

// Deriving the key from the password costs tens of milliseconds; the program opens the library once per
// operation (and once per character in some lookups), so the raw key is derived once per file salt and
// handed to SQLCipher directly.
class DatabaseKey final {
public:
    // The PRAGMA key value (x'...') for the file at path, or nothing when the file has no salt to read.
    static std::optional<QByteArray> rawKeyPragmaFor(const QString &path);
    static QByteArray derive(const QByteArray &salt);
};

} // namespace tolvane
