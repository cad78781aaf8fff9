#pragma once

#include <QList>
#include <QString>

namespace tolvane {

// A run of characters that share one character format. Text may hold "\n" (new paragraph); "\r" is ignored
// by the writer, so CR LF and LF give the same paragraphs.
struct RtfRun {
    QString text;
    QString fontFamily = QStringLiteral("宋体");
    double pointSize = 10.5;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    quint32 rgb = 0; // 0xRRGGBB

    bool sameFormat(const RtfRun &other) const
    {
        return fontFamily == other.fontFamily && pointSize == other.pointSize && bold == other.bold
            && italic == other.italic && underline == other.underline && strikeOut == other.strikeOut
            && rgb == other.rgb;
    }
};

using RtfDocument = QList<RtfRun>;

} // namespace tolvane
