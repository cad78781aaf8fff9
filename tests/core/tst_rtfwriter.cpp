#include "text/RtfWriter.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QUrl>
#include <QXmlStreamReader>
#include <QtTest>

#include <algorithm>
#include <cctype>
#include <limits>
#include <optional>

using namespace tolvane;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(tolvane::RtfRun)

namespace {

// What a reader shows for one character: the font by name, the size in half-points and the colour as RGB.
struct CharFormat {
    QString font;
    int halfPoints = 0;
    quint32 rgb = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;

    bool operator==(const CharFormat &) const = default;
};

QString describe(const CharFormat &f)
{
    return u"%1 %2hp #%3%4%5%6%7"_s.arg(f.font)
        .arg(f.halfPoints)
        .arg(f.rgb, 6, 16, QLatin1Char('0'))
        .arg(f.bold ? u" bold"_s : QString(), f.italic ? u" italic"_s : QString(),
            f.underline ? u" underline"_s : QString(), f.strikeOut ? u" strike"_s : QString());
}

// Text with one format per character; paragraph breaks are "\n" with a default format.
struct FormattedText {
    QString text;
    QList<CharFormat> formats;
};

// What the document should read as: "\r" dropped, sizes here are always whole half-points.
FormattedText expectedReading(const RtfDocument &runs)
{
    FormattedText out;
    for (const RtfRun &run : runs) {
        const CharFormat format { run.fontFamily, int(run.pointSize * 2), run.rgb, run.bold, run.italic, run.underline,
            run.strikeOut };
        for (const QChar c : run.text) {
            if (c == u'\r')
                continue;
            out.text += c;
            out.formats.append(c == u'\n' ? CharFormat() : format);
        }
    }
    return out;
}

// Compares character by character so a failure names the first character that reads wrong.
bool sameReading(const FormattedText &actual, const FormattedText &expected, QString *difference)
{
    if (actual.text != expected.text) {
        *difference = u"text \"%1\", expected \"%2\""_s.arg(actual.text, expected.text);
        return false;
    }
    for (qsizetype i = 0; i < expected.text.size(); ++i) {
        if (expected.text.at(i) != u'\n' && actual.formats.at(i) != expected.formats.at(i)) {
            *difference = u"character %1 ('%2') reads as %3, expected %4"_s.arg(i)
                              .arg(expected.text.at(i))
                              .arg(describe(actual.formats.at(i)), describe(expected.formats.at(i)));
            return false;
        }
    }
    return true;
}

// A strict reader for the subset of RTF the writer is meant to produce. Anything else (an unknown control
// word, a stray byte, unbalanced groups, a missing delimiter that swallows text) is reported as an error,
// so the round trip below fails on malformed output instead of guessing.
struct Decoded {
    FormattedText reading;
    QByteArray legacy; // what a reader that ignores \uN sees (GBK bytes)
    QStringList fonts;
    QList<quint32> colours; // entry 0 is the "auto" placeholder
    QString error;
};

class RtfScanner {
public:
    explicit RtfScanner(const QByteArray &rtf)
        : m_rtf(rtf)
    {
    }

    Decoded decode()
    {
        if (!m_rtf.startsWith("{\\rtf1"))
            return failed(u"no {\\rtf1 header"_s);
        m_pos = 1;
        int depth = 1;
        while (m_pos < m_rtf.size() && m_d.error.isEmpty()) {
            const char c = m_rtf.at(m_pos);
            if (c == '{') {
                ++m_pos;
                if (peekWord("\\fonttbl"))
                    fontTable();
                else if (peekWord("\\colortbl"))
                    colourTable();
                else
                    return failed(u"unexpected group"_s);
            } else if (c == '}') {
                ++m_pos;
                if (--depth == 0)
                    break;
            } else if (c == '\\') {
                bodyControl();
            } else if (c == '\r' || c == '\n') {
                ++m_pos;
            } else if (quint8(c) < 0x20 || quint8(c) >= 0x7F) {
                return failed(u"raw byte %1"_s.arg(quint8(c)));
            } else {
                ++m_pos;
                literal(QChar(QLatin1Char(c)), c);
            }
        }
        if (m_d.error.isEmpty() && depth != 0)
            return failed(u"unbalanced groups"_s);
        if (m_d.error.isEmpty() && m_pos != m_rtf.size())
            return failed(u"bytes after the closing brace"_s);
        if (m_d.error.isEmpty() && m_skip > 0)
            return failed(u"document ends inside a \\u fallback"_s);
        // As Word and LibreOffice read it: the last paragraph mark ends the last paragraph.
        if (m_d.reading.text.endsWith(u'\n') && m_rtf.endsWith("\\par\r\n}")) {
            m_d.reading.text.chop(1);
            m_d.reading.formats.removeLast();
        }
        return m_d;
    }

private:
    struct Word {
        QByteArray name;
        std::optional<int> parameter;
    };

    Decoded failed(const QString &why)
    {
        if (m_d.error.isEmpty())
            m_d.error = u"%1 at byte %2"_s.arg(why).arg(m_pos);
        return m_d;
    }

    bool peekWord(const char *word) const
    {
        const QByteArray w(word);
        return m_rtf.mid(m_pos, w.size()) == w && m_pos + w.size() < m_rtf.size()
            && !std::isalpha(quint8(m_rtf.at(m_pos + w.size())));
    }

    // At a backslash followed by a letter: letters, an optional signed number, and one optional space.
    Word readWord()
    {
        Word w;
        ++m_pos;
        while (m_pos < m_rtf.size() && std::isalpha(quint8(m_rtf.at(m_pos))))
            w.name += m_rtf.at(m_pos++);
        QByteArray number;
        if (m_pos < m_rtf.size() && m_rtf.at(m_pos) == '-')
            number += m_rtf.at(m_pos++);
        while (m_pos < m_rtf.size() && std::isdigit(quint8(m_rtf.at(m_pos))))
            number += m_rtf.at(m_pos++);
        if (!number.isEmpty())
            w.parameter = number.toInt();
        if (m_pos < m_rtf.size() && m_rtf.at(m_pos) == ' ')
            ++m_pos;
        return w;
    }

    // At a backslash: \'hh gives its byte, \\ \{ \} the character; returns -1 for anything else.
    int readSymbol()
    {
        if (m_pos + 1 >= m_rtf.size())
            return -1;
        const char s = m_rtf.at(m_pos + 1);
        if (s == '\\' || s == '{' || s == '}') {
            m_pos += 2;
            return quint8(s);
        }
        if (s == '\'' && m_pos + 3 < m_rtf.size()) {
            bool ok = false;
            const int byte = m_rtf.mid(m_pos + 2, 2).toInt(&ok, 16);
            m_pos += 4;
            return ok ? byte : -1;
        }
        return -1;
    }

    void fontTable()
    {
        readWord(); // \fonttbl
        while (m_d.error.isEmpty()) {
            skipLineBreaks();
            if (m_pos >= m_rtf.size())
                return void(failed(u"font table not closed"_s));
            if (m_rtf.at(m_pos) == '}') {
                ++m_pos;
                return;
            }
            if (m_rtf.at(m_pos) != '{')
                return void(failed(u"font table holds something else than entries"_s));
            ++m_pos;
            bool charsetSeen = false;
            while (m_pos < m_rtf.size() && m_rtf.at(m_pos) == '\\' && m_pos + 1 < m_rtf.size()
                && std::isalpha(quint8(m_rtf.at(m_pos + 1)))) {
                const Word w = readWord();
                if (w.name == "f" && w.parameter != m_d.fonts.size())
                    return void(failed(u"font numbers out of order"_s));
                if (w.name == "fcharset")
                    charsetSeen = w.parameter == 134;
            }
            if (!charsetSeen)
                return void(failed(u"font without \\fcharset134"_s));
            QByteArray name;
            while (m_pos < m_rtf.size() && m_rtf.at(m_pos) != ';') {
                if (m_rtf.at(m_pos) == '\\') {
                    const int byte = readSymbol();
                    if (byte < 0)
                        return void(failed(u"bad escape in a font name"_s));
                    name += char(byte);
                } else if (m_rtf.at(m_pos) == '{' || m_rtf.at(m_pos) == '}') {
                    return void(failed(u"unescaped brace in a font name"_s));
                } else {
                    name += m_rtf.at(m_pos++);
                }
            }
            if (m_pos + 1 >= m_rtf.size() || m_rtf.at(m_pos + 1) != '}')
                return void(failed(u"font entry not closed"_s));
            m_pos += 2;
            QStringDecoder gbk("GBK");
            m_d.fonts.append(QString(gbk.decode(name)));
        }
    }

    void colourTable()
    {
        readWord(); // \colortbl
        quint32 rgb = 0;
        bool any = false;
        while (m_d.error.isEmpty()) {
            if (m_pos >= m_rtf.size())
                return void(failed(u"colour table not closed"_s));
            const char c = m_rtf.at(m_pos);
            if (c == '}') {
                ++m_pos;
                return;
            }
            if (c == ';') {
                ++m_pos;
                // the first entry is empty: "auto"
                m_d.colours.append(m_d.colours.isEmpty() && !any ? 0xFFFFFFFFu : rgb);
                rgb = 0;
                any = false;
            } else if (c == '\\') {
                const Word w = readWord();
                const int v = w.parameter.value_or(-1);
                if (v < 0 || v > 255)
                    return void(failed(u"colour component out of range"_s));
                const int shift = w.name == "red" ? 16 : w.name == "green" ? 8 : w.name == "blue" ? 0 : -1;
                if (shift < 0)
                    return void(failed(u"unknown colour word"_s));
                rgb |= quint32(v) << shift;
                any = true;
            } else {
                return void(failed(u"stray byte in the colour table"_s));
            }
        }
    }

    void skipLineBreaks()
    {
        while (m_pos < m_rtf.size() && (m_rtf.at(m_pos) == '\r' || m_rtf.at(m_pos) == '\n'))
            ++m_pos;
    }

    void bodyControl()
    {
        if (m_pos + 1 < m_rtf.size() && !std::isalpha(quint8(m_rtf.at(m_pos + 1)))) {
            const bool hex = m_rtf.at(m_pos + 1) == '\'';
            const int byte = readSymbol();
            if (byte < 0)
                return void(failed(u"unknown control symbol"_s));
            if (hex) {
                if (m_skip == 0)
                    return void(failed(u"\\'hh outside a \\u fallback"_s));
                --m_skip;
                m_d.legacy += char(byte);
            } else {
                literal(QChar(byte), char(byte));
            }
            return;
        }
        if (m_skip > 0)
            return void(failed(u"control word inside a \\u fallback"_s));
        const Word w = readWord();
        const int p = w.parameter.value_or(1);
        if (w.name == "rtf" || w.name == "ansi" || w.name == "ansicpg" || w.name == "deff") {
            // header words
        } else if (w.name == "uc") {
            m_uc = p;
        } else if (w.name == "u") {
            if (!w.parameter || *w.parameter < -32768 || *w.parameter > 32767)
                return void(failed(u"\\u without a signed 16-bit number"_s));
            append(QChar(char16_t(quint16(qint16(*w.parameter)))));
            m_skip = m_uc;
        } else if (w.name == "par") {
            append(u'\n', true);
            m_d.legacy += '\n';
        } else if (w.name == "tab") {
            append(u'\t');
            m_d.legacy += '\t';
        } else if (w.name == "f") {
            if (p < 0 || p >= m_d.fonts.size())
                return void(failed(u"undefined font"_s));
            m_format.font = m_d.fonts.at(p);
        } else if (w.name == "dbch" || w.name == "loch") {
            // which script the next words are for; the text itself tells
        } else if (w.name == "af") {
            if (p < 0 || p >= m_d.fonts.size() || m_d.fonts.at(p) != m_format.font)
                return void(failed(u"double-byte font differs from the font"_s));
        } else if (w.name == "fs") {
            m_format.halfPoints = p;
        } else if (w.name == "cf") {
            if (p <= 0 || p >= m_d.colours.size())
                return void(failed(u"undefined colour"_s));
            m_format.rgb = m_d.colours.at(p);
        } else if (w.name == "b") {
            m_format.bold = p != 0;
        } else if (w.name == "i") {
            m_format.italic = p != 0;
        } else if (w.name == "ul") {
            m_format.underline = p != 0;
        } else if (w.name == "ulnone") {
            m_format.underline = false;
        } else if (w.name == "strike") {
            m_format.strikeOut = p != 0;
        } else {
            failed(u"unexpected control word \\%1"_s.arg(QString::fromLatin1(w.name)));
        }
    }

    void literal(QChar c, char byte)
    {
        m_d.legacy += byte;
        if (m_skip > 0) {
            --m_skip;
            return;
        }
        append(c);
    }

    void append(QChar c, bool paragraph = false)
    {
        m_d.reading.text += c;
        m_d.reading.formats.append(paragraph ? CharFormat() : m_format);
    }

    QByteArray m_rtf;
    qsizetype m_pos = 0;
    Decoded m_d;
    CharFormat m_format;
    int m_uc = 1;
    int m_skip = 0;
};

Decoded decode(const QByteArray &rtf)
{
    return RtfScanner(rtf).decode();
}

RtfRun plainRun(const QString &text)
{
    RtfRun run;
    run.text = text;
    return run;
}

// The text between the header and the closing brace of a one-run document with default format.
QByteArray bodyOf(const QByteArray &rtf)
{
    const QByteArray start = "\\uc2\\f0\\dbch\\af0\\loch\\fs21\\cf1";
    const qsizetype at = rtf.indexOf(start);
    if (at < 0 || !rtf.endsWith('}'))
        return "<no body>";
    return rtf.mid(at + start.size(), rtf.size() - at - start.size() - 1);
}

} // namespace

class TstRtfWriter : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void documentFrame_data();
    void documentFrame();
    void characterEscapes_data();
    void characterEscapes();
    void fallbackForOldReaders_data();
    void fallbackForOldReaders();
    void fontTable_data();
    void fontTable();
    void colourTable_data();
    void colourTable();
    void fontSize_data();
    void fontSize();
    void formatWordsOnlyOnChange_data();
    void formatWordsOnlyOnChange();
    void readsBack_data();
    void readsBack();
    void libreOfficeReadsText();
    void libreOfficeKeepsFormatting();

private:
    RtfDocument libreOfficeDocument() const;
    QString convertWithLibreOffice(const QString &filter, const QString &extension);

    QTemporaryDir m_workDir;
    QString m_soffice;
};

void TstRtfWriter::initTestCase()
{
    QVERIFY(m_workDir.isValid());
    m_soffice = QStandardPaths::findExecutable(u"soffice"_s);
}

void TstRtfWriter::documentFrame_data()
{
    QTest::addColumn<RtfDocument>("runs");

    RtfRun bold = plainRun(u"粗体 bold"_s);
    bold.bold = true;
    RtfRun coloured = plainRun(u"红 red\n"_s);
    coloured.rgb = 0xFF0000;
    coloured.fontFamily = u"Arial"_s;

    QTest::newRow("empty document") << RtfDocument();
    QTest::newRow("one empty run") << RtfDocument { plainRun(QString()) };
    QTest::newRow("ascii only") << RtfDocument { plainRun(u"abc"_s) };
    QTest::newRow("chinese and formats") << RtfDocument { plainRun(u"张三\r\n"_s), bold, coloured };
}

// Every document, whatever it holds: the header, one \uc2 before any \uN, pure ASCII, and a structure the
// strict reader accepts.
void TstRtfWriter::documentFrame()
{
    QFETCH(RtfDocument, runs);
    const QByteArray rtf = RtfWriter::write(runs);

    QVERIFY2(rtf.startsWith("{\\rtf1\\ansi\\ansicpg936\\deff0"), rtf.constData());
    QVERIFY(rtf.endsWith('}'));
    for (const char c : rtf)
        QVERIFY2(quint8(c) < 0x80, "output holds a non-ASCII byte");
    QCOMPARE(rtf.count("\\uc2"), 1);
    const QRegularExpressionMatch unicode = QRegularExpression(u"\\\\u-?\\d"_s).match(QString::fromLatin1(rtf));
    if (unicode.hasMatch())
        QVERIFY(rtf.indexOf("\\uc2") < unicode.capturedStart());

    const Decoded d = decode(rtf);
    QVERIFY2(d.error.isEmpty(), qPrintable(d.error));
    QVERIFY(!d.fonts.isEmpty()); // \deff0 must name a font
}

void TstRtfWriter::characterEscapes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("body");

    QTest::newRow("ascii/letters after format words") << u"abc"_s << QByteArray(" abc");
    QTest::newRow("ascii/leading space kept") << u" a"_s << QByteArray("  a");
    QTest::newRow("ascii/digits after format words") << u"12"_s << QByteArray(" 12");
    QTest::newRow("ascii/punctuation") << u"a;b:c'd\"e?"_s << QByteArray(" a;b:c'd\"e?");
    QTest::newRow("escape/backslash") << u"a\\b"_s << QByteArray(" a\\\\b");
    QTest::newRow("escape/braces") << u"{x}"_s << QByteArray("\\{x\\}");
    QTest::newRow("escape/backslash before letters") << u"\\par"_s << QByteArray("\\\\par");
    QTest::newRow("tab/between letters") << u"a\tb"_s << QByteArray(" a\\tab b");
    QTest::newRow("tab/before digit") << u"\t1"_s << QByteArray("\\tab 1");
    QTest::newRow("tab/before brace") << u"\t{"_s << QByteArray("\\tab\\{");
    QTest::newRow("paragraph/LF") << u"a\nb"_s << QByteArray(" a\\par\r\nb");
    QTest::newRow("paragraph/CR LF") << u"a\r\nb"_s << QByteArray(" a\\par\r\nb");
    QTest::newRow("paragraph/final LF still breaks, and the empty last paragraph has its own mark")
        << u"a\n"_s << QByteArray(" a\\par\r\n\\par\r\n");
    QTest::newRow("paragraph/empty paragraphs") << u"\n\n"_s << QByteArray("\\par\r\n\\par\r\n\\par\r\n");
    QTest::newRow("paragraph/lone CR ignored") << u"a\rb"_s << QByteArray(" ab");
    QTest::newRow("paragraph/space after break") << u"\n x"_s << QByteArray("\\par\r\n x");
    QTest::newRow("control/other controls dropped") << u"a\u0001\u001fb\u007f"_s << QByteArray(" ab");
    QTest::newRow("unicode/common hanzi") << u"中"_s << QByteArray("\\u20013\\'d6\\'d0");
    QTest::newRow("unicode/digit right after hanzi") << u"中1"_s << QByteArray("\\u20013\\'d6\\'d01");
    QTest::newRow("unicode/trail byte below 0x80") << u"丂"_s << QByteArray("\\u19970\\'81\\'40");
    QTest::newRow("unicode/largest positive N") << u"\u7fff"_s << QByteArray("\\u32767\\'c2\\'52");
    QTest::newRow("unicode/smallest negative N") << u"\u8000"_s << QByteArray("\\u-32768\\'d2\\'ab");
    QTest::newRow("unicode/traditional above 0x8000") << u"龍"_s << QByteArray("\\u-24691\\'fd\\'88");
    QTest::newRow("unicode/full-width colon") << u"："_s << QByteArray("\\u-230\\'a3\\'ba");
    QTest::newRow("unicode/ideographic space") << u"\u3000"_s << QByteArray("\\u12288\\'a1\\'a1");
    QTest::newRow("unicode/latin-1 middle dot") << u"\u00b7"_s << QByteArray("\\u183\\'a1\\'a4");
    QTest::newRow("unicode/euro has only one GBK byte") << u"€"_s << QByteArray("\\u8364??");
    QTest::newRow("unicode/not in GBK") << u"\u00ff"_s << QByteArray("\\u255??");
    QTest::newRow("unicode/U+FFFF") << u"\uffff"_s << QByteArray("\\u-1??");
    QTest::newRow("surrogates/pair") << u"\U00020000"_s << QByteArray("\\u-10176??\\u-9216??");
    QTest::newRow("surrogates/lone high then letter")
        << (QString(QChar(0xD800)) + u"a"_s) << QByteArray("\\u-10240??a");
    QTest::newRow("surrogates/lone low then hanzi")
        << (QString(QChar(0xDC00)) + u"中"_s) << QByteArray("\\u-9216??\\u20013\\'d6\\'d0");
}

void TstRtfWriter::characterEscapes()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, body);
    const QByteArray rtf = RtfWriter::write({ plainRun(text) });
    QCOMPARE(bodyOf(rtf), body);

    // The strict reader must get the same text back (CR dropped, lone surrogates kept as they are).
    const Decoded d = decode(rtf);
    QVERIFY2(d.error.isEmpty(), qPrintable(d.error));
    QString expected;
    for (const QChar c : text)
        if (c != u'\r' && (c.unicode() >= 0x20 || c == u'\n' || c == u'\t') && c.unicode() != 0x7F)
            expected += c;
    QCOMPARE(d.reading.text, expected);
}

void TstRtfWriter::fallbackForOldReaders_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("legacy");

    QTest::newRow("ascii untouched") << u"ASCII {x} \\ y"_s << u"ASCII {x} \\ y"_s;
    QTest::newRow("simplified") << u"张三 公司名分析"_s << u"张三 公司名分析"_s;
    QTest::newRow("traditional in GBK") << u"龍與鳳"_s << u"龍與鳳"_s;
    QTest::newRow("full-width punctuation") << u"第二行：龍、"_s << u"第二行：龍、"_s;
    QTest::newRow("outside the BMP is two units of ??") << u"a\U00020000b"_s << u"a????b"_s;
    QTest::newRow("euro is ??") << u"5€"_s << u"5??"_s;
    QTest::newRow("paragraphs and tabs") << u"甲\t乙\r\n丙"_s << u"甲\t乙\n丙"_s;
}

// A reader that ignores \uN reads the GBK bytes that follow it: the text must survive there too.
void TstRtfWriter::fallbackForOldReaders()
{
    QFETCH(QString, text);
    QFETCH(QString, legacy);
    const Decoded d = decode(RtfWriter::write({ plainRun(text) }));
    QVERIFY2(d.error.isEmpty(), qPrintable(d.error));
    QStringDecoder gbk("GBK");
    QCOMPARE(QString(gbk.decode(d.legacy)), legacy);
}

void TstRtfWriter::fontTable_data()
{
    QTest::addColumn<QStringList>("families");
    QTest::addColumn<QStringList>("table");
    QTest::addColumn<QByteArray>("rawEntries");

    QTest::newRow("default 宋体 as GBK bytes")
        << QStringList { u"宋体"_s } << QStringList { u"宋体"_s }
        << QByteArray("{\\fonttbl{\\f0\\fnil\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}}");
    QTest::newRow("ascii name as is") << QStringList { u"Arial"_s } << QStringList { u"Arial"_s }
                                      << QByteArray("{\\fonttbl{\\f0\\fnil\\fcharset134 Arial;}}");
    QTest::newRow("first use order, each once")
        << QStringList { u"黑体"_s, u"宋体"_s, u"黑体"_s, u"Microsoft YaHei"_s, u"宋体"_s }
        << QStringList { u"黑体"_s, u"宋体"_s, u"Microsoft YaHei"_s }
        << QByteArray("{\\f2\\fnil\\fcharset134 Microsoft YaHei;}");
    QTest::newRow("four-character chinese name") << QStringList { u"微软雅黑"_s } << QStringList { u"微软雅黑"_s }
                                                 << QByteArray("\\'ce\\'a2\\'c8\\'ed\\'d1\\'c5\\'ba\\'da;}");
    QTest::newRow("name with RTF control characters")
        << QStringList { u"A{b}\\c"_s } << QStringList { u"A{b}\\c"_s } << QByteArray("A\\{b\\}\\\\c;}");
    QTest::newRow("semicolon cannot end the entry")
        << QStringList { u"a;b"_s } << QStringList { u"a;b"_s } << QByteArray("a\\'3bb;}");
}

void TstRtfWriter::fontTable()
{
    QFETCH(QStringList, families);
    QFETCH(QStringList, table);
    QFETCH(QByteArray, rawEntries);

    RtfDocument runs;
    for (const QString &family : families) {
        RtfRun run = plainRun(u"x"_s);
        run.fontFamily = family;
        runs.append(run);
    }
    const QByteArray rtf = RtfWriter::write(runs);
    QVERIFY2(rtf.contains(rawEntries), rtf.constData());
    const Decoded d = decode(rtf);
    QVERIFY2(d.error.isEmpty(), qPrintable(d.error));
    QCOMPARE(d.fonts, table);

    FormattedText expected;
    for (const RtfRun &run : std::as_const(runs)) {
        expected.text += run.text;
        expected.formats.append(CharFormat { run.fontFamily, 21, 0 });
    }
    QString difference;
    QVERIFY2(sameReading(d.reading, expected, &difference), qPrintable(difference));
}

void TstRtfWriter::colourTable_data()
{
    QTest::addColumn<QList<quint32>>("colours");
    QTest::addColumn<QByteArray>("raw");

    QTest::newRow("black only") << QList<quint32> { 0 } << QByteArray("{\\colortbl ;\\red0\\green0\\blue0;}");
    QTest::newRow("components in order") << QList<quint32> { 0x123456 }
                                         << QByteArray("{\\colortbl ;\\red18\\green52\\blue86;}");
    QTest::newRow("first use order, each once") << QList<quint32> { 0xFF0000, 0x0000FF, 0xFF0000,
        0 } << QByteArray("{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;\\red0\\green0\\blue0;}");
    QTest::newRow("high byte ignored") << QList<quint32> { 0xFF00FF00, 0x0000FF00 }
                                       << QByteArray("{\\colortbl ;\\red0\\green255\\blue0;}");
}

void TstRtfWriter::colourTable()
{
    QFETCH(QList<quint32>, colours);
    QFETCH(QByteArray, raw);

    RtfDocument runs;
    FormattedText expected;
    for (const quint32 rgb : colours) {
        RtfRun run = plainRun(u"色"_s);
        run.rgb = rgb;
        runs.append(run);
        expected.text += run.text;
        expected.formats.append(CharFormat { u"宋体"_s, 21, rgb & 0xFFFFFF });
    }
    const QByteArray rtf = RtfWriter::write(runs);
    QVERIFY2(rtf.contains(raw), rtf.constData());
    const Decoded d = decode(rtf);
    QVERIFY2(d.error.isEmpty(), qPrintable(d.error));
    QString difference;
    QVERIFY2(sameReading(d.reading, expected, &difference), qPrintable(difference));
}

void TstRtfWriter::fontSize_data()
{
    QTest::addColumn<double>("points");
    QTest::addColumn<int>("halfPoints");

    QTest::newRow("five-point-five (小五)") << 10.5 << 21;
    QTest::newRow("whole points") << 12.0 << 24;
    QTest::newRow("large") << 26.0 << 52;
    QTest::newRow("quarter rounds up") << 10.75 << 22;
    QTest::newRow("just below a quarter rounds down") << 10.7 << 21;
    QTest::newRow("tiny still readable") << 0.1 << 1;
    QTest::newRow("zero") << 0.0 << 1;
    QTest::newRow("negative") << -8.0 << 1;
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << 1;
    QTest::newRow("huge capped") << 1e12 << 3276;
}

void TstRtfWriter::fontSize()
{
    QFETCH(double, points);
    QFETCH(int, halfPoints);
    RtfRun run = plainRun(u"x"_s);
    run.pointSize = points;
    const QByteArray rtf = RtfWriter::write({ run });
    const Decoded d = decode(rtf);
    QVERIFY2(d.error.isEmpty(), qPrintable(d.error));
    QCOMPARE(d.reading.formats.size(), 1);
    QCOMPARE(d.reading.formats.first().halfPoints, halfPoints);
}

void TstRtfWriter::formatWordsOnlyOnChange_data()
{
    QTest::addColumn<RtfDocument>("runs");
    QTest::addColumn<QByteArray>("body");

    RtfRun a = plainRun(u"a"_s);
    RtfRun b = plainRun(u"b"_s);

    RtfRun boldB = b;
    boldB.bold = true;
    QTest::newRow("same format, no words") << RtfDocument { a, b } << QByteArray(" ab");
    QTest::newRow("bold on") << RtfDocument { a, boldB } << QByteArray(" a\\b b");
    QTest::newRow("bold on and off") << RtfDocument { a, boldB, a } << QByteArray(" a\\b b\\b0 a");

    RtfRun all = b;
    all.italic = all.underline = all.strikeOut = true;
    QTest::newRow("italic underline strike on and off")
        << RtfDocument { a, all, a } << QByteArray(" a\\i\\ul\\strike b\\i0\\ulnone\\strike0 a");

    RtfRun biggerRed = b;
    biggerRed.pointSize = 14;
    biggerRed.rgb = 0xFF0000;
    QTest::newRow("size and colour") << RtfDocument { a, biggerRed, a } << QByteArray(" a\\fs28\\cf2 b\\fs21\\cf1 a");

    RtfRun arial = b;
    arial.fontFamily = u"Arial"_s;
    QTest::newRow("font") << RtfDocument { a, arial, a } << QByteArray(" a\\f1\\dbch\\af1\\loch b\\f0\\dbch\\af0\\loch a");

    RtfRun boldDigit = plainRun(u"1"_s);
    boldDigit.bold = true;
    QTest::newRow("digit after a word keeps its delimiter") << RtfDocument { a, boldDigit } << QByteArray(" a\\b 1");

    RtfRun empty = plainRun(QString());
    empty.bold = true;
    QTest::newRow("empty run writes nothing") << RtfDocument { a, empty, a } << QByteArray(" aa");
}

void TstRtfWriter::formatWordsOnlyOnChange()
{
    QFETCH(RtfDocument, runs);
    QFETCH(QByteArray, body);
    QCOMPARE(bodyOf(RtfWriter::write(runs)), body);
}

void TstRtfWriter::readsBack_data()
{
    QTest::addColumn<RtfDocument>("runs");

    RtfRun title = plainRun(u"张三 公司名分析\r\n"_s);
    title.bold = true;
    title.pointSize = 16;
    title.rgb = 0xC00000;
    RtfRun body = plainRun(u"第二行：龍、\U00020000, ASCII {brace} \\ back\tend\r\n"_s);
    RtfRun note = plainRun(u"斜体 italic"_s);
    note.italic = true;
    note.fontFamily = u"黑体"_s;
    note.rgb = 0x0000FF;
    QTest::newRow("report/title, body, note") << RtfDocument { title, body, note };

    RtfDocument toggles;
    for (int mask = 0; mask < 16; ++mask) {
        RtfRun run = plainRun(u"%1格"_s.arg(mask));
        run.bold = mask & 1;
        run.italic = mask & 2;
        run.underline = mask & 4;
        run.strikeOut = mask & 8;
        toggles.append(run);
    }
    QTest::newRow("toggles/every combination in a row") << toggles;

    RtfDocument reversed = toggles;
    std::reverse(reversed.begin(), reversed.end());
    QTest::newRow("toggles/every combination backwards") << reversed;

    RtfDocument mixed;
    const QStringList families { u"宋体"_s, u"Arial"_s, u"黑体"_s };
    const QList<quint32> colours { 0, 0xFF0000, 0x00FF00, 0x0000FF };
    const QList<double> sizes { 10.5, 9, 12, 22 };
    for (int i = 0; i < 24; ++i) {
        RtfRun run = plainRun(i % 5 == 4 ? u" 1\n"_s : u"x字2"_s);
        run.fontFamily = families.at(i % 3);
        run.rgb = colours.at(i % 4);
        run.pointSize = sizes.at((i / 2) % 4);
        run.bold = i % 7 == 0;
        mixed.append(run);
    }
    QTest::newRow("mixed/fonts, colours and sizes cycling") << mixed;

    RtfRun digitsAfterBreak = plainRun(u"a\n1\n\t2\n{3}\n"_s);
    RtfRun boldDigits = plainRun(u"45"_s);
    boldDigits.bold = true;
    QTest::newRow("delimiters/digits after every kind of word") << RtfDocument { digitsAfterBreak, boldDigits };

    QTest::newRow("paragraphs/only breaks") << RtfDocument { plainRun(u"\r\n\r\n\n"_s) };
}

// Whatever the runs are, a reader must get back each character with its run's format.
void TstRtfWriter::readsBack()
{
    QFETCH(RtfDocument, runs);
    const Decoded d = decode(RtfWriter::write(runs));
    QVERIFY2(d.error.isEmpty(), qPrintable(d.error));
    QString difference;
    QVERIFY2(sameReading(d.reading, expectedReading(runs), &difference), qPrintable(difference));
}

RtfDocument TstRtfWriter::libreOfficeDocument() const
{
    RtfRun title = plainRun(u"张三 公司名分析\r\n"_s);
    title.bold = true;
    title.pointSize = 16;
    title.rgb = 0xC00000;
    RtfRun body = plainRun(u"第二行：龍、\U00020000, ASCII {brace} \\ back\tTab €\r\n"_s);
    RtfRun italic = plainRun(u"斜体 italic "_s);
    italic.italic = true;
    italic.fontFamily = u"黑体"_s;
    italic.pointSize = 12;
    italic.rgb = 0x0000FF;
    RtfRun underline = plainRun(u"下划线"_s);
    underline.underline = true;
    underline.rgb = 0x008000;
    RtfRun strike = plainRun(u" strike 删除"_s);
    strike.strikeOut = true;
    strike.fontFamily = u"Arial"_s;
    strike.pointSize = 9;
    RtfRun boldDigits = plainRun(u"1粗体2"_s);
    boldDigits.bold = true;
    RtfRun last = plainRun(u"\r\n最后一行 last line"_s);
    return { title, body, italic, underline, strike, boldDigits, last };
}

// Runs LibreOffice on the document and returns the converted file's path, or an empty string after QFAIL.
QString TstRtfWriter::convertWithLibreOffice(const QString &filter, const QString &extension)
{
    const QString rtfPath = m_workDir.filePath(u"roundtrip.rtf"_s);
    QFile file(rtfPath);
    if (!file.open(QIODevice::WriteOnly) || file.write(RtfWriter::write(libreOfficeDocument())) < 0)
        return QString();
    file.close();

    const QString outDir = m_workDir.filePath(extension);
    QProcess soffice;
    soffice.setProcessChannelMode(QProcess::MergedChannels);
    // A private profile: works as root, beside a running LibreOffice, and in parallel test runs.
    soffice.start(m_soffice,
        { u"-env:UserInstallation="_s + QUrl::fromLocalFile(m_workDir.filePath(u"profile"_s)).toString(),
            u"--headless"_s, u"--norestore"_s, u"--convert-to"_s, filter, u"--outdir"_s, outDir, rtfPath });
    if (!soffice.waitForFinished(120'000)) {
        soffice.kill();
        soffice.waitForFinished();
        qWarning().noquote() << "soffice did not finish:" << soffice.readAll();
        return QString();
    }
    const QString converted = outDir + u"/roundtrip."_s + extension;
    if (soffice.exitCode() != 0 || !QFile::exists(converted)) {
        qWarning().noquote() << "soffice failed:" << soffice.readAll();
        return QString();
    }
    return converted;
}

void TstRtfWriter::libreOfficeReadsText()
{
    if (m_soffice.isEmpty())
        QSKIP("LibreOffice (soffice) is not on PATH; install libreoffice-writer-nogui to run this round trip");

    const QString txtPath = convertWithLibreOffice(u"txt:Text (encoded):UTF8"_s, u"txt"_s);
    QVERIFY2(!txtPath.isEmpty(), "LibreOffice could not convert the document to text");
    QFile txt(txtPath);
    QVERIFY(txt.open(QIODevice::ReadOnly));
    QString text = QString::fromUtf8(txt.readAll());
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    text.remove(u'\r');

    QString expected;
    for (const RtfRun &run : libreOfficeDocument())
        expected += run.text;
    expected.remove(u'\r');
    // LibreOffice ends every paragraph, the last one included, with a line break.
    QVERIFY2(text.endsWith(u'\n'), qPrintable(text));
    text.chop(1);
    QCOMPARE(text, expected);
}

// LibreOffice's flat XML shows how it understood each run: font, size, colour and the four switches.
void TstRtfWriter::libreOfficeKeepsFormatting()
{
    if (m_soffice.isEmpty())
        QSKIP("LibreOffice (soffice) is not on PATH; install libreoffice-writer-nogui to run this round trip");

    const QString fodtPath = convertWithLibreOffice(u"fodt"_s, u"fodt"_s);
    QVERIFY2(!fodtPath.isEmpty(), "LibreOffice could not convert the document to flat ODF");
    QFile fodt(fodtPath);
    QVERIFY(fodt.open(QIODevice::ReadOnly));

    QHash<QString, CharFormat> styles;
    FormattedText reading;
    QList<CharFormat> spanFormats;
    CharFormat paragraphFormat;
    QString currentStyle;
    bool inBody = false;
    bool inParagraph = false;

    auto styleFormat = [&styles](const QString &name) { return styles.value(name); };

    QXmlStreamReader xml(&fodt);
    while (!xml.atEnd()) {
        xml.readNext();
        const QStringView name = xml.qualifiedName();
        if (xml.isStartElement()) {
            const QXmlStreamAttributes a = xml.attributes();
            if (name == u"style:style") {
                currentStyle = a.value(u"style:name"_s).toString();
            } else if (name == u"style:text-properties" && !currentStyle.isEmpty()) {
                CharFormat f;
                f.font = a.value(u"style:font-name"_s).toString();
                const QString size = a.value(u"fo:font-size"_s).toString();
                f.halfPoints = size.endsWith(u"pt"_s) ? qRound(QStringView(size).chopped(2).toDouble() * 2) : 0;
                f.rgb = a.value(u"fo:color"_s).mid(1).toUInt(nullptr, 16);
                f.bold = a.value(u"fo:font-weight"_s) == u"bold"_s;
                f.italic = a.value(u"fo:font-style"_s) == u"italic"_s;
                const QStringView underline = a.value(u"style:text-underline-style"_s);
                f.underline = !underline.isEmpty() && underline != u"none"_s;
                const QStringView strike = a.value(u"style:text-line-through-style"_s);
                f.strikeOut = !strike.isEmpty() && strike != u"none"_s;
                styles.insert(currentStyle, f);
            } else if (name == u"office:text") {
                inBody = true;
            } else if (inBody && (name == u"text:p" || name == u"text:h")) {
                if (!reading.text.isEmpty()) {
                    reading.text += u'\n';
                    reading.formats.append(CharFormat());
                }
                paragraphFormat = styleFormat(a.value(u"text:style-name"_s).toString());
                inParagraph = true;
            } else if (inBody && name == u"text:span") {
                spanFormats.append(styleFormat(a.value(u"text:style-name"_s).toString()));
            } else if (inBody && (name == u"text:tab" || name == u"text:s")) {
                const int count = name == u"text:s" ? qMax(1, a.value(u"text:c"_s).toInt()) : 1;
                for (int i = 0; i < count; ++i) {
                    reading.text += name == u"text:tab" ? u'\t' : u' ';
                    reading.formats.append(spanFormats.isEmpty() ? paragraphFormat : spanFormats.last());
                }
            }
        } else if (xml.isEndElement()) {
            if (name == u"style:style")
                currentStyle.clear();
            else if (name == u"office:text")
                inBody = false;
            else if (inBody && name == u"text:span" && !spanFormats.isEmpty())
                spanFormats.removeLast();
            else if (name == u"text:p" || name == u"text:h")
                inParagraph = false;
        } else if (xml.isCharacters() && inParagraph) {
            // only inside a paragraph is character data text; elsewhere it is the file's indentation
            for (const QChar c : xml.text()) {
                reading.text += c;
                reading.formats.append(spanFormats.isEmpty() ? paragraphFormat : spanFormats.last());
            }
        }
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));

    QString difference;
    QVERIFY2(sameReading(reading, expectedReading(libreOfficeDocument()), &difference), qPrintable(difference));
}

QTEST_GUILESS_MAIN(TstRtfWriter)
#include "tst_rtfwriter.moc"
