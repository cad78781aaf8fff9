#include "text/DurableFile.h"

#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tolvane {

namespace {

bool writeAll(int fd, const QByteArray &bytes)
{
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = ENOSPC;
            return false;
        }
        data += written;
        left -= written;
    }
    return true;
}

bool sameFile(const struct stat &a, const struct stat &b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// The standard output or error when target is the file one of them is written to (/dev/stdout, or the file
// the output is redirected to), else -1. Replacing that file would lose what the process prints there.
int standardStreamOf(const struct stat &target)
{
    for (const int fd : { STDOUT_FILENO, STDERR_FILENO }) {
        struct stat stream { };
        if (::fstat(fd, &stream) == 0 && sameFile(stream, target))
            return fd;
    }
    return -1;
}

// QSaveFile would put a regular file in the place of a device or a FIFO: they are written directly.
bool writeInPlace(const QByteArray &path, const QByteArray &bytes)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return false;
    const bool written = writeAll(fd, bytes);
    const int error = errno;
    ::close(fd);
    errno = error;
    return written;
}

// QSaveFile syncs the file but not the folder that holds its new name (the link's target's, for a link).
void syncFolder(const QString &file)
{
    // A file system that cannot sync a folder has nothing to lose here.
    const int fd = ::open(QFile::encodeName(QFileInfo(QFileInfo(file).canonicalFilePath()).absolutePath()).constData(),
        O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

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
            *reason = reasonFor(error ? error : EIO);
        return false;
    };
    if (path.isEmpty())
        return fail(ENOENT);
    const QByteArray name = QFile::encodeName(path);
    struct stat old { };
    if (::stat(name.constData(), &old) == 0) {
        if (const int stream = standardStreamOf(old); stream >= 0) {
            std::fflush(stream == STDOUT_FILENO ? stdout : stderr);
            return writeAll(stream, bytes) || fail(errno);
        }
        if (S_ISDIR(old.st_mode))
            return fail(EISDIR);
        if (!S_ISREG(old.st_mode))
            return writeInPlace(name, bytes) || fail(errno);
        // QSaveFile gives the new file the old one's permissions: an owner-only file must never have others'.
        if (access == Access::OwnerOnly && ::chmod(name.constData(), 0600) != 0)
            return fail(errno);
    }

    QSaveFile file(path);
    errno = 0;
    // QSaveFile creates a new file's temporary for everyone to read (less the umask); an owner-only one is
    // created for its owner alone, so nobody can open it before its permissions are set.
    const mode_t oldMask = access == Access::OwnerOnly ? ::umask(077) : 0;
    const bool opened = file.open(QIODevice::WriteOnly);
    if (access == Access::OwnerOnly)
        ::umask(oldMask);
    if (!opened)
        return fail(errno);
    // Qt 6.4's commit() renames the temporary over the target even when the flush of its last buffered bytes
    // fails (a full disk leaves an empty file where the old one was), and ignores a failed sync: both are
    // checked here, before the commit.
    if (file.write(bytes) != bytes.size() || !file.flush() || (::fsync(file.handle()) != 0 && errno != EINVAL)) {
        const int error = errno;
        file.cancelWriting();
        return fail(error);
    }
    errno = 0;
    if (!file.commit())
        return fail(errno);
    syncFolder(path);
    return true;
}

} // namespace tolvane
