#include "text/PlainTextFile.h"

#include "text/DurableFile.h"

#include <QFile>
#include <QStringDecoder>

namespace tolvane {

QString PlainTextFile::decode(const QByteArray &bytes)
{
    // Notepad's "Unicode": UTF-16 with its byte-order mark, which no UTF-8 or GB18030 text starts with.
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(bytes.startsWith("\xFF\xFE") ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
        return utf16.decode(bytes.mid(2));
    }
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

bool PlainTextFile::writeBytes(const QString &path, const QByteArray &bytes, QString *reason)
{
    return DurableFile::write(path, bytes, reason);
}

bool PlainTextFile::write(const QString &path, const QString &text, QString *reason)
{
    return writeBytes(path, encode(text), reason);
}

} // namespace tolvane
