#include "text/RtfWriter.h"

#include <algorithm>
#include <cmath>

namespace tolvane {

namespace {

QByteArray hexByte(quint8 byte)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    QByteArray out("\\'");
    out += kDigits[byte >> 4];
    out += kDigits[byte & 0x0F];
    return out;
}

int halfPoints(double pointSize)
{
    // \fs0 is unreadable and readers reject huge sizes; NaN ends at the lower bound.
    const double half = std::round(pointSize * 2.0);
    if (!(half >= 1.0))
        return 1;
    return int(std::min(half, 3276.0));
}

} // namespace

QByteArray RtfWriter::write(const RtfDocument &runs)
{
    return RtfWriter().document(runs);
}

QByteArray RtfWriter::document(const RtfDocument &runs)
{
    collectTables(runs);

    m_out = QByteArrayLiteral("{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl");
    for (qsizetype i = 0; i < m_fonts.size(); ++i)
        m_out += "{\\f" + QByteArray::number(i) + "\\fnil\\fcharset134 " + fontName(m_fonts.at(i)) + ";}";
    m_out += "}\r\n{\\colortbl ;";
    for (const quint32 rgb : std::as_const(m_colours)) {
        m_out += "\\red" + QByteArray::number((rgb >> 16) & 0xFF) + "\\green" + QByteArray::number((rgb >> 8) & 0xFF)
            + "\\blue" + QByteArray::number(rgb & 0xFF) + ';';
    }
    m_out += "}\r\n";
    controlWord("uc2");

    for (const RtfRun &run : runs) {
        if (run.text.isEmpty())
            continue; // its format would only be switched on and off again
        writeFormat(run);
        writeText(run.text);
    }
    // Readers take the last paragraph mark as the end of the last paragraph, so an empty last paragraph
    // needs a mark of its own.
    if (m_endsWithParagraph)
        m_out += "\\par\r\n";
    m_out += '}';
    return m_out;
}

void RtfWriter::collectTables(const RtfDocument &runs)
{
    for (const RtfRun &run : runs) {
        if (run.text.isEmpty())
            continue;
        if (!m_fonts.contains(run.fontFamily))
            m_fonts.append(run.fontFamily);
        const quint32 rgb = run.rgb & 0xFFFFFFu;
        if (!m_colours.contains(rgb))
            m_colours.append(rgb);
    }
    // \deff0 must name a font even when there is nothing to write.
    if (m_fonts.isEmpty())
        m_fonts.append(RtfRun().fontFamily);
}

void RtfWriter::writeFormat(const RtfRun &run)
{
    const int font = int(m_fonts.indexOf(run.fontFamily));
    const int size = halfPoints(run.pointSize);
    const int colour = int(m_colours.indexOf(run.rgb & 0xFFFFFFu)) + 1; // entry 0 is "auto"

    if (m_format.font != font) {
        controlWord("f" + QByteArray::number(font));
        // LibreOffice and Word take the font of Chinese text from the associated double-byte font.
        controlWord("dbch");
        controlWord("af" + QByteArray::number(font));
        controlWord("loch");
    }
    if (m_format.halfPoints != size)
        controlWord("fs" + QByteArray::number(size));
    if (m_format.colour != colour)
        controlWord("cf" + QByteArray::number(colour));
    if (m_format.bold != run.bold)
        controlWord(run.bold ? "b" : "b0");
    if (m_format.italic != run.italic)
        controlWord(run.italic ? "i" : "i0");
    if (m_format.underline != run.underline)
        controlWord(run.underline ? "ul" : "ulnone");
    if (m_format.strikeOut != run.strikeOut)
        controlWord(run.strikeOut ? "strike" : "strike0");

    m_format = { font, size, colour, run.bold, run.italic, run.underline, run.strikeOut };
}

void RtfWriter::writeText(const QString &text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u != u'\r' && (u >= 0x20 || u == u'\n' || u == u'\t') && u != 0x7F)
            m_endsWithParagraph = u == u'\n';
        if (u == u'\n') {
            m_out += "\\par\r\n"; // the line break ends the control word and readers ignore it
            m_pendingDelimiter = false;
        } else if (u == u'\r') {
            // paragraphs come from "\n" alone, so CR LF and LF agree
        } else if (u == u'\t') {
            controlWord("tab");
        } else if (u == u'\\' || u == u'{' || u == u'}') {
            m_out += '\\';
            m_out += char(u);
            m_pendingDelimiter = false;
        } else if (u < 0x20 || u == 0x7F) {
            // other control characters have no place in document text
        } else if (u < 0x80) {
            literal(char(u));
        } else {
            // N is signed 16-bit; the fallback that follows ends the control word.
            m_out += "\\u" + QByteArray::number(u > 0x7FFF ? int(u) - 0x10000 : int(u));
            m_out += gbkFallback(u);
            m_pendingDelimiter = false;
        }
    }
}

void RtfWriter::controlWord(const QByteArray &word)
{
    m_out += '\\';
    m_out += word;
    m_pendingDelimiter = true;
}

// A space right after a control word belongs to the control word, so one goes before literal text.
void RtfWriter::literal(char c)
{
    if (m_pendingDelimiter) {
        m_out += ' ';
        m_pendingDelimiter = false;
    }
    m_out += c;
}

// The two bytes after each \uN, for readers without \u support (\uc2 tells the others to skip them).
QByteArray RtfWriter::gbkFallback(char16_t unit)
{
    // A lone surrogate half has no GBK form, and handing it to the encoder would leave it pending there.
    if (QChar::isSurrogate(unit) || !m_gbk.isValid())
        return QByteArrayLiteral("??");
    m_gbk.resetState();
    const char16_t units[1] = { unit };
    const QByteArray encoded = m_gbk.encode(QStringView(units, 1));
    // Only a genuine double-byte code counts: single bytes (0x80 for the euro sign) and the encoder's
    // substitution character both become "??".
    if (encoded.size() != 2 || quint8(encoded.at(0)) < 0x81)
        return QByteArrayLiteral("??");
    return hexByte(quint8(encoded.at(0))) + hexByte(quint8(encoded.at(1)));
}

// Plain GBK bytes: Windows word processors and LibreOffice read font names under \fcharset134 that way.
QByteArray RtfWriter::fontName(const QString &family)
{
    QByteArray out;
    for (const QChar c : family) {
        const char16_t u = c.unicode();
        if (u == u'\\' || u == u'{' || u == u'}') {
            out += '\\';
            out += char(u);
        } else if (u == u';' || u < 0x20 || u == 0x7F) {
            out += hexByte(quint8(u)); // a bare ';' would end the entry
        } else if (u < 0x80) {
            out += char(u);
        } else {
            const QByteArray code = gbkFallback(u);
            out += code == QByteArrayLiteral("??") ? QByteArrayLiteral("?") : code;
        }
    }
    return out;
}

} // namespace tolvane
