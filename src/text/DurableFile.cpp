#include "text/DurableFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace tolvane {

namespace {

constexpr int kAttempts = 10;
// How long a writer waits for another one that is writing the same file.
constexpr auto kLockWait = std::chrono::seconds(5);
constexpr auto kLockPoll = std::chrono::milliseconds(20);

// A file descriptor that is closed however the write ends.
class Descriptor final {
public:
    explicit Descriptor(int fd = -1)
        : m_fd(fd)
    {
    }
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int get() const { return m_fd; }
    int release()
    {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }

private:
    int m_fd;
};

bool sameFile(int fd, const QByteArray &path)
{
    struct stat opened { };
    struct stat named { };
    return ::fstat(fd, &opened) == 0 && ::lstat(path.constData(), &named) == 0 && opened.st_dev == named.st_dev
        && opened.st_ino == named.st_ino;
}

// Waits until no other writer holds the temporary; false when one keeps it longer than kLockWait.
bool lockExclusively(int fd)
{
    const auto deadline = std::chrono::steady_clock::now() + kLockWait;
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR)
            return false;
        if (std::chrono::steady_clock::now() >= deadline) {
            errno = EWOULDBLOCK;
            return false;
        }
        std::this_thread::sleep_for(kLockPoll);
    }
    return true;
}

// Creates the temporary and holds its lock. A temporary that is already there belongs either to a writer
// that is still at work (its lock is held: wait for it) or to one that was killed (its lock went with it:
// remove the file and start again).
int openTemporary(const QByteArray &temp, mode_t mode)
{
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const int created = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode);
        if (created >= 0) {
            Descriptor fd(created);
            if (!lockExclusively(fd.get()))
                return -1;
            // Another writer may have taken this file for a stale one between our open and our lock.
            if (sameFile(fd.get(), temp))
                return fd.release();
            continue;
        }
        if (errno != EEXIST)
            return -1;
        Descriptor existing(::open(temp.constData(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW));
        if (existing.get() < 0) {
            if (errno == ENOENT)
                continue; // its writer has just finished
            return -1;
        }
        if (!lockExclusively(existing.get()))
            return -1;
        // Still under its name once we hold the lock: no live writer has it, so it is left over.
        if (sameFile(existing.get(), temp) && ::unlink(temp.constData()) != 0 && errno != ENOENT)
            return -1;
    }
    errno = EBUSY;
    return -1;
}

bool writeAll(int fd, const QByteArray &bytes)
{
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, size_t(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (written == 0) {
            errno = ENOSPC;
            return false;
        }
        data += written;
        left -= written;
    }
    return true;
}

void syncFolder(const QByteArray &folder)
{
    // The rename itself is made durable; a file system that cannot sync a folder has nothing to lose here.
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// The file a path names: a symbolic link is followed (to its target, even one not yet there).
QString resolvedTarget(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isSymLink())
        return info.absoluteFilePath();
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.symLinkTarget() : canonical;
}

} // namespace

QString DurableFile::temporaryPathFor(const QString &path)
{
    const QFileInfo info(resolvedTarget(path));
    return info.dir().filePath(QLatin1Char('.') + info.fileName() + QStringLiteral(".tolvane-tmp"));
}

QString DurableFile::reasonFor(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("磁盘空间不足");
    case EFBIG:
        return QStringLiteral("文件超出了允许的大小");
    case EROFS:
        return QStringLiteral("磁盘是只读的");
    case EACCES:
    case EPERM:
        return QStringLiteral("没有写入权限");
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("文件夹不存在");
    case EISDIR:
        return QStringLiteral("同名的文件夹已经存在");
    case EIO:
        return QStringLiteral("磁盘读写出错");
    case EWOULDBLOCK:
    case EBUSY:
        return QStringLiteral("另一个程序正在写入这个文件");
    default:
        return QStringLiteral("系统错误 %1：%2").arg(error).arg(QString::fromLocal8Bit(std::strerror(error)));
    }
}

bool DurableFile::write(const QString &path, const QByteArray &bytes, QString *reason, Access access)
{
    const auto fail = [reason](int error) {
        if (reason)
            *reason = reasonFor(error);
        return false;
    };
    if (path.isEmpty())
        return fail(ENOENT);
    const QString targetPath = resolvedTarget(path);
    const QByteArray target = QFile::encodeName(targetPath);
    const QByteArray temp = QFile::encodeName(temporaryPathFor(path));

    // A replaced file keeps its permissions; the owner-only ones are enforced whatever the file had.
    struct stat old { };
    const bool replacing = ::stat(target.constData(), &old) == 0;
    if (replacing && S_ISDIR(old.st_mode))
        return fail(EISDIR);
    const mode_t createMode = access == Access::OwnerOnly ? 0600 : 0666;

    Descriptor fd(openTemporary(temp, createMode));
    if (fd.get() < 0)
        return fail(errno);
    // From here on the temporary is ours; it goes again on every failure.
    const auto abandon = [&](int error) {
        ::unlink(temp.constData());
        return fail(error);
    };
    if (access == Access::OwnerOnly) {
        if (::fchmod(fd.get(), 0600) != 0)
            return abandon(errno);
    } else if (replacing && ::fchmod(fd.get(), old.st_mode & 07777) != 0) {
        return abandon(errno);
    }
    if (!writeAll(fd.get(), bytes))
        return abandon(errno);
    if (::fsync(fd.get()) != 0 && errno != EINVAL)
        return abandon(errno);
    if (::rename(temp.constData(), target.constData()) != 0)
        return abandon(errno);
    syncFolder(QFile::encodeName(QFileInfo(targetPath).absolutePath()));
    return true;
}

} // namespace tolvane
