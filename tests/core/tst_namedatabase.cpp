#include "data/DatabaseFailure.h"
#include "data/DatabaseKey.h"
#include "data/Library.h"
#include "fakes/TestLibrary.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

using namespace tolvane;

class TestNameDatabase : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void failureMessages_data();
    void failureMessages();
    void brokenFilesGiveTheFileMessage_data();
    void brokenFilesGiveTheFileMessage();
    void missingTableGivesTheTableMessage_data();
    void missingTableGivesTheTableMessage();
    void neverCreatesTheFile();
    void firstRowInStoredOrderWins();
    void lastMeaningRowWins();
    void emptyNameTableFindsNothing();
    void replacedFileIsSeenAtTheNextOpen();
    void realLibraryOpens();
    void keyDerivationRounds_data();
    void keyDerivationRounds();
    void readmeStatementsOpenTheLibrary();
    void surnamesCountTheFormTheyAreWrittenIn_data();
    void surnamesCountTheFormTheyAreWrittenIn();
    void candidatesSuitTheSex_data();
    void candidatesSuitTheSex();

private:
    QTemporaryDir m_dir;
};

void TestNameDatabase::failureMessages_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("table");
    QTest::addColumn<int>("wording");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("warning");

    using K = DatabaseFailure::Kind;
    using W = DatabaseFailure::Wording;
    const QString table = QStringLiteral("数据库问题");
    QTest::newRow("file") << int(K::File) << int(DbTable::Name) << int(W::InDesign)
                          << QStringLiteral("找不到namedbs.mdb数据库。") << QStringLiteral("找不到数据库") << true;
    QTest::newRow("name") << int(K::Table) << int(DbTable::Name) << int(W::InDesign)
                          << QStringLiteral("找不到namedbs.mdb数据库里的name表或此表在设计状态。") << table << true;
    QTest::newRow("81man") << int(K::Table) << int(DbTable::Man81) << int(W::InDesign)
                           << QStringLiteral("找不到namedbs.mdb数据库里的81man表或此表在设计状态。") << table << true;
    QTest::newRow("81corp") << int(K::Table) << int(DbTable::Corp81) << int(W::InDesign)
                            << QStringLiteral("找不到namedbs.mdb数据库里的81corp表或此表在设计状态。") << table << true;
    QTest::newRow("sancai") << int(K::Table) << int(DbTable::Sancai) << int(W::InDesign)
                            << QStringLiteral("找不到namedbs.mdb数据库里的sancai表或此表在设计状态。") << table << true;
    QTest::newRow("wrGe") << int(K::Table) << int(DbTable::WrGe) << int(W::InDesign)
                          << QStringLiteral("找不到namedbs.mdb数据库里的wrGe表或此表在设计状态。") << table << true;
    QTest::newRow("text, reading window") << int(K::Table) << int(DbTable::Text) << int(W::OpenInDesign)
                                          << QStringLiteral("找不到namedbs.mdb数据库里的text表或此表已打开在设计状态。")
                                          << QString() << false;
    QTest::newRow("name, correction") << int(K::Table) << int(DbTable::Name) << int(W::OpenInDesign)
                                      << QStringLiteral("找不到namedbs.mdb数据库里的name表或此表已打开在设计状态。")
                                      << QString() << false;
}

void TestNameDatabase::failureMessages()
{
    QFETCH(int, kind);
    QFETCH(int, table);
    QFETCH(int, wording);
    QFETCH(QString, text);
    QFETCH(QString, title);
    QFETCH(bool, warning);
    const DatabaseFailure failure{DatabaseFailure::Kind(kind), DbTable(table), DatabaseFailure::Wording(wording)};
    const UserMessage m = failure.message();
    QCOMPARE(m.text, text);
    QCOMPARE(m.title, title);
    QCOMPARE(m.style == UserMessage::Style::Warning, warning);
}

void TestNameDatabase::brokenFilesGiveTheFileMessage_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("missing") << QStringLiteral("missing");
    QTest::newRow("wrong password") << QStringLiteral("password");
    QTest::newRow("truncated") << QStringLiteral("truncated");
    QTest::newRow("empty file") << QStringLiteral("empty");
    QTest::newRow("text file") << QStringLiteral("text");
    QTest::newRow("plain sqlite") << QStringLiteral("sqlite");
    QTest::newRow("directory") << QStringLiteral("directory");
}

void TestNameDatabase::brokenFilesGiveTheFileMessage()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("namedbs.mdb"));
    if (kind == QLatin1String("password")) {
        TestLibrary::write(TestLibrary::fixtureContents(), dir.path(), QStringLiteral("tarn5828"));
    } else if (kind == QLatin1String("truncated")) {
        TestLibrary::write(TestLibrary::fixtureContents(), dir.path());
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.resize(1500));
    } else if (kind == QLatin1String("empty") || kind == QLatin1String("text")) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        if (kind == QLatin1String("text"))
            f.write("This is not a library.\r\n");
    } else if (kind == QLatin1String("sqlite")) {
        sqlite3 *db = nullptr;
        QCOMPARE(sqlite3_open(QFile::encodeName(path).constData(), &db), SQLITE_OK);
        QCOMPARE(sqlite3_exec(db, "CREATE TABLE name (namechr TEXT); INSERT INTO name VALUES ('x');", nullptr,
                              nullptr, nullptr),
                 SQLITE_OK);
        sqlite3_close(db);
    } else if (kind == QLatin1String("directory")) {
        QVERIFY(QDir().mkpath(path));
    }

    NameDatabase db = Library(path).open({DbTable::Name});
    const std::optional<DatabaseFailure> failure = db.failure();
    QVERIFY(failure);
    QCOMPARE(int(failure->kind), int(DatabaseFailure::Kind::File));
    QVERIFY(!db.isOpen());
}

void TestNameDatabase::missingTableGivesTheTableMessage_data()
{
    QTest::addColumn<int>("table");
    for (DbTable t : {DbTable::Name, DbTable::Man81, DbTable::Corp81, DbTable::Sancai, DbTable::WrGe, DbTable::Text})
        QTest::newRow(qPrintable(tableName(t))) << int(t);
}

void TestNameDatabase::missingTableGivesTheTableMessage()
{
    QFETCH(int, table);
    QTemporaryDir dir;
    mkdb::LibraryContents contents = TestLibrary::fixtureContents();
    contents.omitTables.insert(tableName(DbTable(table)));
    const Library library(TestLibrary::write(contents, dir.path()));
    QVERIFY(!library.open({}).failure());
    // Every other table still opens.
    for (DbTable other : {DbTable::Name, DbTable::Man81, DbTable::Corp81, DbTable::Sancai, DbTable::WrGe, DbTable::Text}) {
        const std::optional<DatabaseFailure> failure = library.open({other}).failure();
        QCOMPARE(bool(failure), other == DbTable(table));
        if (failure) {
            QCOMPARE(int(failure->kind), int(DatabaseFailure::Kind::Table));
            QCOMPARE(int(failure->table), table);
        }
    }
}

void TestNameDatabase::neverCreatesTheFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("namedbs.mdb"));
    QVERIFY(Library(path).open({}).failure());
    QVERIFY(!QFile::exists(path));
}

void TestNameDatabase::firstRowInStoredOrderWins()
{
    QTemporaryDir dir;
    NameDatabase db = Library(TestLibrary::write(TestLibrary::fixtureContents(), dir.path())).open({DbTable::Name});
    QVERIFY(!db.failure());
    QCOMPARE(db.strokesOf(QStringLiteral("重")).row, std::optional<qint16>(9));
    QCOMPARE(db.strokesOf(QStringLiteral("青")).row, std::optional<qint16>(8));
    QCOMPARE(db.strokesOf(QStringLiteral("𠀀")).row, std::optional<qint16>(7));
    // Exact comparison: no case or width folding, no prefix match, no trimming.
    QCOMPARE(db.strokesOf(QStringLiteral("A")).row, std::optional<qint16>(3));
    QVERIFY(!db.strokesOf(QStringLiteral("a")).row);
    QVERIFY(!db.strokesOf(QStringLiteral("Ａ")).row);
    QVERIFY(!db.strokesOf(QStringLiteral("青禾")).row);
    QVERIFY(!db.strokesOf(QString()).row);
    QVERIFY(!db.strokesOf(QStringLiteral(" 青")).row);
}

void TestNameDatabase::lastMeaningRowWins()
{
    QTemporaryDir dir;
    NameDatabase db = Library(TestLibrary::write(TestLibrary::fixtureContents(), dir.path())).open({DbTable::Corp81});
    QVERIFY(!db.failure());
    const std::optional<MeaningRow> row = db.numberMeaning(DbTable::Corp81, 24).row;
    QVERIFY(row);
    QCOMPARE(row->meaning, QStringLiteral("二十四数之意（后一行）"));
    QCOMPARE(db.numberMeaning(DbTable::Corp81, 13).row->meaning, QStringLiteral("第一行\r\n第二行"));
    QVERIFY(!db.numberMeaning(DbTable::Corp81, 3).row);
}

void TestNameDatabase::emptyNameTableFindsNothing()
{
    QTemporaryDir dir;
    mkdb::LibraryContents contents = TestLibrary::fixtureContents();
    contents.name.clear();
    NameDatabase db = Library(TestLibrary::write(contents, dir.path())).open({DbTable::Name});
    QVERIFY(!db.failure());
    QVERIFY(!db.strokesOf(QStringLiteral("一")).row);
}

void TestNameDatabase::replacedFileIsSeenAtTheNextOpen()
{
    QTemporaryDir dir;
    mkdb::LibraryContents contents = TestLibrary::fixtureContents();
    const QString path = TestLibrary::write(contents, dir.path());
    {
        NameDatabase db = Library(path).open({DbTable::Name});
        QVERIFY(!db.failure());
        QCOMPARE(*db.strokesOf(QStringLiteral("青")).row, qint16(8));
    }
    contents.name.first().namechr = QStringLiteral("青");
    contents.name.first().strokes = 33;
    TestLibrary::write(contents, dir.path());
    NameDatabase db = Library(path).open({DbTable::Name});
    QVERIFY(!db.failure());
    QCOMPARE(*db.strokesOf(QStringLiteral("青")).row, qint16(33));
}

void TestNameDatabase::realLibraryOpens()
{
    NameDatabase db = Library(TestLibrary::realDatabasePath()).open({DbTable::Name, DbTable::Man81, DbTable::Corp81, DbTable::Sancai, DbTable::WrGe, DbTable::Text});
    QVERIFY(!db.failure());
    QCOMPARE(*db.strokesOf(QStringLiteral("张")).row, qint16(11));
    QCOMPARE(*db.strokesOf(QStringLiteral("王")).row, qint16(4));
}

void TestNameDatabase::keyDerivationRounds_data()
{
    QTest::addColumn<int>("rounds");
    QTest::addColumn<bool>("opens");
    QTest::newRow("this version's rounds") << kDatabaseKdfIterations << true;
    // A per-user copy of the library made by an earlier version.
    QTest::newRow("earlier versions' 64000") << kLegacyDatabaseKdfIterations << true;
    QTest::newRow("any other count") << 4000 << false;
}

void TestNameDatabase::keyDerivationRounds()
{
    QFETCH(int, rounds);
    QFETCH(bool, opens);
    QTemporaryDir dir;
    const QString path = TestLibrary::write(TestLibrary::fixtureContents(), dir.path(), {}, rounds);
    // Twice: the second open takes the keys this process has derived already.
    for (int attempt = 0; attempt < 2; ++attempt) {
        NameDatabase db = Library(path).open({ DbTable::Name });
        const std::optional<DatabaseFailure> failure = db.failure();
        QCOMPARE(!failure, opens);
        QCOMPARE(db.isOpen(), opens);
        if (opens) {
            QCOMPARE(*db.strokesOf(QStringLiteral("青")).row, qint16(8));
            QCOMPARE(db.setFirstStrokes(QStringLiteral("青"), 8), NameDatabase::WriteOutcome::Written);
        } else {
            QCOMPARE(int(failure->kind), int(DatabaseFailure::Kind::File));
        }
    }
}

// data/README.md tells users how to open the library in the sqlcipher shell: its statements must open the library
// the build generated.
void TestNameDatabase::readmeStatementsOpenTheLibrary()
{
    const QString shell = QStandardPaths::findExecutable(QStringLiteral("sqlcipher"));
    if (shell.isEmpty())
        QSKIP("the sqlcipher shell (Debian package sqlcipher) is not installed");
    QFile readme(qEnvironmentVariable("TOLVANE_SOURCE_DIR") + QStringLiteral("/data/README.md"));
    QVERIFY(readme.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(readme.readAll());
    const qsizetype section = text.indexOf(QStringLiteral("## Opening the library with sqlcipher"));
    QVERIFY(section >= 0);
    const qsizetype start = text.indexOf(QStringLiteral("```\n"), section) + 4;
    const qsizetype end = text.indexOf(QStringLiteral("```"), start);
    QStringList statements = text.mid(start, end - start).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(statements.takeFirst(), QStringLiteral("sqlcipher namedbs.mdb"));
    QVERIFY(statements.contains(QStringLiteral("SELECT count(*) FROM name;")));

    QProcess process;
    process.start(shell, { TestLibrary::realDatabasePath() });
    QVERIFY(process.waitForStarted());
    process.write(statements.join(QLatin1Char('\n')).toUtf8() + '\n');
    process.closeWriteChannel();
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(QString::fromUtf8(process.readAllStandardError()), QString());
    const int rows = QString::fromUtf8(process.readAllStandardOutput()).trimmed().toInt();
    QVERIFY(rows > 10000);

    // The project's README gives the same number of characters.
    QFile projectReadme(qEnvironmentVariable("TOLVANE_SOURCE_DIR") + QStringLiteral("/README.md"));
    QVERIFY(projectReadme.open(QIODevice::ReadOnly));
    const QRegularExpressionMatch stated = QRegularExpression(QStringLiteral("`namedbs.mdb` \\(([0-9,]+) characters"))
                                               .match(QString::fromUtf8(projectReadme.readAll()));
    QVERIFY(stated.hasMatch());
    QCOMPARE(stated.captured(1).remove(QLatin1Char(',')).toInt(), rows);
}

void TestNameDatabase::surnamesCountTheFormTheyAreWrittenIn_data()
{
    QTest::addColumn<QString>("surname");
    QTest::addColumn<int>("strokes");
    // Written so in traditional script too: their "traditional forms" 薑 穀 麯 鬱 嶽 樸 範 are other words.
    QTest::newRow("姜") << QStringLiteral("姜") << 9;
    QTest::newRow("谷") << QStringLiteral("谷") << 7;
    QTest::newRow("曲") << QStringLiteral("曲") << 6;
    QTest::newRow("郁") << QStringLiteral("郁") << 13;
    QTest::newRow("岳") << QStringLiteral("岳") << 8;
    QTest::newRow("朴") << QStringLiteral("朴") << 6;
    QTest::newRow("范") << QStringLiteral("范") << 11;
    // The surname 迟 is written 遲 in traditional script, and counted so (辵 7 + 12).
    QTest::newRow("迟 as 遲") << QStringLiteral("迟") << 19;
    QTest::newRow("钟 as the surname 鍾") << QStringLiteral("钟") << 17;
}

void TestNameDatabase::surnamesCountTheFormTheyAreWrittenIn()
{
    QFETCH(QString, surname);
    QFETCH(int, strokes);
    NameDatabase db = Library(TestLibrary::realDatabasePath()).open({DbTable::Name});
    QVERIFY(!db.failure());
    QCOMPARE(int(*db.strokesOf(surname).row), strokes);
}

void TestNameDatabase::candidatesSuitTheSex_data()
{
    QTest::addColumn<QString>("sex");
    QTest::addColumn<QString>("offered");
    QTest::addColumn<QString>("neverOffered");
    QTest::newRow("boy") << QStringLiteral("男") << QStringLiteral("刚强明华宇")
                         << QStringLiteral("娘姑妞姨妻奶她婷娟娜媛妍倩");
    QTest::newRow("girl") << QStringLiteral("女") << QStringLiteral("婷娟明华宇")
                          << QStringLiteral("爸爹兄弟枪戟矛刚彪雄");
}

// The real library offers each sex only characters a parent would give to that sex.
void TestNameDatabase::candidatesSuitTheSex()
{
    QFETCH(QString, sex);
    QFETCH(QString, offered);
    QFETCH(QString, neverOffered);
    NameDatabase db = Library(TestLibrary::realDatabasePath()).open({DbTable::Name});
    QVERIFY(!db.failure());
    const QStringList allElements{QStringLiteral("金"), QStringLiteral("木"), QStringLiteral("水"),
                                  QStringLiteral("火"), QStringLiteral("土")};
    const auto rows = db.candidates(sex, allElements);
    QVERIFY(rows.has_value());
    QString characters;
    for (const NameDatabase::Candidate &c : *rows)
        characters += c.namechr;
    for (const QChar c : offered)
        QVERIFY2(characters.contains(c), qPrintable(QString(c)));
    for (const QChar c : neverOffered)
        QVERIFY2(!characters.contains(c), qPrintable(QString(c)));
    // A few hundred per sex, not thousands: only characters worth considering.
    QVERIFY2(rows->size() < 2600, qPrintable(QString::number(rows->size())));
}

QTEST_GUILESS_MAIN(TestNameDatabase)
#include "tst_namedatabase.moc"
