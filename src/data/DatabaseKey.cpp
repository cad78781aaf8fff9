#include "data/DatabaseKey.h"

#include <QFile>
#include <QHash>
#include <QMutex>

#include <openssl/evp.h>

namespace tolvane {

namespace {
constexpr int kSaltSize = 16;
constexpr int kKeySize = 32;
} // namespace

QByteArray DatabaseKey::derive(const QByteArray &salt)
{
    const QByteArray password = kDatabasePassword.toUtf8();
    QByteArray key(kKeySize, '\0');
    PKCS5_PBKDF2_HMAC_SHA1(password.constData(), int(password.size()),
                           reinterpret_cast<const unsigned char *>(salt.constData()), int(salt.size()),
                           kDatabaseKdfIterations, kKeySize, reinterpret_cast<unsigned char *>(key.data()));
    return key;
}

std::optional<QByteArray> DatabaseKey::rawKeyPragmaFor(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray salt = file.read(kSaltSize);
    if (salt.size() != kSaltSize)
        return std::nullopt;

    static QMutex mutex;
    static QHash<QByteArray, QByteArray> keys;
    QMutexLocker lock(&mutex);
    auto it = keys.constFind(salt);
    if (it == keys.constEnd())
        it = keys.insert(salt, derive(salt));
    return QByteArrayLiteral("PRAGMA key = \"x'") + it->toHex() + QByteArrayLiteral("'\"; PRAGMA cipher_page_size = ")
        + QByteArray::number(kDatabasePageSize) + ';';
}

} // namespace tolvane
