#include "data/StrokeLookup.h"
#include "fakes/TestLibrary.h"

#include <QTemporaryDir>
#include <QTest>

using namespace tolvane;

class TestStrokeLookup : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void lookup_data();
    void lookup();
    void surnameCheck_data();
    void surnameCheck();
    void surnameCheckWithoutLibrary();
    void fixedPattern_data();
    void fixedPattern();
    void fixedPatternWithoutLibraryStopsAtTheFailure();

private:
    QTemporaryDir m_dir;
    Library m_db;
};

void TestStrokeLookup::initTestCase()
{
    m_db = Library(TestLibrary::write(TestLibrary::fixtureContents(), m_dir.path()));
}

void TestStrokeLookup::lookup_data()
{
    QTest::addColumn<QString>("ch");
    QTest::addColumn<int>("strokes");
    QTest::newRow("青") << QStringLiteral("青") << 8;
    QTest::newRow("first of two rows") << QStringLiteral("重") << 9;
    QTest::newRow("not in library") << QStringLiteral("们") << 999;
    QTest::newRow("dash") << QStringLiteral("-") << 999;
    QTest::newRow("empty") << QString() << 999;
    QTest::newRow("two characters") << QStringLiteral("青禾") << 999;
}

void TestStrokeLookup::lookup()
{
    QFETCH(QString, ch);
    QFETCH(int, strokes);
    const Outcome<qint16> r = StrokeLookup::strokesOf(m_db, ch);
    QVERIFY(r.messages.isEmpty());
    QCOMPARE(int(*r.value), strokes);
}

void TestStrokeLookup::surnameCheck_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<bool>("aborted");
    QTest::addColumn<int>("length");
    QTest::addColumn<QList<int>>("strokes");
    QTest::addColumn<QString>("message");
    QTest::newRow("single") << QStringLiteral(" 青 ") << false << 1 << QList<int>{8, 0} << QString();
    QTest::newRow("compound") << QStringLiteral("公司") << false << 2 << QList<int>{4, 5} << QString();
    QTest::newRow("empty") << QString() << true << 0 << QList<int>{0, 0}
                           << QStringLiteral("您选择“个人起名”吗？您还没有输入姓氏。");
    QTest::newRow("blanks") << QStringLiteral("   ") << true << 0 << QList<int>{0, 0}
                            << QStringLiteral("您选择“个人起名”吗？您还没有输入姓氏。");
    QTest::newRow("four characters") << QStringLiteral("青禾公司") << true << 0 << QList<int>{0, 0}
                                     << QStringLiteral("您选择“个人起名”吗？姓氏最多是两个字。");
    QTest::newRow("unknown single") << QStringLiteral("们") << true << 1 << QList<int>{999, 0}
                                    << QStringLiteral("您输入的姓氏本程序没有，请与程序员联系。");
    // The second character is never looked up after the first is missing.
    QTest::newRow("unknown first of two") << QStringLiteral("们青") << true << 2 << QList<int>{999, 0}
                                          << QStringLiteral("您输入的姓氏本程序没有，请与程序员联系。");
    QTest::newRow("unknown second of two") << QStringLiteral("青们") << true << 2 << QList<int>{8, 999}
                                           << QStringLiteral("您输入的姓氏本程序没有，请与程序员联系。");
    QTest::newRow("outside the BMP") << QStringLiteral("\U00020000") << false << 1 << QList<int>{7, 0} << QString();
}

void TestStrokeLookup::surnameCheck()
{
    QFETCH(QString, input);
    QFETCH(bool, aborted);
    QFETCH(int, length);
    QFETCH(QList<int>, strokes);
    QFETCH(QString, message);
    const Outcome<StrokeLookup::Surname> c = StrokeLookup::checkSurname(m_db, input);
    QCOMPARE(!c.value->accepted, aborted);
    QCOMPARE(int(c.value->length), length);
    QCOMPARE((QList<int>{c.value->strokes[0], c.value->strokes[1]}), strokes);
    QCOMPARE(c.messages.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty()) {
        QCOMPARE(c.messages.first().text, message);
        QCOMPARE(int(c.messages.first().style), int(UserMessage::Style::Warning));
    }
    QVERIFY(!c.databaseFailed);
}

void TestStrokeLookup::surnameCheckWithoutLibrary()
{
    QTemporaryDir dir;
    const Outcome<StrokeLookup::Surname> c =
        StrokeLookup::checkSurname(Library(dir.filePath(QStringLiteral("namedbs.mdb"))), QStringLiteral("青禾"));
    QVERIFY(!c.value->accepted);
    QVERIFY(c.databaseFailed);
    // One message: the check stops quietly after the failed lookup.
    QCOMPARE(c.messages.size(), 1);
    QCOMPARE(c.messages.first().text, QStringLiteral("找不到namedbs.mdb数据库。"));
}

void TestStrokeLookup::fixedPattern_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<int>("surname");
    QTest::addColumn<int>("fixed"); // -1: unset
    QTest::newRow("X-Y") << QStringLiteral("青-禾") << 8 << 5;
    QTest::newRow("XY-") << QStringLiteral("青禾-") << 8 << 5;
    QTest::newRow("XYZ keeps the third") << QStringLiteral("青公司") << 8 << 5;
    QTest::newRow("X--") << QStringLiteral("青--") << 8 << -1;
    QTest::newRow("unknown fixed character") << QStringLiteral("青-们") << 8 << 999;
    QTest::newRow("not three characters") << QStringLiteral("青-") << 999 << 999;
    // Four UTF-16 units, three characters.
    QTest::newRow("fixed character outside the BMP") << QStringLiteral("青-\U00020000") << 8 << 7;
}

void TestStrokeLookup::fixedPattern()
{
    QFETCH(QString, pattern);
    QFETCH(int, surname);
    QFETCH(int, fixed);
    const Outcome<StrokeLookup::FixedPattern> p = StrokeLookup::parseFixedPattern(m_db, pattern);
    QCOMPARE(int(p.value->surnameStrokes), surname);
    QCOMPARE(p.value->fixedCharStrokes ? int(*p.value->fixedCharStrokes) : -1, fixed);
    QVERIFY(p.messages.isEmpty());
}

// The first failure of the library ends the parse: one message, and no strokes to search with.
void TestStrokeLookup::fixedPatternWithoutLibraryStopsAtTheFailure()
{
    QTemporaryDir dir;
    const Outcome<StrokeLookup::FixedPattern> p =
        StrokeLookup::parseFixedPattern(Library(dir.filePath(QStringLiteral("namedbs.mdb"))), QStringLiteral("青-禾"));
    QCOMPARE(p.messages.size(), 1);
    QCOMPARE(p.messages.first().text, QStringLiteral("找不到namedbs.mdb数据库。"));
    QVERIFY(!p.value);
    QVERIFY(p.databaseFailed);
}

QTEST_GUILESS_MAIN(TestStrokeLookup)
#include "tst_strokelookup.moc"
