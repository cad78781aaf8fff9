#include "text/RtfReader.h"

#include <QHash>
#include <QList>
#include <QStringDecoder>

#include <algorithm>
#include <optional>

namespace tolvane {

namespace {

constexpr int kDefaultHalfPoints = 24; // RTF's default size is 12 points
constexpr int kMaxGroupStates = 4096;  // deeper groups share their parent's state instead of copying it

enum class Destination { Body, Skip, FontTable, ColourTable };
// Which kind of text the following characters are, as \loch, \hich, \dbch and \rtlch announce it.
enum class Script { None, Loch, Hich, Dbch, Rtl };

struct CharProps {
    int font = -1;
    int halfPoints = kDefaultHalfPoints;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    bool hidden = false;
    int colour = 0;
    // The associated properties of double-byte text (\dbch\af \afs \ab \ai); unset means "as the others".
    std::optional<int> dbFont;
    std::optional<int> dbHalfPoints;
    std::optional<bool> dbBold;
    std::optional<bool> dbItalic;
};

struct GroupState {
    CharProps props;
    Script script = Script::None;
    int uc = 1;
    Destination destination = Destination::Body;
};

struct FontInfo {
    QString name;
    int codepage = 0; // 0: the document's ANSI code page
};

QByteArray codecName(int codepage)
{
    switch (codepage) {
    case 936:
        return "GBK";
    case 54936:
        return "GB18030";
    case 950:
        return "Big5";
    case 932:
        return "Shift_JIS";
    case 949:
        return "windows-949";
    case 874:
        return "windows-874";
    case 437:
        return "IBM437";
    case 850:
        return "IBM850";
    case 10000:
        return "macintosh";
    case 65001:
        return "UTF-8";
    default:
        if (codepage >= 1250 && codepage <= 1258)
            return "windows-" + QByteArray::number(codepage);
        return "windows-1252";
    }
}

// \fcharset to code page; 0 for the charsets that mean "the document's ANSI code page".
int charsetCodepage(int charset)
{
    switch (charset) {
    case 77:
        return 10000;
    case 128:
        return 932;
    case 129:
        return 949;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 255:
        return 437;
    default:
        return 0;
    }
}

// Chinese characters always; other non-ASCII characters and blanks when the writer announced double-byte
// text (LibreOffice keeps the blanks between Chinese words in the double-byte run). ASCII letters after
// \dbch are Word's single-byte text, which it writes with all three fonts named in a row.
bool isDoubleByteText(char16_t c, Script script)
{
    return c >= 0x2E80 || QChar::isSurrogate(c) || (script == Script::Dbch && (c >= 0x80 || c == u' '));
}

// Destinations whose contents are not document text.
bool isSkippedDestination(const QByteArray &word)
{
    static const QList<QByteArray> words{
        "stylesheet", "info",        "pict",       "object",      "objdata",     "header",    "headerl",
        "headerr",    "headerf",     "footer",     "footerl",     "footerr",     "footerf",   "footnote",
        "annotation", "fldinst",     "xe",         "tc",          "txe",         "rxe",       "pn",
        "pntext",     "pntxta",      "pntxtb",     "shp",         "nonshppict",  "ftnsep",    "ftnsepc",
        "aftnsep",    "aftnsepc",    "listtable",  "listoverridetable",          "revtbl",    "rsidtbl",
        "template",   "filetbl",     "xmlnstbl",   "themedata",   "colorschememapping",       "datastore",
        "latentstyles",              "defchp",     "defpap",      "pgdsctbl",    "userprops", "generator",
        "bkmkstart",  "bkmkend",     "do",         "upr",         "comment",     "author",    "title",
        "subject",    "operator",    "keywords",   "doccomm",     "company",     "creatim",   "revtim",
        "printim",    "buptim",      "private",    "mmathPr",     "objclass",    "field_inst"};
    return words.contains(word);
}

// One piece of RTF as the file spells it.
struct RtfToken {
    enum class Kind { End, OpenGroup, CloseGroup, ControlWord, ControlSymbol, HexByte, Binary, Text };
    RtfToken(Kind kind = Kind::End, char symbol = 0)
        : kind(kind)
        , symbol(symbol)
    {
    }

    Kind kind;
    QByteArray word; // ControlWord
    // ControlWord: its parameter, if it has one. HexByte: the byte, none when no hex digit followed \'.
    std::optional<int> value;
    char symbol; // ControlSymbol: the character after the backslash; Text: the byte
};

// Splits RTF into braces, control words with their parameters, control symbols, \'hh bytes and plain bytes,
// from just after the document's opening brace. Line breaks in the file are not pieces; the data of \binN is
// passed over whole, as one Binary piece, since its bytes are not RTF.
class RtfTokenizer {
public:
    explicit RtfTokenizer(QByteArray data)
        : m_data(std::move(data))
        , m_pos(m_data.indexOf('{') + 1)
    {
    }

    RtfToken next()
    {
        while (m_pos < m_data.size()) {
            const char c = m_data.at(m_pos++);
            if (c == '{')
                return { RtfToken::Kind::OpenGroup };
            if (c == '}')
                return { RtfToken::Kind::CloseGroup };
            if (c == '\\')
                return afterBackslash();
            if (c != '\r' && c != '\n')
                return { RtfToken::Kind::Text, c };
        }
        return {};
    }

private:
    static bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
    static bool isDigit(char c) { return c >= '0' && c <= '9'; }
    // The byte at a position, NUL past the end (a NUL is neither letter, digit, sign nor blank).
    char at(qsizetype pos) const { return pos < m_data.size() ? m_data.at(pos) : '\0'; }

    RtfToken afterBackslash()
    {
        if (m_pos >= m_data.size())
            return {}; // a backslash at the very end starts nothing
        const char next = m_data.at(m_pos);
        if (isLetter(next))
            return controlWord();
        ++m_pos;
        if (next == '\'')
            return hexByte();
        return { RtfToken::Kind::ControlSymbol, next };
    }

    RtfToken controlWord()
    {
        const qsizetype start = m_pos;
        while (isLetter(at(m_pos)))
            ++m_pos;
        RtfToken token(RtfToken::Kind::ControlWord);
        token.word = m_data.mid(start, m_pos - start);
        const bool negative = at(m_pos) == '-' && isDigit(at(m_pos + 1));
        if (negative)
            ++m_pos;
        if (isDigit(at(m_pos))) {
            qint64 value = 0;
            while (isDigit(at(m_pos)))
                value = std::min<qint64>(value * 10 + (m_data.at(m_pos++) - '0'), 0x7FFFFFFF);
            token.value = int(negative ? -value : value);
        }
        if (at(m_pos) == ' ')
            ++m_pos; // the delimiter belongs to the control word
        if (token.word == "bin") {
            token.kind = RtfToken::Kind::Binary;
            m_pos = qsizetype(std::min<qint64>(m_data.size(), m_pos + std::max(0, token.value.value_or(0))));
        }
        return token;
    }

    RtfToken hexByte()
    {
        RtfToken token(RtfToken::Kind::HexByte);
        for (int digits = 0; digits < 2; ++digits) {
            const char h = at(m_pos);
            const int v = isDigit(h)     ? h - '0'
                : (h >= 'a' && h <= 'f') ? h - 'a' + 10
                : (h >= 'A' && h <= 'F') ? h - 'A' + 10
                                         : -1;
            if (v < 0)
                break;
            token.value = token.value.value_or(0) * 16 + v;
            ++m_pos;
        }
        return token;
    }

    const QByteArray m_data;
    qsizetype m_pos;
};

class Parser {
public:
    explicit Parser(QByteArray data)
        : m_tokens(std::move(data))
    {
    }

    RtfDocument parse();

private:
    GroupState &state() { return m_states.last(); }
    void take(const RtfToken &token);
    void openGroup();
    void closeGroup();
    void controlWord(const QByteArray &word, std::optional<int> parameter);
    void controlSymbol(char symbol);
    void bodyWord(const QByteArray &word, std::optional<int> parameter);
    void fontTableWord(const QByteArray &word, std::optional<int> parameter);
    void colourTableWord(const QByteArray &word, std::optional<int> parameter);
    // escaped: written as \'hh, always a byte of the code page (a double-byte pair's second byte may be ASCII).
    void byte(quint8 b, bool escaped = false);
    void character(char16_t c);
    void text(const QString &s);
    void flushBytes();
    void endFontEntry();
    int currentCodepage() const;
    int codepageOfFont(int font) const;
    bool consumeSkip();
    RtfRun formatFor(char16_t c) const;

    RtfTokenizer m_tokens;
    QList<GroupState> m_states;
    int m_unpushedDepth = 0; // groups opened beyond kMaxGroupStates
    bool m_ended = false;
    int m_skip = 0;            // characters still to skip after \uN

    int m_ansiCodepage = 1252;
    int m_defaultFont = 0;
    QHash<int, FontInfo> m_fonts;
    QList<std::optional<quint32>> m_colours;

    // The font table entry being read.
    int m_entryFont = 0;
    int m_entryCodepage = 0;
    bool m_entryHasCpg = false;
    QString m_entryName;
    bool m_entryOpen = false;

    // The colour table entry being read.
    int m_red = 0;
    int m_green = 0;
    int m_blue = 0;
    bool m_colourSeen = false;

    // Bytes waiting to be decoded together, with the code page they were written in.
    QByteArray m_bytes;
    int m_bytesCodepage = 0;
    Destination m_bytesDestination = Destination::Body;

    RtfDocument m_runs;
    bool m_endsWithParagraph = false;
};

RtfDocument Parser::parse()
{
    m_states.append(GroupState{});
    // The caller has checked the "{\rtf" start; the tokens begin inside the document group.
    for (RtfToken token = m_tokens.next(); token.kind != RtfToken::Kind::End && !m_ended; token = m_tokens.next())
        take(token);
    flushBytes();
    endFontEntry();

    // The last paragraph mark ends the last paragraph; it does not open an empty one.
    if (m_endsWithParagraph && !m_runs.isEmpty() && m_runs.last().text.endsWith(QLatin1Char('\n'))) {
        m_runs.last().text.chop(1);
        if (m_runs.last().text.isEmpty())
            m_runs.removeLast();
    }
    return m_runs;
}

void Parser::take(const RtfToken &token)
{
    using Kind = RtfToken::Kind;
    switch (token.kind) {
    case Kind::OpenGroup:
    case Kind::CloseGroup:
        flushBytes();
        m_skip = 0;
        if (token.kind == Kind::OpenGroup)
            openGroup();
        else
            closeGroup();
        return;
    case Kind::Binary:
        // Binary data is never text, but stands for one character still to skip after \uN.
        flushBytes();
        consumeSkip();
        return;
    case Kind::ControlSymbol:
        if (token.symbol == '*') {
            // An ignorable destination: we read none of them.
            flushBytes();
            state().destination = Destination::Skip;
            return;
        }
        break;
    default:
        break;
    }
    if (consumeSkip())
        return;
    switch (token.kind) {
    case Kind::ControlWord:
        controlWord(token.word, token.value);
        return;
    case Kind::ControlSymbol:
        controlSymbol(token.symbol);
        return;
    case Kind::HexByte:
        if (token.value)
            byte(quint8(*token.value), true);
        return;
    case Kind::Text:
        byte(quint8(token.symbol));
        return;
    default:
        return;
    }
}

bool Parser::consumeSkip()
{
    if (m_skip <= 0)
        return false;
    --m_skip;
    return true;
}

void Parser::openGroup()
{
    if (m_states.size() >= kMaxGroupStates)
        ++m_unpushedDepth;
    else
        m_states.append(m_states.last());
}

void Parser::closeGroup()
{
    if (m_unpushedDepth > 0) {
        --m_unpushedDepth;
        return;
    }
    const Destination closing = state().destination;
    if (m_states.size() <= 1) {
        m_ended = true; // the document group is closed; anything after it is not part of the document
        return;
    }
    m_states.removeLast();
    if (closing == Destination::FontTable)
        endFontEntry(); // an entry in braces may lack its ';'
}

int Parser::codepageOfFont(int font) const
{
    const auto it = m_fonts.constFind(font);
    if (it == m_fonts.constEnd() || it->codepage == 0)
        return m_ansiCodepage;
    return it->codepage;
}

int Parser::currentCodepage() const
{
    const GroupState &s = m_states.last();
    if (s.destination == Destination::FontTable)
        return m_entryCodepage != 0 ? m_entryCodepage : m_ansiCodepage;
    const int font = s.props.font >= 0 ? s.props.font : m_defaultFont;
    if (s.script == Script::Dbch && s.props.dbFont) {
        const auto it = m_fonts.constFind(*s.props.dbFont);
        if (it != m_fonts.constEnd() && it->codepage != 0)
            return it->codepage;
    }
    return codepageOfFont(font);
}

void Parser::byte(quint8 b, bool escaped)
{
    const Destination destination = state().destination;
    if (destination == Destination::Skip)
        return;
    if (destination == Destination::ColourTable) {
        if (b == ';' && !escaped) {
            m_colours.append(m_colourSeen ? std::optional<quint32>(quint32(m_red << 16 | m_green << 8 | m_blue))
                                          : std::nullopt);
            m_red = m_green = m_blue = 0;
            m_colourSeen = false;
        }
        return;
    }
    if (destination == Destination::FontTable) {
        if (b == ';' && !escaped) {
            flushBytes();
            endFontEntry();
            return;
        }
        if (!m_entryOpen)
            return;
    }
    if (b < 0x80 && !escaped) {
        flushBytes();
        if (b == '\t')
            character(u'\t');
        else if (b >= 0x20 && b != 0x7F)
            character(char16_t(b));
        return;
    }
    const int codepage = currentCodepage();
    if (!m_bytes.isEmpty() && (codepage != m_bytesCodepage || destination != m_bytesDestination))
        flushBytes();
    m_bytesCodepage = codepage;
    m_bytesDestination = destination;
    m_bytes.append(char(b));
}

void Parser::flushBytes()
{
    if (m_bytes.isEmpty())
        return;
    const QByteArray bytes = m_bytes;
    m_bytes.clear();
    QStringDecoder decoder(codecName(m_bytesCodepage).constData());
    QString decoded = decoder.isValid() ? decoder.decode(bytes) : QString::fromLatin1(bytes);
    if (m_bytesDestination == Destination::FontTable)
        m_entryName += decoded;
    else if (m_bytesDestination == Destination::Body)
        text(decoded);
}

void Parser::text(const QString &s)
{
    for (const QChar c : s)
        character(c.unicode());
}

RtfRun Parser::formatFor(char16_t c) const
{
    const GroupState &s = m_states.last();
    const CharProps &p = s.props;
    const bool doubleByte = isDoubleByteText(c, s.script);
    const int font = doubleByte && p.dbFont ? *p.dbFont : (p.font >= 0 ? p.font : m_defaultFont);
    RtfRun run;
    const auto it = m_fonts.constFind(font);
    if (it != m_fonts.constEnd() && !it->name.isEmpty())
        run.fontFamily = it->name;
    const int halfPoints = doubleByte && p.dbHalfPoints ? *p.dbHalfPoints : p.halfPoints;
    run.pointSize = std::clamp(halfPoints, 1, 3276) / 2.0;
    run.bold = doubleByte && p.dbBold ? *p.dbBold : p.bold;
    run.italic = doubleByte && p.dbItalic ? *p.dbItalic : p.italic;
    run.underline = p.underline;
    run.strikeOut = p.strikeOut;
    if (p.colour > 0 && p.colour < m_colours.size() && m_colours.at(p.colour))
        run.rgb = *m_colours.at(p.colour);
    return run;
}

void Parser::character(char16_t c)
{
    const GroupState &s = m_states.last();
    if (s.destination == Destination::FontTable) {
        if (m_entryOpen)
            m_entryName += QChar(c);
        return;
    }
    if (s.destination != Destination::Body || s.props.hidden)
        return;
    // Control characters other than tab and line break have no place in document text.
    if ((c < 0x20 && c != u'\t' && c != u'\n') || c == 0x7F)
        return;
    RtfRun run = formatFor(c == u'\n' ? u' ' : c);
    run.text = QString(QChar(c));
    if (!m_runs.isEmpty() && m_runs.last().sameFormat(run))
        m_runs.last().text += QChar(c);
    else
        m_runs.append(run);
    m_endsWithParagraph = false;
}

void Parser::endFontEntry()
{
    if (!m_entryOpen)
        return;
    m_entryOpen = false;
    QString name = m_entryName;
    // Trailing blanks are the writer's, not the font's.
    while (name.endsWith(QLatin1Char(' ')))
        name.chop(1);
    while (name.startsWith(QLatin1Char(' ')))
        name.remove(0, 1);
    m_fonts.insert(m_entryFont, FontInfo{name, m_entryCodepage});
    m_entryName.clear();
}

void Parser::controlWord(const QByteArray &word, std::optional<int> parameter)
{
    GroupState &s = state();
    if (s.destination == Destination::Skip)
        return;
    if (word == "fonttbl") {
        flushBytes();
        s.destination = Destination::FontTable;
        return;
    }
    if (word == "colortbl") {
        flushBytes();
        s.destination = Destination::ColourTable;
        return;
    }
    if (isSkippedDestination(word)) {
        flushBytes();
        s.destination = Destination::Skip;
        return;
    }
    if (word == "uc") {
        s.uc = std::clamp(parameter.value_or(1), 0, 16);
        return;
    }
    if (word == "u") {
        flushBytes();
        if (parameter) {
            const int n = *parameter < 0 ? *parameter + 0x10000 : *parameter;
            if (n >= 0 && n <= 0xFFFF) {
                if (n == '\t')
                    character(u'\t');
                else if (n >= 0x20)
                    character(char16_t(n));
            }
        }
        m_skip = s.uc;
        return;
    }
    switch (s.destination) {
    case Destination::FontTable:
        fontTableWord(word, parameter);
        return;
    case Destination::ColourTable:
        colourTableWord(word, parameter);
        return;
    case Destination::Body:
        bodyWord(word, parameter);
        return;
    case Destination::Skip:
        return;
    }
}

void Parser::fontTableWord(const QByteArray &word, std::optional<int> parameter)
{
    if (word == "f") {
        flushBytes();
        endFontEntry();
        m_entryFont = parameter.value_or(0);
        m_entryCodepage = 0;
        m_entryHasCpg = false;
        m_entryName.clear();
        m_entryOpen = true;
    } else if (word == "fcharset") {
        if (!m_entryHasCpg)
            m_entryCodepage = charsetCodepage(parameter.value_or(0));
    } else if (word == "cpg") {
        m_entryCodepage = parameter.value_or(0);
        m_entryHasCpg = true;
    }
}

void Parser::colourTableWord(const QByteArray &word, std::optional<int> parameter)
{
    const int value = std::clamp(parameter.value_or(0), 0, 255);
    if (word == "red") {
        m_red = value;
        m_colourSeen = true;
    } else if (word == "green") {
        m_green = value;
        m_colourSeen = true;
    } else if (word == "blue") {
        m_blue = value;
        m_colourSeen = true;
    }
}

void Parser::bodyWord(const QByteArray &word, std::optional<int> parameter)
{
    GroupState &s = state();
    CharProps &p = s.props;
    const bool on = parameter.value_or(1) != 0;

    // Document-wide settings; a change of code page or font ends the bytes that came before.
    if (word == "ansicpg") {
        flushBytes();
        if (parameter && *parameter > 0)
            m_ansiCodepage = *parameter;
    } else if (word == "ansi") {
        flushBytes();
        m_ansiCodepage = 1252;
    } else if (word == "mac") {
        flushBytes();
        m_ansiCodepage = 10000;
    } else if (word == "pc") {
        flushBytes();
        m_ansiCodepage = 437;
    } else if (word == "pca") {
        flushBytes();
        m_ansiCodepage = 850;
    } else if (word == "deff") {
        m_defaultFont = parameter.value_or(0);
    }
    // Text
    else if (word == "par" || word == "line" || word == "row") {
        flushBytes();
        character(u'\n');
        m_endsWithParagraph = word == "par";
    } else if (word == "tab" || word == "cell" || word == "nestcell") {
        flushBytes();
        character(u'\t');
    } else if (word == "emdash") {
        character(u'\u2014');
    } else if (word == "endash") {
        character(u'\u2013');
    } else if (word == "emspace") {
        character(u'\u2003');
    } else if (word == "enspace") {
        character(u'\u2002');
    } else if (word == "qmspace") {
        character(u'\u2005');
    } else if (word == "bullet") {
        character(u'\u2022');
    } else if (word == "lquote") {
        character(u'\u2018');
    } else if (word == "rquote") {
        character(u'\u2019');
    } else if (word == "ldblquote") {
        character(u'\u201C');
    } else if (word == "rdblquote") {
        character(u'\u201D');
    }
    // Character format
    else {
        flushBytes();
        if (word == "plain") {
            p = CharProps{};
        } else if (word == "f") {
            p.font = parameter.value_or(0);
        } else if (word == "fs") {
            p.halfPoints = parameter.value_or(kDefaultHalfPoints);
        } else if (word == "b") {
            p.bold = on;
        } else if (word == "i") {
            p.italic = on;
        } else if (word == "ul" || word == "uld" || word == "uldb" || word == "ulw" || word == "ulwave"
                   || word == "uldash" || word == "uldashd" || word == "uldashdd" || word == "ulth"
                   || word == "ulthd" || word == "ulthdash" || word == "ulhwave" || word == "ulldash"
                   || word == "ululdbwave" || word == "ulthldash" || word == "ulthdashd"
                   || word == "ulthdashdd") {
            p.underline = on;
        } else if (word == "ulnone") {
            p.underline = false;
        } else if (word == "strike" || word == "striked") {
            p.strikeOut = on;
        } else if (word == "v") {
            p.hidden = on;
        } else if (word == "cf") {
            p.colour = parameter.value_or(0);
        } else if (word == "loch" || word == "ltrch") {
            s.script = Script::Loch;
        } else if (word == "hich") {
            s.script = Script::Hich;
        } else if (word == "dbch") {
            s.script = Script::Dbch;
        } else if (word == "rtlch") {
            s.script = Script::Rtl;
        } else if (s.script == Script::Dbch) {
            // The associated properties, which LibreOffice and Word give double-byte text.
            if (word == "af")
                p.dbFont = parameter.value_or(0);
            else if (word == "afs")
                p.dbHalfPoints = parameter.value_or(kDefaultHalfPoints);
            else if (word == "ab")
                p.dbBold = on;
            else if (word == "ai")
                p.dbItalic = on;
        }
    }
}

void Parser::controlSymbol(char symbol)
{
    switch (symbol) {
    case '\r':
    case '\n':
        controlWord("par", std::nullopt); // "\" before a line break is a paragraph mark
        return;
    case '\\':
    case '{':
    case '}':
        byte(quint8(symbol));
        return;
    case '~':
        flushBytes();
        character(u'\u00A0');
        return;
    case '_':
        flushBytes();
        character(u'\u2011');
        return;
    case '\t':
        flushBytes();
        character(u'\t');
        return;
    default:
        return; // \- (optional hyphen), \| and \: have no text of their own
    }
}

} // namespace

std::optional<RtfDocument> RtfReader::read(const QByteArray &data)
{
    qsizetype start = 0;
    while (start < data.size() && (data.at(start) == ' ' || data.at(start) == '\r' || data.at(start) == '\n'
                                   || data.at(start) == '\t'))
        ++start;
    if (data.mid(start, 5) != "{\\rtf")
        return std::nullopt;
    return Parser(data.mid(start)).parse();
}

} // namespace tolvane
