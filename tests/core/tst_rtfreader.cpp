#include "text/RtfReader.h"
#include "text/RtfWriter.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

using namespace tolvane;
using namespace Qt::StringLiterals;

namespace {

// One character's format as a reader reports it.
struct CharFormat {
    QString font;
    double pointSize = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    quint32 rgb = 0;

    bool operator==(const CharFormat &) const = default;
};

QString describe(const CharFormat &f)
{
    return u"%1 %2pt #%3%4%5%6%7"_s.arg(f.font)
        .arg(f.pointSize)
        .arg(f.rgb, 6, 16, QLatin1Char('0'))
        .arg(f.bold ? u" bold"_s : QString(), f.italic ? u" italic"_s : QString(),
             f.underline ? u" underline"_s : QString(), f.strikeOut ? u" strike"_s : QString());
}

CharFormat formatOf(const RtfRun &run)
{
    return {run.fontFamily, run.pointSize, run.bold, run.italic, run.underline, run.strikeOut, run.rgb & 0xFFFFFF};
}

// The text without "\r", and the format of every character but the paragraph breaks.
struct Flat {
    QString text;
    QList<CharFormat> formats;
};

Flat flatten(const RtfDocument &runs)
{
    Flat flat;
    for (const RtfRun &run : runs) {
        for (const QChar c : run.text) {
            if (c == u'\r')
                continue;
            flat.text += c;
            flat.formats.append(c == u'\n' ? CharFormat() : formatOf(run));
        }
    }
    return flat;
}

bool sameDocument(const RtfDocument &actual, const RtfDocument &expected, QString *difference)
{
    const Flat a = flatten(actual);
    const Flat e = flatten(expected);
    if (a.text != e.text) {
        *difference = u"text \"%1\", expected \"%2\""_s.arg(a.text, e.text);
        return false;
    }
    for (qsizetype i = 0; i < e.text.size(); ++i) {
        if (e.text.at(i) != u'\n' && a.formats.at(i) != e.formats.at(i)) {
            *difference = u"character %1 ('%2') reads as %3, expected %4"_s.arg(i)
                              .arg(e.text.at(i))
                              .arg(describe(a.formats.at(i)), describe(e.formats.at(i)));
            return false;
        }
    }
    return true;
}

RtfRun run(const QString &text, const QString &font = u"宋体"_s, double size = 10.5)
{
    RtfRun r;
    r.text = text;
    r.fontFamily = font;
    r.pointSize = size;
    return r;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString sampleDir()
{
    return qEnvironmentVariable("TOLVANE_TEST_DATA") + u"/rtf/"_s;
}

// Where in a read document a piece of text is, and what it should look like there.
struct Expectation {
    QString piece;
    CharFormat format;
};

} // namespace

Q_DECLARE_METATYPE(tolvane::RtfDocument)
Q_DECLARE_METATYPE(QList<Expectation>)

class TstRtfReader : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void notRtf_data();
    void notRtf();
    void writerRoundTrip_data();
    void writerRoundTrip();
    void textAndEscapes_data();
    void textAndEscapes();
    void formats_data();
    void formats();
    void samplesFromOtherPrograms_data();
    void samplesFromOtherPrograms();
    void libreOfficeRoundTrip();
};

void TstRtfReader::notRtf_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("plain text") << QByteArray("张三 is not RTF");
    QTest::newRow("brace but no rtf word") << QByteArray("{\\ansi hello}");
    QTest::newRow("html") << QByteArray("<html><body>{\\rtf1}</body></html>");
}

void TstRtfReader::notRtf()
{
    QFETCH(QByteArray, data);
    QVERIFY(!RtfReader::read(data).has_value());
}

void TstRtfReader::writerRoundTrip_data()
{
    QTest::addColumn<RtfDocument>("document");

    RtfRun title = run(u"张三 公司名分析\r\n"_s, u"黑体"_s, 16);
    title.bold = true;
    title.rgb = 0xC00000;
    RtfRun body = run(u"第二行：龍、\U00020000, ASCII {brace} \\ back\tend €\r\n"_s);
    RtfRun note = run(u"斜体 italic"_s, u"Arial"_s, 9);
    note.italic = true;
    note.rgb = 0x0000FF;
    QTest::newRow("report/title, body, note") << RtfDocument{title, body, note};

    RtfDocument toggles;
    for (int mask = 0; mask < 16; ++mask) {
        RtfRun r = run(u"%1格"_s.arg(mask));
        r.bold = mask & 1;
        r.italic = mask & 2;
        r.underline = mask & 4;
        r.strikeOut = mask & 8;
        toggles.append(r);
    }
    QTest::newRow("formats/every combination of bold, italic, underline, strike") << toggles;

    QTest::newRow("paragraphs/text ends with a line break") << RtfDocument{run(u"第一行\r\n第二行\r\n"_s)};
    QTest::newRow("paragraphs/empty lines in between and at the end")
        << RtfDocument{run(u"\r\n\r\n甲\r\n\r\n乙\r\n\r\n"_s)};
    QTest::newRow("paragraphs/only a line break") << RtfDocument{run(u"\r\n"_s)};
    QTest::newRow("text/font name with a semicolon and braces")
        << RtfDocument{run(u"字"_s, u"My;Font {x}"_s, 12)};
    QTest::newRow("text/large and small sizes") << RtfDocument{run(u"大"_s, u"宋体"_s, 72), run(u"小"_s, u"宋体"_s, 5.5)};
    QTest::newRow("text/white is not black") << RtfDocument{[] {
        RtfRun r = run(u"白字"_s);
        r.rgb = 0xFFFFFF;
        return r;
    }()};
}

void TstRtfReader::writerRoundTrip()
{
    QFETCH(RtfDocument, document);
    const std::optional<RtfDocument> read = RtfReader::read(RtfWriter::write(document));
    QVERIFY(read);
    QString difference;
    QVERIFY2(sameDocument(*read, document, &difference), qPrintable(difference));
}

void TstRtfReader::textAndEscapes_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");

    QTest::newRow("gbk/ansicpg936 with a font of the default charset")
        << QByteArray("{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0\\fnil Song;}}\\f0 \\'d5\\'c5\\'c8\\'fd}") << u"张三"_s;
    QTest::newRow("gbk/pair split by a line break")
        << QByteArray("{\\rtf1\\ansi\\ansicpg936 \\'d5\r\n\\'c5}") << u"张"_s;
    QTest::newRow("gbk/fcharset134 font in a western document")
        << QByteArray("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset134 X;}}\\f1 \\'c7\\'e0\\f0 \\'e9}")
        << u"青é"_s;
    QTest::newRow("big5/cpg overrides fcharset")
        << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset134\\cpg950 X;}}\\f0 \\'a4\\'a4}") << u"中"_s;
    QTest::newRow("western/no code page means 1252")
        << QByteArray("{\\rtf1\\ansi \\'e9\\'80}") << u"é€"_s;
    QTest::newRow("unicode/uc1 skips one fallback byte")
        << QByteArray("{\\rtf1\\ansi\\uc1 \\u24352?\\u19977?}") << u"张三"_s;
    QTest::newRow("unicode/uc2 skips a GBK pair")
        << QByteArray("{\\rtf1\\ansi\\ansicpg936\\uc2 \\u24352\\'d5\\'c5x}") << u"张x"_s;
    QTest::newRow("unicode/uc0 skips nothing") << QByteArray("{\\rtf1\\uc0\\u24352 x}") << u"张x"_s;
    QTest::newRow("unicode/negative numbers") << QByteArray("{\\rtf1\\u-2\\'3f}") << u"\uFFFE"_s;
    QTest::newRow("unicode/surrogate pair") << QByteArray("{\\rtf1\\u-10176?\\u-9216?}") << u"\U00020000"_s;
    QTest::newRow("unicode/uc is scoped to its group")
        << QByteArray("{\\rtf1\\uc1{\\uc2\\u24352??}\\u19977?x}") << u"张三x"_s;
    QTest::newRow("unicode/skipping ends at a brace") << QByteArray("{\\rtf1\\uc4{\\u24352?}ab}") << u"张ab"_s;
    QTest::newRow("escapes/braces and backslash") << QByteArray("{\\rtf1 a\\{b\\}c\\\\d}") << u"a{b}c\\d"_s;
    QTest::newRow("escapes/special characters")
        << QByteArray("{\\rtf1 a\\~b\\emdash\\endash\\lquote\\rquote\\ldblquote\\rdblquote\\bullet\\-c}")
        << u"a\u00A0b\u2014\u2013\u2018\u2019\u201C\u201D\u2022c"_s;
    QTest::newRow("escapes/tab, line and paragraph")
        << QByteArray("{\\rtf1 a\\tab b\\line c\\par d}") << u"a\tb\nc\nd"_s;
    QTest::newRow("escapes/backslash line break is a paragraph") << QByteArray("{\\rtf1 a\\\r\nb}") << u"a\nb"_s;
    QTest::newRow("space/the delimiter belongs to the control word") << QByteArray("{\\rtf1\\b  two}") << u" two"_s;
    QTest::newRow("space/line breaks in the file are not text") << QByteArray("{\\rtf1 a\r\nb\nc}") << u"abc"_s;
    QTest::newRow("paragraphs/the last mark ends the last paragraph") << QByteArray("{\\rtf1 a\\par}") << u"a"_s;
    QTest::newRow("paragraphs/a second mark leaves an empty paragraph")
        << QByteArray("{\\rtf1 a\\par\\par}") << u"a\n"_s;
    QTest::newRow("paragraphs/a line break at the end stays") << QByteArray("{\\rtf1 a\\line}") << u"a\n"_s;
    QTest::newRow("skip/starred destinations")
        << QByteArray("{\\rtf1{\\*\\generator Riched20;}{\\*\\unknownthing {nested} text}a}") << u"a"_s;
    QTest::newRow("skip/style sheet, info, picture, header")
        << QByteArray("{\\rtf1{\\stylesheet{\\s0 Normal;}}{\\info{\\title T}}{\\pict\\pngblip 89504e47}"
                      "{\\header H}a}")
        << u"a"_s;
    QTest::newRow("skip/field instruction but not its result")
        << QByteArray("{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}}}") << u"link"_s;
    QTest::newRow("skip/binary data") << QByteArray("{\\rtf1 a\\bin4 }{\\b}") << u"a"_s;
    // Binary data in place of a \uN's fallback is the one character skipped, however many bytes it has.
    QTest::newRow("skip/binary data as the fallback")
        << QByteArray("{\\rtf1 \\u24352\\bin2 xy\\u19977\\'3fa}") << u"张三a"_s;
    QTest::newRow("skip/hidden text") << QByteArray("{\\rtf1 a{\\v hidden}b\\v c\\v0 d}") << u"abd"_s;
    QTest::newRow("end/text after the document is not read") << QByteArray("{\\rtf1 a}b") << u"a"_s;
    QTest::newRow("end/a truncated document keeps what was read") << QByteArray("{\\rtf1 ab{\\b c") << u"abc"_s;
    QTest::newRow("end/trailing NUL of WordPad") << QByteArray("{\\rtf1 a}\r\n", 12) + QByteArray(1, '\0')
                                                 << u"a"_s;
    QTest::newRow("table/cells and rows") << QByteArray("{\\rtf1 a\\cell b\\cell\\row c}") << u"a\tb\t\nc"_s;
}

void TstRtfReader::textAndEscapes()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    const std::optional<RtfDocument> read = RtfReader::read(rtf);
    QVERIFY(read);
    QCOMPARE(flatten(*read).text, text);
}

void TstRtfReader::formats_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<RtfDocument>("expected");

    const QByteArray fonts("{\\fonttbl{\\f0\\fnil\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}{\\f1\\fswiss Arial;}"
                           "{\\f2\\fcharset134 \\'ba\\'da\\'cc\\'e5;}}{\\colortbl ;\\red255\\green0\\blue0;}");
    const QByteArray head = "{\\rtf1\\ansi\\ansicpg936\\deff0" + fonts;

    QTest::newRow("defaults/12 point in the default font") << head + "x}" << RtfDocument{run(u"x"_s, u"宋体"_s, 12)};
    QTest::newRow("groups/a format ends with its group")
        << head + "{\\b\\fs40\\f1\\cf1 a}b}"
        << RtfDocument{[] {
               RtfRun r = run(u"a"_s, u"Arial"_s, 20);
               r.bold = true;
               r.rgb = 0xFF0000;
               return r;
           }(),
                       run(u"b"_s, u"宋体"_s, 12)};
    QTest::newRow("plain/resets the character format")
        << head + "\\b\\i\\ul\\strike\\f2\\fs30\\cf1 a\\plain b}"
        << RtfDocument{[] {
               RtfRun r = run(u"a"_s, u"黑体"_s, 15);
               r.bold = r.italic = r.underline = r.strikeOut = true;
               r.rgb = 0xFF0000;
               return r;
           }(),
                       run(u"b"_s, u"宋体"_s, 12)};
    QTest::newRow("toggles/zero switches off")
        << head + "\\b\\i\\ul\\strike a\\b0\\i0\\ulnone\\strike0 b}"
        << RtfDocument{[] {
               RtfRun r = run(u"a"_s, u"宋体"_s, 12);
               r.bold = r.italic = r.underline = r.strikeOut = true;
               return r;
           }(),
                       run(u"b"_s, u"宋体"_s, 12)};
    QTest::newRow("underline/other underline styles count as underline")
        << head + "\\uldb a\\ul0 b}" << RtfDocument{[] {
               RtfRun r = run(u"a"_s, u"宋体"_s, 12);
               r.underline = true;
               return r;
           }(),
                                                    run(u"b"_s, u"宋体"_s, 12)};
    QTest::newRow("colour/cf0 and an undefined entry are automatic")
        << head + "\\cf1 a\\cf0 b\\cf9 c}"
        << RtfDocument{[] {
               RtfRun r = run(u"a"_s, u"宋体"_s, 12);
               r.rgb = 0xFF0000;
               return r;
           }(),
                       run(u"bc"_s, u"宋体"_s, 12)};
    QTest::newRow("dbch/associated font, size and bold apply to Chinese only")
        << head + "\\f1\\fs20\\dbch\\af2\\afs32\\ab \\u38738?Ab}"
        << RtfDocument{[] {
               RtfRun r = run(u"青"_s, u"黑体"_s, 16);
               r.bold = true;
               return r;
           }(),
                       run(u"Ab"_s, u"Arial"_s, 10)};
    QTest::newRow("dbch/without associated values Chinese takes the others")
        << head + "\\f1\\fs20\\i\\dbch \\u38738?}" << RtfDocument{[] {
               RtfRun r = run(u"青"_s, u"Arial"_s, 10);
               r.italic = true;
               return r;
           }()};
    QTest::newRow("rtlch/associated values of right-to-left text are not ours")
        << head + "\\rtlch\\af1\\afs40\\ltrch\\f2\\fs24 \\u38738?}" << RtfDocument{run(u"青"_s, u"黑体"_s, 12)};
}

void TstRtfReader::formats()
{
    QFETCH(QByteArray, rtf);
    QFETCH(RtfDocument, expected);
    const std::optional<RtfDocument> read = RtfReader::read(rtf);
    QVERIFY(read);
    QString difference;
    QVERIFY2(sameDocument(*read, expected, &difference), qPrintable(difference));
}

void TstRtfReader::samplesFromOtherPrograms_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<Expectation>>("expectations");

    const auto fmt = [](const QString &font, double size, quint32 rgb = 0, bool bold = false, bool italic = false,
                        bool underline = false, bool strike = false) {
        return CharFormat{font, size, bold, italic, underline, strike, rgb};
    };

    // WordPad writes GBK pairs under \ansicpg936 and fonts named in GBK, and ends the file with a NUL.
    QTest::newRow("WordPad, GBK pairs")
        << u"wordpad-gbk.rtf"_s
        << u"张三 粗体 斜体\n红色下划线 删除\n黑体大字 Calibri text\n蓝色，全角标点！"_s
        << QList<Expectation>{{u"张三"_s, fmt(u"宋体"_s, 11)},
                              {u"粗体"_s, fmt(u"宋体"_s, 11, 0, true)},
                              {u"斜体"_s, fmt(u"宋体"_s, 11, 0, false, true)},
                              {u"红色下划线"_s, fmt(u"宋体"_s, 11, 0xFF0000, false, false, true)},
                              {u"删除"_s, fmt(u"宋体"_s, 11, 0, false, false, false, true)},
                              {u"黑体大字"_s, fmt(u"黑体"_s, 16)},
                              {u"Calibri text"_s, fmt(u"Calibri"_s, 11)},
                              {u"蓝色，全角标点！"_s, fmt(u"宋体"_s, 11, 0x0000FF)}};
    // Word writes \loch \hich \dbch with associated fonts, \uN with GBK fallbacks, and splits pairs across lines.
    QTest::newRow("Word, dbch runs")
        << u"word-dbch.rtf"_s << u"青禾Word 2003粗体\n黑体十六磅"_s
        << QList<Expectation>{{u"青禾"_s, fmt(u"宋体"_s, 10.5)},
                              {u"Word 2003"_s, fmt(u"Times New Roman"_s, 10.5)},
                              {u"粗体"_s, fmt(u"宋体"_s, 10.5, 0xC00000, true)},
                              {u"黑体十六磅"_s, fmt(u"黑体"_s, 16)}};
    // LibreOffice 7.4 (soffice --convert-to rtf from HTML): \dbch runs with \af \afs \ab, \uN with \'3f
    // fallbacks, font names in Shift_JIS.
    QTest::newRow("LibreOffice, dbch runs")
        << u"libreoffice-formats.rtf"_s
        << u"青禾起名 粗体字 斜体 下划线 删除线\n红色黑体 Red text ASCII {braces} back\\slash\n小字 9 磅 Bold 蓝色"_s
        << QList<Expectation>{{u"青禾起名"_s, fmt(u"宋体"_s, 14)},
                              {u"粗体字"_s, fmt(u"宋体"_s, 14, 0, true)},
                              {u"斜体"_s, fmt(u"宋体"_s, 14, 0, false, true)},
                              {u"下划线"_s, fmt(u"宋体"_s, 14, 0, false, false, true)},
                              {u"删除线"_s, fmt(u"宋体"_s, 14, 0, false, false, false, true)},
                              {u"红色黑体"_s, fmt(u"黑体"_s, 12, 0xC00000)},
                              {u"Red text"_s, fmt(u"黑体"_s, 12, 0xC00000)},
                              {u"小字"_s, fmt(u"DejaVu Serif"_s, 9)},
                              {u"Bold"_s, fmt(u"DejaVu Serif"_s, 9, 0, true)},
                              {u"蓝色"_s, fmt(u"DejaVu Serif"_s, 9, 0x0000FF)}};
}

void TstRtfReader::samplesFromOtherPrograms()
{
    QFETCH(QString, file);
    QFETCH(QString, text);
    QFETCH(QList<Expectation>, expectations);
    const QByteArray data = readFile(sampleDir() + file);
    QVERIFY2(!data.isEmpty(), qPrintable(sampleDir() + file));
    const std::optional<RtfDocument> read = RtfReader::read(data);
    QVERIFY(read);
    const Flat flat = flatten(*read);
    QCOMPARE(flat.text, text);
    for (const Expectation &e : expectations) {
        const qsizetype at = flat.text.indexOf(e.piece);
        QVERIFY2(at >= 0, qPrintable(e.piece));
        for (qsizetype i = at; i < at + e.piece.size(); ++i) {
            if (flat.text.at(i) == u' ')
                continue; // blanks between runs may carry either neighbour's format
            QVERIFY2(flat.formats.at(i) == e.format,
                     qPrintable(u"'%1' in \"%2\" reads as %3, expected %4"_s.arg(flat.text.at(i))
                                    .arg(e.piece, describe(flat.formats.at(i)), describe(e.format))));
        }
    }
}

// LibreOffice reads what we write, and we read what it writes back: the same text and formats.
void TstRtfReader::libreOfficeRoundTrip()
{
    const QString soffice = QStandardPaths::findExecutable(u"soffice"_s);
    if (soffice.isEmpty())
        QSKIP("LibreOffice is not installed");
    QTemporaryDir dir;
    RtfRun title = run(u"张三 公司名分析\r\n"_s, u"宋体"_s, 16);
    title.bold = true;
    title.rgb = 0xC00000;
    RtfRun body = run(u"第二行：龍、繁體 ASCII {brace} back\r\n"_s);
    RtfRun italic = run(u"斜体 italic "_s, u"黑体"_s, 12);
    italic.italic = true;
    italic.rgb = 0x0000FF;
    RtfRun underline = run(u"下划线"_s);
    underline.underline = true;
    underline.rgb = 0x008000;
    RtfRun strike = run(u" strike 删除"_s, u"Arial"_s, 9);
    strike.strikeOut = true;
    const RtfDocument document{title, body, italic, underline, strike, run(u"\r\n最后一行 last line"_s)};

    const QString in = dir.filePath(u"ours.rtf"_s);
    {
        QFile file(in);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(RtfWriter::write(document));
    }
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(soffice, {u"-env:UserInstallation="_s + QUrl::fromLocalFile(dir.filePath(u"profile"_s)).toString(),
                            u"--headless"_s, u"--norestore"_s, u"--convert-to"_s, u"rtf"_s, u"--outdir"_s,
                            dir.filePath(u"out"_s), in});
    QVERIFY(process.waitForFinished(180'000));
    const QByteArray converted = readFile(dir.filePath(u"out/ours.rtf"_s));
    QVERIFY2(!converted.isEmpty(), process.readAll().constData());
    QVERIFY2(converted != RtfWriter::write(document), "LibreOffice wrote our bytes back unchanged");
    const std::optional<RtfDocument> read = RtfReader::read(converted);
    QVERIFY(read);
    QString difference;
    QVERIFY2(sameDocument(*read, document, &difference), qPrintable(difference));
}

QTEST_GUILESS_MAIN(TstRtfReader)
#include "tst_rtfreader.moc"
