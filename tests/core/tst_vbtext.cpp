#include "text/PersonName.h"
#include "text/Pinyin.h"
#include "text/VbText.h"

#include <QRandomGenerator>
#include <QtTest>

#include <cfenv>
#include <cmath>
#include <cstdlib>
#include <limits>

using namespace tolvane;

class TstVbText : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void pinyinSyllables_data();
    void pinyinSyllables();
    void trimSpaces_data();
    void trimSpaces();
    void personName_data();
    void personName();
    void toInt16_data();
    void toInt16();
    void everyIntegerRoundTrips();
    void agreesWithFloatingPointOnShortNumbers();
    void decimal_data();
    void decimal();
};

void TstVbText::trimSpaces_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("only spaces") << QStringLiteral("    ") << QString();
    QTest::newRow("no spaces") << QStringLiteral("张三") << QStringLiteral("张三");
    QTest::newRow("both ends") << QStringLiteral("  张 三  ") << QStringLiteral("张 三");
    QTest::newRow("inner spaces kept") << QStringLiteral("a  b") << QStringLiteral("a  b");
    QTest::newRow("tab kept") << QStringLiteral("\t5 ") << QStringLiteral("\t5");
    QTest::newRow("line breaks kept") << QStringLiteral(" \r\n5\r\n ") << QStringLiteral("\r\n5\r\n");
    QTest::newRow("ideographic space kept") << QStringLiteral("\u3000张\u3000 ") << QStringLiteral("\u3000张\u3000");
    QTest::newRow("no-break space kept") << QStringLiteral("\u00a0x\u00a0") << QStringLiteral("\u00a0x\u00a0");
    QTest::newRow("space inside other blanks") << QStringLiteral("\t x \t") << QStringLiteral("\t x \t");
}

void TstVbText::trimSpaces()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(tolvane::trimSpaces(text), expected);
}

void TstVbText::personName_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("kind"); // -1 not known, else SurnameKind
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("surname");
    QTest::addColumn<QString>("given");
    const int single = int(tolvane::SurnameKind::Single);
    const int compound = int(tolvane::SurnameKind::Compound);
    QTest::newRow("spaces trimmed") << QStringLiteral(" 欧阳明华  ") << compound << 4 << QStringLiteral("欧阳")
                                    << QStringLiteral("明华");
    QTest::newRow("a tab is a character") << QStringLiteral("\t张三") << single << 3 << QStringLiteral("\t")
                                          << QStringLiteral("张三");
    QTest::newRow("outside the BMP one character") << QStringLiteral("\U00020000明") << single << 2
                                                   << QStringLiteral("\U00020000") << QStringLiteral("明");
    QTest::newRow("compound surname of three") << QStringLiteral("司马迁") << compound << 3 << QStringLiteral("司马")
                                               << QStringLiteral("迁");
    QTest::newRow("kind not known") << QStringLiteral("司马迁") << -1 << 3 << QStringLiteral("司")
                                    << QStringLiteral("马迁");
    QTest::newRow("two characters never compound") << QStringLiteral("欧阳") << compound << 2 << QStringLiteral("欧")
                                                   << QStringLiteral("阳");
}

void TstVbText::personName()
{
    QFETCH(QString, typed);
    QFETCH(int, kind);
    QFETCH(int, length);
    QFETCH(QString, surname);
    QFETCH(QString, given);
    tolvane::PersonName name(typed);
    if (kind >= 0)
        name = name.withSurnameKind(tolvane::SurnameKind(kind));
    QCOMPARE(name.length(), length);
    QCOMPARE(name.codePoints().size(), length);
    QCOMPARE(name.characters().join(QString()), name.text());
    QCOMPARE(name.surname(), surname);
    QCOMPARE(name.givenName(), given);
}

void TstVbText::toInt16_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("expected");

    auto ok = [](const char *name, const QString &text, int value) { QTest::newRow(name) << text << true << value; };
    auto bad = [](const char *name, const QString &text) { QTest::newRow(name) << text << false << 0; };

    ok("digits/zero", QStringLiteral("0"), 0);
    ok("digits/one", QStringLiteral("1"), 1);
    ok("digits/stroke count", QStringLiteral("17"), 17);
    ok("digits/leading zeros", QStringLiteral("007"), 7);
    ok("digits/many leading zeros", QString(200, u'0') + QStringLiteral("42"), 42);
    ok("digits/only zeros", QStringLiteral("0000"), 0);

    ok("blanks/leading spaces", QStringLiteral("   12"), 12);
    ok("blanks/trailing spaces", QStringLiteral("12   "), 12);
    ok("blanks/tabs", QStringLiteral("\t12\t"), 12);
    ok("blanks/line break", QStringLiteral("12\r\n"), 12);
    ok("blanks/after sign", QStringLiteral("- 12"), -12);
    bad("blanks/between digits", QStringLiteral("1 2"));
    bad("blanks/between digit and point", QStringLiteral("1 .5"));
    bad("blanks/only", QStringLiteral("   "));
    bad("blanks/ideographic space", QStringLiteral("\u300012"));
    bad("blanks/no-break space", QStringLiteral("12\u00a0"));

    ok("sign/plus", QStringLiteral("+5"), 5);
    ok("sign/minus", QStringLiteral("-5"), -5);
    ok("sign/minus zero", QStringLiteral("-0"), 0);
    ok("sign/blank before sign", QStringLiteral("  -5"), -5);
    bad("sign/alone", QStringLiteral("-"));
    bad("sign/twice", QStringLiteral("--5"));
    bad("sign/mixed", QStringLiteral("+-5"));
    bad("sign/trailing", QStringLiteral("5-"));
    bad("sign/parentheses", QStringLiteral("(5)"));
    bad("sign/full-width minus", QStringLiteral("\uff0d5"));

    ok("fraction/below half", QStringLiteral("2.4"), 2);
    ok("fraction/above half", QStringLiteral("2.6"), 3);
    ok("fraction/trailing point", QStringLiteral("5."), 5);
    ok("fraction/leading point", QStringLiteral(".4"), 0);
    ok("fraction/leading point above half", QStringLiteral(".6"), 1);
    ok("fraction/negative leading point", QStringLiteral("-.6"), -1);
    ok("fraction/zeros after point", QStringLiteral("3.000"), 3);
    ok("fraction/small", QStringLiteral("0.0009"), 0);
    ok("fraction/long", QStringLiteral("7.") + QString(300, u'9'), 8);
    bad("fraction/point alone", QStringLiteral("."));
    bad("fraction/two points", QStringLiteral("1.2.3"));
    bad("fraction/comma as point", QStringLiteral("1,5"));
    bad("fraction/sign and point only", QStringLiteral("-."));

    ok("half to even/0.5", QStringLiteral("0.5"), 0);
    ok("half to even/1.5", QStringLiteral("1.5"), 2);
    ok("half to even/2.5", QStringLiteral("2.5"), 2);
    ok("half to even/3.5", QStringLiteral("3.5"), 4);
    ok("half to even/-0.5", QStringLiteral("-0.5"), 0);
    ok("half to even/-1.5", QStringLiteral("-1.5"), -2);
    ok("half to even/-2.5", QStringLiteral("-2.5"), -2);
    ok("half to even/-3.5", QStringLiteral("-3.5"), -4);
    ok("half to even/trailing zeros still a tie", QStringLiteral("2.5000"), 2);
    ok("half to even/just above tie", QStringLiteral("2.5000000000000000000001"), 3);
    ok("half to even/just below tie", QStringLiteral("2.4999999999999999999999"), 2);
    ok("half to even/tie at ten", QStringLiteral("10.5"), 10);
    ok("half to even/tie at eleven", QStringLiteral("11.5"), 12);
    ok("half to even/.5 alone", QStringLiteral(".5"), 0);

    ok("range/max", QStringLiteral("32767"), 32767);
    ok("range/min", QStringLiteral("-32768"), -32768);
    ok("range/max with leading zeros", QStringLiteral("0032767"), 32767);
    ok("range/max plus fraction below half", QStringLiteral("32767.49"), 32767);
    ok("range/min minus a tie rounds to even", QStringLiteral("-32768.5"), -32768);
    bad("range/max plus one", QStringLiteral("32768"));
    bad("range/min minus one", QStringLiteral("-32769"));
    bad("range/max rounds up", QStringLiteral("32767.5"));
    bad("range/min rounds down", QStringLiteral("-32768.51"));
    bad("range/six digits", QStringLiteral("100000"));
    bad("range/twenty digits", QStringLiteral("99999999999999999999"));
    bad("range/hundreds of digits", QString(400, u'9'));
    bad("range/negative twenty digits", QStringLiteral("-99999999999999999999"));

    ok("exponent/plain", QStringLiteral("1e2"), 100);
    ok("exponent/upper case", QStringLiteral("1E2"), 100);
    ok("exponent/plus", QStringLiteral("1e+2"), 100);
    ok("exponent/negative", QStringLiteral("25e-1"), 2);
    ok("exponent/negative above half", QStringLiteral("26e-1"), 3);
    ok("exponent/with fraction", QStringLiteral("1.5e1"), 15);
    ok("exponent/zero exponent", QStringLiteral("7e0"), 7);
    ok("exponent/fills with zeros", QStringLiteral("3e4"), 30000);
    ok("exponent/zero mantissa huge exponent", QStringLiteral("0e99999999999999999999"), 0);
    ok("exponent/huge negative exponent", QStringLiteral("5e-99999999999999999999"), 0);
    ok("exponent/blanks around", QStringLiteral(" -1e3 "), -1000);
    bad("exponent/too large", QStringLiteral("4e4"));
    bad("exponent/huge", QStringLiteral("1e99999999999999999999"));
    bad("exponent/no digits", QStringLiteral("1e"));
    bad("exponent/sign without digits", QStringLiteral("1e-"));
    bad("exponent/no mantissa", QStringLiteral("e2"));
    bad("exponent/fractional exponent", QStringLiteral("1e1.5"));
    bad("exponent/d instead of e", QStringLiteral("1d2"));
    bad("exponent/blank inside", QStringLiteral("1e 2"));

    ok("hex/small", QStringLiteral("&H10"), 16);
    ok("hex/lower case", QStringLiteral("&hff"), 255);
    ok("hex/max positive", QStringLiteral("&H7FFF"), 32767);
    ok("hex/wraps to min", QStringLiteral("&H8000"), -32768);
    ok("hex/wraps to minus one", QStringLiteral("&HFFFF"), -1);
    ok("hex/leading zeros", QStringLiteral("&H0000FFFF"), -1);
    ok("hex/blanks around", QStringLiteral(" &H1A "), 26);
    ok("hex/e is a digit", QStringLiteral("&H1E2"), 0x1E2);
    bad("hex/seventeen bits", QStringLiteral("&H10000"));
    bad("hex/many digits", QStringLiteral("&HFFFFFFFFFFFFFFFFFFFF"));
    bad("hex/no digits", QStringLiteral("&H"));
    bad("hex/bad digit", QStringLiteral("&HG"));
    bad("hex/fraction", QStringLiteral("&H1.5"));
    bad("hex/with sign", QStringLiteral("-&H10"));
    bad("hex/blank after prefix", QStringLiteral("&H 10"));
    bad("hex/C prefix", QStringLiteral("0x10"));
    bad("hex/ampersand alone", QStringLiteral("&"));
    bad("hex/ampersand digits", QStringLiteral("&10"));

    ok("octal/small", QStringLiteral("&O17"), 15);
    ok("octal/lower case", QStringLiteral("&o777"), 511);
    ok("octal/wraps to minus one", QStringLiteral("&O177777"), -1);
    ok("octal/wraps to min", QStringLiteral("&O100000"), -32768);
    bad("octal/seventeen bits", QStringLiteral("&O200000"));
    bad("octal/digit eight", QStringLiteral("&O18"));
    bad("octal/no digits", QStringLiteral("&O"));

    bad("other/empty", QString());
    bad("other/letters", QStringLiteral("abc"));
    bad("other/digits then letter", QStringLiteral("12a"));
    bad("other/thousands separator", QStringLiteral("1,000"));
    bad("other/full-width digits", QStringLiteral("\uff11\uff12"));
    bad("other/arabic-indic digits", QStringLiteral("\u0661\u0662"));
    bad("other/chinese numeral", QStringLiteral("十二"));
    bad("other/currency", QStringLiteral("$5"));
    bad("other/yuan sign", QStringLiteral("\u00a55"));
    bad("other/percent", QStringLiteral("5%"));
    bad("other/nul inside", QStringLiteral("1") + QChar(u'\0') + QStringLiteral("2"));
    bad("other/lone surrogate", QString(QChar(0xD800)) + QStringLiteral("1"));
    bad("other/infinity", QStringLiteral("inf"));
    bad("other/nan", QStringLiteral("nan"));
}

void TstVbText::toInt16()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(int, expected);

    const std::optional<qint16> result = tolvane::toInt16(text);
    QCOMPARE(result.has_value(), valid);
    if (valid)
        QCOMPARE(int(*result), expected);
}

void TstVbText::everyIntegerRoundTrips()
{
    for (int n = -40000; n <= 40000; ++n) {
        const std::optional<qint16> result = tolvane::toInt16(QString::number(n));
        const bool inRange = n >= -32768 && n <= 32767;
        if (result.has_value() != inRange || (inRange && *result != n))
            QFAIL(qPrintable(QStringLiteral("wrong result for %1").arg(n)));
    }
}

// Numbers with at most nine significant digits are exact enough in a double for the default rounding mode
// (round half to even) to give the expected answer, so the C library serves as an independent judge.
void TstVbText::agreesWithFloatingPointOnShortNumbers()
{
    QCOMPARE(std::fegetround(), FE_TONEAREST);
    QRandomGenerator random(20240607);
    for (int i = 0; i < 20000; ++i) {
        const int whole = random.bounded(0, 40000);
        static constexpr int kPowersOfTen[] = { 1, 10, 100, 1000 };
        const int fractionDigits = random.bounded(0, 4);
        QString text = QString(random.bounded(0, 3), u'0') + QString::number(whole);
        if (fractionDigits > 0) {
            // Force ties often: a fraction of 5, 50 or 500 is exactly one half.
            const int fraction = random.bounded(0, 4) == 0 ? 5 * kPowersOfTen[fractionDigits - 1]
                                                           : random.bounded(0, kPowersOfTen[fractionDigits]);
            text += u'.' + QStringLiteral("%1").arg(fraction, fractionDigits, 10, QLatin1Char('0'));
        }
        if (random.bounded(0, 2) == 0)
            text.prepend(u'-');
        if (random.bounded(0, 4) == 0)
            text = QStringLiteral("  ") + text + QStringLiteral("\t");

        const double rounded = std::nearbyint(std::strtod(text.toLatin1().constData(), nullptr));
        const bool inRange = rounded >= -32768.0 && rounded <= 32767.0;
        const std::optional<qint16> result = tolvane::toInt16(text);
        if (result.has_value() != inRange || (inRange && double(*result) != rounded))
            QFAIL(qPrintable(QStringLiteral("disagreement on \"%1\"").arg(text)));
    }
}

void TstVbText::decimal_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("zero") << 0 << QStringLiteral("0");
    QTest::newRow("positive") << 81 << QStringLiteral("81");
    QTest::newRow("negative") << -7 << QStringLiteral("-7");
    QTest::newRow("no grouping") << 1234567 << QStringLiteral("1234567");
    QTest::newRow("int min") << std::numeric_limits<int>::min() << QStringLiteral("-2147483648");
    QTest::newRow("int max") << std::numeric_limits<int>::max() << QStringLiteral("2147483647");
}

void TstVbText::decimal()
{
    QFETCH(int, value);
    QFETCH(QString, expected);
    QCOMPARE(tolvane::decimal(value), expected);
}

// A syllable read with its tone mark or number, written back with the mark where it belongs, and split into
// initial and final as the tables write them (the sound checks compare finals).
void TstVbText::pinyinSyllables_data()
{
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("marked"); // empty: not a syllable
    QTest::addColumn<int>("tone");
    QTest::addColumn<QString>("initial");
    QTest::addColumn<QString>("final");
    QTest::newRow("liù: mark on the second of iu") << QStringLiteral("liu4") << QStringLiteral("liù") << 4 << QStringLiteral("l") << QStringLiteral("iu");
    QTest::newRow("guǐ: mark on the second of ui") << QStringLiteral("guǐ") << QStringLiteral("guǐ") << 3 << QStringLiteral("g") << QStringLiteral("ui");
    QTest::newRow("zhāo") << QStringLiteral("zhāo") << QStringLiteral("zhāo") << 1 << QStringLiteral("zh") << QStringLiteral("ao");
    QTest::newRow("lǜ from v") << QStringLiteral("lv4") << QStringLiteral("lǜ") << 4 << QStringLiteral("l") << QStringLiteral("ü");
    QTest::newRow("ju is jü") << QStringLiteral("jú") << QStringLiteral("jú") << 2 << QStringLiteral("j") << QStringLiteral("ü");
    QTest::newRow("yang is iang") << QStringLiteral("yáng") << QStringLiteral("yáng") << 2 << QString() << QStringLiteral("iang");
    QTest::newRow("yuan is üan") << QStringLiteral("yuan2") << QStringLiteral("yuán") << 2 << QString() << QStringLiteral("üan");
    QTest::newRow("wei is ui") << QStringLiteral("wěi") << QStringLiteral("wěi") << 3 << QString() << QStringLiteral("ui");
    QTest::newRow("you is iu") << QStringLiteral("yōu") << QStringLiteral("yōu") << 1 << QString() << QStringLiteral("iu");
    QTest::newRow("neutral tone") << QStringLiteral("zi") << QStringLiteral("zi") << 5 << QStringLiteral("z") << QStringLiteral("i");
    QTest::newRow("two marks") << QStringLiteral("hǎó") << QString() << 0 << QString() << QString();
    QTest::newRow("no vowel") << QStringLiteral("hm") << QString() << 0 << QString() << QString();
}

void TstVbText::pinyinSyllables()
{
    QFETCH(QString, written);
    QFETCH(QString, marked);
    QFETCH(int, tone);
    QFETCH(QString, initial);
    QFETCH(QString, final);
    const std::optional<tolvane::PinyinSyllable> s = tolvane::PinyinSyllable::parse(written);
    QCOMPARE(s.has_value(), !marked.isEmpty());
    if (!s)
        return;
    QCOMPARE(s->marked(), marked);
    QCOMPARE(s->tone, tone);
    QCOMPARE(s->initial(), initial);
    QCOMPARE(s->final(), final);
}

QTEST_GUILESS_MAIN(TstVbText)
#include "tst_vbtext.moc"
