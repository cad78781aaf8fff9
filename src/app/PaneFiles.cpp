#include "app/PaneFiles.h"

#include "text/PlainTextFile.h"
#include "text/RtfReader.h"
#include "text/RtfWriter.h"

#include <QDir>

namespace tolvane {

QString PaneFiles::filterString()
{
    return QStringLiteral("All Files (*.*)|*.*|RichText Files")
        + QStringLiteral("(*.rtf)|*.rtf|Text Files & (*.txt)|*.txt");
}

QStringList PaneFiles::filterDescriptions()
{
    const QStringList parts = filterString().split(QLatin1Char('|'));
    QStringList descriptions;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        descriptions << parts.at(i);
    return descriptions;
}

PaneFiles::Format PaneFiles::formatForFilterIndex(int index)
{
    return index == 2 ? Format::Rtf : Format::PlainText;
}

QString PaneFiles::extensionForFilterIndex(int index)
{
    switch (index) {
    case 2:
        return QStringLiteral("rtf");
    case 3:
        return QStringLiteral("txt");
    default:
        return {};
    }
}

std::optional<RtfDocument> PaneFiles::loadRtf(const QString &path)
{
    const std::optional<QByteArray> bytes = PlainTextFile::readBytes(path);
    if (!bytes)
        return std::nullopt;
    return RtfReader::read(*bytes);
}

std::optional<QString> PaneFiles::loadPlainText(const QString &path)
{
    return PlainTextFile::read(path);
}

bool PaneFiles::saveRtf(const QString &path, const RtfDocument &document, QString *reason)
{
    return PlainTextFile::writeBytes(path, RtfWriter::write(document), reason);
}

bool PaneFiles::savePlainText(const QString &path, const QString &text, QString *reason)
{
    return PlainTextFile::write(path, text, reason);
}

QString PaneFiles::saveFailedText(const QString &path, const QString &reason)
{
    return QStringLiteral("文件没有保存：无法写入 ") + QDir::toNativeSeparators(path) + QStringLiteral("（") + reason
        + QStringLiteral("）。原来的文件保持不变。");
}

} // namespace tolvane
