#include "data/DatabaseKey.h"

#include <QFile>
#include <QHash>
#include <QMutex>
#include <QPair>

#include <openssl/crypto.h>
#include <openssl/evp.h>

namespace tolvane {

namespace {
constexpr int kSaltSize = 16;
constexpr int kKeySize = 32;
} // namespace

void DatabaseKey::prepareCryptography()
{
    static const bool prepared = OPENSSL_init_crypto(
        OPENSSL_INIT_NO_LOAD_CONFIG | OPENSSL_INIT_NO_LOAD_CRYPTO_STRINGS | OPENSSL_INIT_NO_ATEXIT, nullptr);
    Q_UNUSED(prepared);
}

QByteArray DatabaseKey::derive(const QByteArray &salt, int iterations)
{
    prepareCryptography();
    const QByteArray password = kDatabasePassword.toUtf8();
    QByteArray key(kKeySize, '\0');
    PKCS5_PBKDF2_HMAC_SHA1(password.constData(), int(password.size()),
        reinterpret_cast<const unsigned char *>(salt.constData()), int(salt.size()), iterations, kKeySize,
        reinterpret_cast<unsigned char *>(key.data()));
    return key;
}

std::optional<QByteArray> DatabaseKey::rawKeyPragmaFor(const QString &path, int iterations)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray salt = file.read(kSaltSize);
    if (salt.size() != kSaltSize)
        return std::nullopt;

    static QMutex mutex;
    static QHash<QPair<QByteArray, int>, QByteArray> keys;
    QMutexLocker lock(&mutex);
    const QPair<QByteArray, int> id(salt, iterations);
    auto it = keys.constFind(id);
    if (it == keys.constEnd())
        it = keys.insert(id, derive(salt, iterations));
    return QByteArrayLiteral("PRAGMA key = \"x'") + it->toHex() + QByteArrayLiteral("'\"; PRAGMA cipher_page_size = ")
        + QByteArray::number(kDatabasePageSize) + ';';
}

} // namespace tolvane
