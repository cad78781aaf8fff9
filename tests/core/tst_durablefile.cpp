#include "fakes/TestFiles.h"
#include "text/DurableFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace tolvane;

namespace {

int modeOf(const QString &path)
{
    struct stat st { };
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

int newFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return int(0666 & ~mask);
}

} // namespace

class TestDurableFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void writes_data();
    void writes();
    void killedWritersLeaveNoHalfFile();
};

void TestDurableFile::writes_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<bool>("ownerOnly");
    QTest::addColumn<bool>("written");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<int>("mode"); // -1: the usual mode of a new file

    QTest::newRow("new file") << QStringLiteral("nothing") << false << true << QString() << -1;
    QTest::newRow("old file keeps its mode") << QStringLiteral("file 0640") << false << true << QString() << 0640;
    QTest::newRow("owner only, whatever the old mode")
        << QStringLiteral("file 0644") << true << true << QString() << 0600;
    QTest::newRow("new file, owner only") << QStringLiteral("nothing") << true << true << QString() << 0600;
    // A link planted where earlier versions kept their one temporary name: the file is written all the same,
    // and the link's file is left alone.
    QTest::newRow("link at the old temporary name")
        << QStringLiteral("planted link") << false << true << QString() << -1;
    QTest::newRow("link: its file is replaced") << QStringLiteral("link") << false << true << QString() << 0640;
    QTest::newRow("missing folder") << QStringLiteral("no folder") << false << false << QStringLiteral("文件夹不存在")
                                    << -1;
    QTest::newRow("folder of that name") << QStringLiteral("folder") << false << false
                                         << QStringLiteral("同名的文件夹已经存在") << -1;
}

void TestDurableFile::writes()
{
    QFETCH(QString, before);
    QFETCH(bool, ownerOnly);
    QFETCH(bool, written);
    QFETCH(QString, reason);
    QFETCH(int, mode);
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("name.rtf"));
    const QString real = dir.filePath(QStringLiteral("real.rtf"));
    const QByteArray old("old text");
    const QByteArray bytes("{\\rtf1 new text}\r\n");
    if (before.startsWith(u"file")) {
        QVERIFY(writeAll(path, old));
        QVERIFY(::chmod(QFile::encodeName(path).constData(), before.mid(5).toUInt(nullptr, 8)) == 0);
    } else if (before == u"planted link") {
        QVERIFY(writeAll(real, old));
        QVERIFY(QFile::link(real, dir.filePath(QStringLiteral(".name.rtf.tolvane-tmp"))));
    } else if (before == u"link") {
        QVERIFY(writeAll(real, old));
        QVERIFY(::chmod(QFile::encodeName(real).constData(), 0640) == 0);
        QVERIFY(QFile::link(real, path));
    } else if (before == u"no folder") {
        path = dir.filePath(QStringLiteral("missing/name.rtf"));
    } else if (before == u"folder") {
        QVERIFY(QDir().mkpath(path));
    }

    QString why;
    const bool ok = DurableFile::write(
        path, bytes, &why, ownerOnly ? DurableFile::Access::OwnerOnly : DurableFile::Access::Shared);
    QCOMPARE(ok, written);
    QCOMPARE(why, reason);
    if (!written) {
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 0);
        return;
    }
    QCOMPARE(readAll(path), bytes);
    if (before == u"link") {
        QVERIFY(QFileInfo(path).isSymLink());
        QCOMPARE(readAll(real), bytes);
        path = real;
    }
    QCOMPARE(modeOf(path), mode < 0 ? newFileMode() : mode);
    if (before == u"planted link")
        QCOMPARE(readAll(real), old);
    // Nothing but the file (and the link and its file) is left in the folder.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(),
        before == u"link" ? 2 : before == u"planted link" ? 3 : 1);
}

void TestDurableFile::killedWritersLeaveNoHalfFile()
{
    // Writers killed at every moment of their work: the file is always the one or the other whole version.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Info.txt"));
    const QByteArray a(300000, 'a');
    const QByteArray b(200000, 'b');
    QVERIFY(DurableFile::write(path, a));
    for (int round = 0; round < 40; ++round) {
        const pid_t child = ::fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            for (int i = 0;; ++i)
                (void)DurableFile::write(path, i % 2 ? a : b);
        }
        ::usleep(useconds_t(500 + 250 * round));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        const QByteArray now = readAll(path);
        QVERIFY2(now == a || now == b, qPrintable(QStringLiteral("round %1: %2 bytes").arg(round).arg(now.size())));
    }
    QVERIFY(DurableFile::write(path, "done"));
    QCOMPARE(readAll(path), QByteArray("done"));
}

QTEST_GUILESS_MAIN(TestDurableFile)
#include "tst_durablefile.moc"
