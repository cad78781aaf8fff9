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

std::optional<QString> PlainTextFile::decodeAs(const QByteArray &bytes, TextEncoding encoding)
{
    QByteArray body = bytes;
    std::optional<QStringDecoder> decoder;
    switch (encoding) {
    case TextEncoding::Utf8:
        if (body.startsWith("\xEF\xBB\xBF"))
            body.remove(0, 3);
        decoder.emplace(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        break;
    case TextEncoding::Gb18030:
        // GB18030's own byte-order mark is the code of U+FEFF.
        if (body.startsWith("\x84\x31\x95\x33"))
            body.remove(0, 4);
        decoder.emplace("GB18030", QStringDecoder::Flag::Stateless);
        break;
    case TextEncoding::Utf16:
        if (body.size() % 2 != 0)
            return std::nullopt;
        const bool bigEndian = body.startsWith("\xFE\xFF");
        if (bigEndian || body.startsWith("\xFF\xFE"))
            body.remove(0, 2);
        decoder.emplace(bigEndian ? QStringDecoder::Utf16BE : QStringDecoder::Utf16LE, QStringDecoder::Flag::Stateless);
        break;
    }
    if (!decoder->isValid())
        return std::nullopt;
    const QString text = decoder->decode(body);
    if (decoder->hasError())
        return std::nullopt;
    return text;
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
