#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace tolvane {

// The library's password. Users open the file with it in the sqlcipher shell (see data/README.md).
inline const QString kDatabasePassword = QStringLiteral("tarn5827");
// Rounds of the password's key derivation (PBKDF2-HMAC-SHA1) in the libraries this version writes. The password
// is written in the program and in data/README.md, so rounds protect nothing; they only cost time at every
// start. With a few hundred the key is derived in a tenth of a millisecond, and the stock sqlcipher shell still
// opens the file once told the count (PRAGMA kdf_iter, see data/README.md).
inline constexpr int kDatabaseKdfIterations = 256;
// The rounds of libraries written by earlier versions (SQLCipher 3's default), such as a per-user copy made
// then: still read, by trying them when the current key does not open a file.
inline constexpr int kLegacyDatabaseKdfIterations = 64000;
// Pages of 4 KiB: every page costs a fixed price to decrypt and check, and the listings read many of them.
inline constexpr int kDatabasePageSize = 4096;

// The program opens the library once per operation (and once per character in some lookups), so the raw key is
// derived once per file salt and round count and handed to SQLCipher directly.
class DatabaseKey final {
public:
    // The PRAGMA key value (x'...') for the file at path, or nothing when the file has no salt to read.
    static std::optional<QByteArray> rawKeyPragmaFor(const QString &path, int iterations = kDatabaseKdfIterations);
    static QByteArray derive(const QByteArray &salt, int iterations = kDatabaseKdfIterations);
    // Starts the cryptography before the first library or classics file is opened, as the files need it: without
    // the system's OpenSSL configuration (the files' ciphers are fixed and need no provider it could name), its
    // error texts (the program never shows them) or its clean-up at exit (the process's end frees it). These cost
    // more than the rest of opening the library.
    static void prepareCryptography();
};

} // namespace tolvane
