#include "fakes/DiskFaults.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <csignal>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tolvane {

namespace {

const QString kFiller = QStringLiteral("filler");
// Room for the old files a test puts on a small disk (a copy of the command line and its library: about 30 MB,
// over 50 MB as the sanitizer build makes them), and for a copy of the program in a read-only folder.
constexpr const char *kSmallDiskOptions = "size=96m,mode=0777";
constexpr const char *kFolderOptions = "size=256m,mode=0777"; // room for a sanitizer build of the command line

long pageSize()
{
    return sysconf(_SC_PAGESIZE);
}

bool mountTmpfs(const QString &path, const char *options)
{
    return ::mount("tmpfs", QFile::encodeName(path).constData(), "tmpfs", MS_NOSUID | MS_NODEV, options) == 0;
}

void unmount(const QString &path)
{
    ::umount2(QFile::encodeName(path).constData(), MNT_DETACH);
}

} // namespace

SmallDisk::SmallDisk(int freeBlocks)
    : m_freeBlocks(freeBlocks)
{
    if (m_dir.isValid())
        m_mounted = mountTmpfs(m_dir.path(), kSmallDiskOptions);
}

SmallDisk::~SmallDisk()
{
    if (m_limited)
        ::setrlimit(RLIMIT_FSIZE, &m_oldLimit);
    if (m_mounted)
        unmount(m_dir.path());
}

void SmallDisk::fill()
{
    const long page = pageSize();
    if (!m_mounted) {
        // A write past the limit raises SIGXFSZ, which would end the process: ignored, the write fails instead.
        std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &m_oldLimit);
        struct rlimit limit = m_oldLimit;
        limit.rlim_cur = rlim_t(m_freeBlocks) * rlim_t(page);
        m_limited = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
        return;
    }
    const QByteArray filler = QFile::encodeName(m_dir.filePath(kFiller));
    const int fd = ::open(filler.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return;
    const QByteArray block(page, 'x');
    off_t size = 0;
    for (;;) {
        const ssize_t n = ::write(fd, block.constData(), size_t(block.size()));
        if (n <= 0)
            break;
        size += n;
    }
    // Whole pages are what tmpfs counts: give back exactly the free ones asked for.
    size -= size % page;
    if (::ftruncate(fd, std::max<off_t>(0, size - off_t(m_freeBlocks) * page)) != 0)
        qWarning("could not give the filler's pages back");
    ::close(fd);
}

QString SmallDisk::reason() const
{
    return m_mounted ? QStringLiteral("磁盘空间不足") : QStringLiteral("文件超出了允许的大小");
}

QStringList SmallDisk::files() const
{
    QStringList names;
    const QDir root(m_dir.path());
    QDirIterator it(m_dir.path(), QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString name = root.relativeFilePath(it.next());
        if (name != kFiller)
            names << name;
    }
    names.sort();
    return names;
}

ReadOnlyFolder::ReadOnlyFolder()
{
    if (m_dir.isValid())
        m_mounted = mountTmpfs(m_dir.path(), kFolderOptions);
}

ReadOnlyFolder::~ReadOnlyFolder()
{
    if (m_mounted) {
        unmount(m_dir.path());
        return;
    }
    if (m_chmodded) {
        QDirIterator it(m_dir.path(), QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        ::chmod(QFile::encodeName(m_dir.path()).constData(), 0700);
        while (it.hasNext())
            ::chmod(QFile::encodeName(it.next()).constData(), 0700);
    }
}

bool ReadOnlyFolder::makeReadOnly()
{
    if (m_mounted) {
        return ::mount(nullptr, QFile::encodeName(m_dir.path()).constData(), nullptr,
                   MS_REMOUNT | MS_RDONLY | MS_NOSUID | MS_NODEV, nullptr)
            == 0;
    }
    // Without the right to mount, permissions are all there is, and root does not heed them.
    if (::geteuid() == 0)
        return false;
    QDirIterator it(m_dir.path(), QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    QStringList dirs { m_dir.path() };
    while (it.hasNext())
        dirs << it.next();
    for (const QString &dir : dirs)
        ::chmod(QFile::encodeName(dir).constData(), 0555);
    m_chmodded = true;
    return true;
}

} // namespace tolvane
