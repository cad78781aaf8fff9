#include "fakes/TestFiles.h"
#include "text/DurableFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstddef>
#include <functional>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace tolvane;

namespace {

int modeOf(const QString &path)
{
    struct stat st { };
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

// Runs write on a thread of its own on which fsync and fdatasync fail with EIO, as they do on a disk that cannot
// write its data out (the kernel's seccomp filter, for that thread alone). False when the filter cannot be set.
bool writeWhereSyncFails(const std::function<bool()> &write, bool *written)
{
    bool filtered = false;
    std::thread thread([&] {
        sock_filter program[] = {
            BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
            BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_fsync, 2, 0),
            BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_fdatasync, 1, 0),
            BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
            BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | (EIO & SECCOMP_RET_DATA)),
        };
        sock_fprog filter { static_cast<unsigned short>(std::size(program)), program };
        filtered = ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0
            && ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &filter) == 0;
        if (filtered)
            *written = write();
    });
    thread.join();
    return filtered;
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
    // The data must be on the disk before the new file takes the old one's name: when it cannot be, the old
    // file stays as it was.
    QTest::newRow("disk cannot sync") << QStringLiteral("file 0644 unsynced") << false << false
                                      << QStringLiteral("磁盘读写出错") << 0644;
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
        QVERIFY(::chmod(QFile::encodeName(path).constData(), before.mid(5, 4).toUInt(nullptr, 8)) == 0);
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
    const auto write = [&] {
        return DurableFile::write(
            path, bytes, &why, ownerOnly ? DurableFile::Access::OwnerOnly : DurableFile::Access::Shared);
    };
    bool ok = false;
    if (before.endsWith(u"unsynced")) {
        if (!writeWhereSyncFails(write, &ok))
            QSKIP("this kernel does not let a thread filter its system calls");
    } else {
        ok = write();
    }
    QCOMPARE(ok, written);
    QCOMPARE(why, reason);
    if (!written) {
        // Nothing new, and an old file as it was.
        const bool hadFile = before.startsWith(u"file");
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), hadFile ? 1 : 0);
        if (hadFile) {
            QCOMPARE(readAll(path), old);
            QCOMPARE(modeOf(path), mode);
        }
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
