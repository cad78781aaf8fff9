#include "text/PlainTextFile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

namespace tolvane {

QString PlainTextFile::decode(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text.startsWith(QChar(0xFEFF)) ? text.mid(1) : text;
    QStringDecoder gb18030("GB18030");
    if (!gb18030.isValid())
        return QString::fromLocal8Bit(bytes);
    return gb18030.decode(bytes);
}

QByteArray PlainTextFile::encode(const QString &text)
{
    return text.toUtf8();
}

std::optional<QByteArray> PlainTextFile::readBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

std::optional<QString> PlainTextFile::read(const QString &path)
{
    const std::optional<QByteArray> bytes = readBytes(path);
    if (!bytes)
        return std::nullopt;
    return decode(*bytes);
}

bool PlainTextFile::writeBytes(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool PlainTextFile::write(const QString &path, const QString &text)
{
    return writeBytes(path, encode(text));
}

} // namespace tolvane
