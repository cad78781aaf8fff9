#pragma once

#include "text/RtfDocument.h"

#include <QByteArray>
#include <QStringEncoder>
#include <QStringList>

#include <optional>

namespace tolvane {

// Writes formatted runs as an RTF document that Windows word processors and LibreOffice read:
// \ansicpg936, fonts with \fcharset134, every non-ASCII character as \uN followed by its GBK bytes
// (\uc2; "??" where GBK has no such character), sizes as \fsN in half-points and a colour table. Each font
// is also named as the double-byte font (\dbch\afN), which is where LibreOffice and Word look for Chinese text.
class RtfWriter final {
public:
    static QByteArray write(const RtfDocument &runs);

private:
    // Character format as last written, so a control word is repeated only when its value changes.
    struct WrittenFormat {
        std::optional<int> font;
        std::optional<int> halfPoints;
        std::optional<int> colour;
        bool bold = false; // an RTF document starts plain
        bool italic = false;
        bool underline = false;
        bool strikeOut = false;
    };

    RtfWriter() = default;

    QByteArray document(const RtfDocument &runs);
    void collectTables(const RtfDocument &runs);
    void writeFormat(const RtfRun &run);
    void writeText(const QString &text);
    void controlWord(const QByteArray &word);
    void literal(char c);
    QByteArray gbkFallback(char16_t unit);
    QByteArray fontName(const QString &family);

    QByteArray m_out;
    QStringList m_fonts;
    QList<quint32> m_colours;
    QStringEncoder m_gbk { "GBK" };
    WrittenFormat m_format;
    bool m_pendingDelimiter = false;
    bool m_endsWithParagraph = false;
};

} // namespace tolvane
