#include "analysis/CharacterLookups.h"
#include "analysis/CompanyAnalysis.h"
#include "data/DatabaseKey.h"
#include "data/LibraryCorrection.h"
#include "data/Library.h"
#include "data/StrokeLookup.h"
#include "fakes/TestLibrary.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <sqlite3.h>

using namespace tolvane;

namespace {

const QString kWriteFailed = QStringLiteral("新的笔画数没能写入起名字库，字库保持原样。请确认namedbs.mdb没有被其他程序占用、"
                                            "文件可以写入，然后再试一次。");

// The strokes of every row of name in stored order, to prove that nothing else changed.
QStringList allStrokes(const QString &path)
{
    QStringList strokes;
    NameDatabase db = Library(path).open({DbTable::Name});
    if (db.failure())
        return strokes;
    for (const QString &c : {QStringLiteral("一"), QStringLiteral("二"), QStringLiteral("四"), QStringLiteral("十"),
                             QStringLiteral("青"), QStringLiteral("重"), QStringLiteral("𠀀"), QStringLiteral("行")}) {
        const QList<NameDatabase::LibraryRow> rows = db.rowsOf(c).value();
        for (const NameDatabase::LibraryRow &row : rows)
            strokes.append(c + row.strokes);
    }
    return strokes;
}

// A second connection to the library, as another program would hold it.
struct RawConnection {
    explicit RawConnection(const QString &path)
    {
        const std::optional<QByteArray> key = DatabaseKey::rawKeyPragmaFor(path);
        ok = key && sqlite3_open(QFile::encodeName(path).constData(), &db) == SQLITE_OK
            && sqlite3_exec(db, key->constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
    }
    ~RawConnection() { sqlite3_close(db); }
    bool exec(const char *sql) { return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }

    sqlite3 *db = nullptr;
    bool ok = false;
};

} // namespace

class TestLibraryCorrection : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void refusals_data();
    void refusals();
    void checksComeBeforeTheLibrary();
    void accepted_data();
    void accepted();
    void onlyTheFirstRowChanges();
    void libraryFailures();
    void currentDirectoryDoesNotMatter();
    void failedWriteIsReportedAndChangesNothing();
    void lockedLibraryIsReportedAndChangesNothing();
    void laterOperationsSeeTheCorrection();

private:
    QTemporaryDir m_templateDir;
    QString m_template;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_library;
};

void TestLibraryCorrection::initTestCase()
{
    QVERIFY(m_templateDir.isValid());
    m_template = TestLibrary::write(TestLibrary::fixtureContents(), m_templateDir.path());
}

// Every test corrects its own copy of the fixture library.
void TestLibraryCorrection::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_library = m_dir->filePath(QStringLiteral("namedbs.mdb"));
    QVERIFY(QFile::copy(m_template, m_library));
}

void TestLibraryCorrection::refusals_data()
{
    QTest::addColumn<QString>("character");
    QTest::addColumn<QString>("strokes");
    QTest::addColumn<QString>("message");

    const QString noCharacter = QStringLiteral("您还没有输入汉字。");
    const QString noStrokes = QStringLiteral("您还没有输入笔画数。");
    const QString oneCharacter = QStringLiteral("在此只能输入一个汉字。");
    const QString notANumber = QStringLiteral("笔画数只能输入数字。");
    const QString range = QStringLiteral("笔画数不能是负数或太大。");
    // In the order the checks run: each row also fails every later check.
    QTest::newRow("both empty") << QString() << QString() << noCharacter;
    QTest::newRow("character empty") << QString() << QStringLiteral("abc") << noCharacter;
    QTest::newRow("strokes empty") << QStringLiteral("十十") << QString() << noStrokes;
    QTest::newRow("two characters") << QStringLiteral("十十") << QStringLiteral("abc") << oneCharacter;
    QTest::newRow("a blank counts as a character") << QStringLiteral(" 十") << QStringLiteral("5") << oneCharacter;
    QTest::newRow("a letter") << QStringLiteral("十") << QStringLiteral("a") << notANumber;
    QTest::newRow("70000 is not a 16-bit number") << QStringLiteral("十") << QStringLiteral("70000") << notANumber;
    QTest::newRow("51") << QStringLiteral("十") << QStringLiteral("51") << range;
    QTest::newRow("-1") << QStringLiteral("十") << QStringLiteral("-1") << range;
    QTest::newRow("50.5 rounds to 50") << QStringLiteral("龙") << QStringLiteral("50.5")
                                       << QStringLiteral("起名字库中没有您输入的汉字。");
    QTest::newRow("not in the library") << QStringLiteral("龙") << QStringLiteral("5")
                                        << QStringLiteral("起名字库中没有您输入的汉字。");
}

void TestLibraryCorrection::refusals()
{
    QFETCH(QString, character);
    QFETCH(QString, strokes);
    QFETCH(QString, message);
    const QStringList before = allStrokes(m_library);
    const Outcome<QString> r = LibraryCorrection::apply(Library(m_library), character, strokes);
    QVERIFY(!r.value.has_value());
    QVERIFY(r.message());
    QCOMPARE(*r.message(), UserMessage::warning(message));
    QCOMPARE(allStrokes(m_library), before);
}

void TestLibraryCorrection::checksComeBeforeTheLibrary()
{
    const QString missing = m_dir->filePath(QStringLiteral("nowhere/namedbs.mdb"));
    const Outcome<QString> r = LibraryCorrection::apply(Library(missing), QStringLiteral("十"), QStringLiteral("51"));
    QCOMPARE(r.message()->text, QStringLiteral("笔画数不能是负数或太大。"));
}

void TestLibraryCorrection::accepted_data()
{
    QTest::addColumn<QString>("character");
    QTest::addColumn<QString>("strokes");
    QTest::addColumn<QString>("stored");
    QTest::newRow("0 is stored") << QStringLiteral("十") << QStringLiteral("0") << QStringLiteral("0");
    QTest::newRow("50") << QStringLiteral("十") << QStringLiteral("50") << QStringLiteral("50");
    QTest::newRow("blanks around the number") << QStringLiteral("十") << QStringLiteral(" 12 ") << QStringLiteral("12");
    QTest::newRow("12.5 rounds to 12") << QStringLiteral("十") << QStringLiteral("12.5") << QStringLiteral("12");
    QTest::newRow("outside the BMP") << QStringLiteral("𠀀") << QStringLiteral("9") << QStringLiteral("9");
}

void TestLibraryCorrection::accepted()
{
    QFETCH(QString, character);
    QFETCH(QString, strokes);
    QFETCH(QString, stored);
    QStringList expected = allStrokes(m_library);
    for (QString &entry : expected) {
        if (entry.startsWith(character))
            entry = character + stored;
    }
    const Outcome<QString> r = LibraryCorrection::apply(Library(m_library), character, strokes);
    QVERIFY(!r.message());
    QVERIFY(r.value.has_value());
    QCOMPARE(allStrokes(m_library), expected);
}

void TestLibraryCorrection::onlyTheFirstRowChanges()
{
    // 重 has two rows, 9 and 20 strokes.
    QVERIFY(LibraryCorrection::apply(Library(m_library), QStringLiteral("重"), QStringLiteral("3")).value.has_value());
    NameDatabase db = Library(m_library).open({DbTable::Name});
    QVERIFY(!db.failure());
    const QList<NameDatabase::LibraryRow> rows = db.rowsOf(QStringLiteral("重")).value();
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows.at(0).strokes, QStringLiteral("3"));
    QCOMPARE(rows.at(1).strokes, QStringLiteral("20"));
}

void TestLibraryCorrection::libraryFailures()
{
    const QString missing = m_dir->filePath(QStringLiteral("none/namedbs.mdb"));
    const Outcome<QString> noFile = LibraryCorrection::apply(Library(missing), QStringLiteral("十"), QStringLiteral("5"));
    QCOMPARE(*noFile.message(), UserMessage::warning(QStringLiteral("找不到namedbs.mdb数据库。"), QStringLiteral("找不到数据库")));
    QVERIFY(!QFile::exists(missing));

    QTemporaryDir other;
    mkdb::LibraryContents contents = TestLibrary::fixtureContents();
    contents.omitTables.insert(QStringLiteral("name"));
    const Outcome<QString> noTable =
        LibraryCorrection::apply(Library(TestLibrary::write(contents, other.path())), QStringLiteral("十"), QStringLiteral("5"));
    QVERIFY(!noTable.value.has_value());
    QCOMPARE(*noTable.message(), UserMessage::plain(QStringLiteral("找不到namedbs.mdb数据库里的name表或此表已打开在设计状态。")));
}

// The program's library is corrected wherever the process happens to stand, and a file of the same name in
// the current directory is left alone.
void TestLibraryCorrection::currentDirectoryDoesNotMatter()
{
    QTemporaryDir elsewhere;
    const QString decoy = TestLibrary::write(TestLibrary::fixtureContents(), elsewhere.path());
    const QString saved = QDir::currentPath();
    QVERIFY(QDir::setCurrent(elsewhere.path()));
    const Outcome<QString> r = LibraryCorrection::apply(Library(m_library), QStringLiteral("十"), QStringLiteral("11"));
    QDir::setCurrent(saved);
    QVERIFY(r.value.has_value());
    QCOMPARE(*StrokeLookup::strokesOf(Library(m_library), QStringLiteral("十")).value, qint16(11));
    QCOMPARE(*StrokeLookup::strokesOf(Library(decoy), QStringLiteral("十")).value, qint16(10));
}

void TestLibraryCorrection::failedWriteIsReportedAndChangesNothing()
{
    {
        // A library whose rows refuse to change: the update itself fails.
        RawConnection raw(m_library);
        QVERIFY(raw.ok);
        QVERIFY(raw.exec("CREATE TRIGGER name_frozen BEFORE UPDATE ON name BEGIN SELECT RAISE(ABORT, 'frozen'); END;"));
    }
    const QStringList before = allStrokes(m_library);
    const Outcome<QString> r = LibraryCorrection::apply(Library(m_library), QStringLiteral("十"), QStringLiteral("12"));
    QVERIFY(!r.value.has_value());
    QCOMPARE(*r.message(), UserMessage::warning(kWriteFailed));
    QCOMPARE(allStrokes(m_library), before);

    // Nothing is left half done: once the rows may change again, the same correction goes through.
    {
        RawConnection raw(m_library);
        QVERIFY(raw.exec("DROP TRIGGER name_frozen;"));
    }
    QVERIFY(LibraryCorrection::apply(Library(m_library), QStringLiteral("十"), QStringLiteral("12")).value.has_value());
    QCOMPARE(*StrokeLookup::strokesOf(Library(m_library), QStringLiteral("十")).value, qint16(12));
}

void TestLibraryCorrection::lockedLibraryIsReportedAndChangesNothing()
{
    // Another program is in the middle of writing: it may still be read, but not written.
    RawConnection other(m_library);
    QVERIFY(other.ok);
    QVERIFY(other.exec("BEGIN IMMEDIATE;"));
    const Outcome<QString> r = LibraryCorrection::apply(Library(m_library), QStringLiteral("十"), QStringLiteral("12"));
    QVERIFY(!r.value.has_value());
    QCOMPARE(*r.message(), UserMessage::warning(kWriteFailed));
    QVERIFY(other.exec("ROLLBACK;"));
    QCOMPARE(*StrokeLookup::strokesOf(Library(m_library), QStringLiteral("十")).value, qint16(10));
}

// A correction reaches every later lookup at once. Personal-name analysis is still being written; the
// company-name analysis and the single-character stroke lookup read strokes the same way.
void TestLibraryCorrection::laterOperationsSeeTheCorrection()
{
    QTemporaryDir dir;
    const QString real = dir.filePath(QStringLiteral("namedbs.mdb"));
    QVERIFY(QFile::copy(TestLibrary::realDatabasePath(), real));
    QFile::setPermissions(real, QFile::ReadOwner | QFile::WriteOwner);

    QCOMPARE(CompanyAnalysis::analyze(QStringLiteral("十十四"), Library(real)).value->total, 24);
    QVERIFY(LibraryCorrection::apply(Library(real), QStringLiteral("十"), QStringLiteral("12")).value.has_value());
    QCOMPARE(CompanyAnalysis::analyze(QStringLiteral("十十四"), Library(real)).value->total, 28);
    const LookupAnswer strokes = CharacterLookups::characterStrokes(QStringLiteral("十"), Library(real));
    QCOMPARE(strokes.value->text, QStringLiteral("“十” 字笔画数是： 12    五行属： 金\r\n"));
    const LookupAnswer byStrokes = CharacterLookups::charactersByStrokes(QStringLiteral("10"), Library(real));
    QVERIFY(!byStrokes.value->text.contains(QStringLiteral("十")));
}

QTEST_GUILESS_MAIN(TestLibraryCorrection)
#include "tst_librarycorrection.moc"
