#pragma once

#include <QString>
#include <QTemporaryDir>

#include <sys/resource.h>

namespace tolvane {

// A folder on a disk that is (nearly) full, for the tests of what the program does when a write fails.
// Where the test may mount file systems (as root), it is a small tmpfs mounted over a temporary folder, and
// fill() leaves exactly freeBlocks pages free. Elsewhere it is an ordinary temporary folder, and fill() limits
// every file this process and the programs it starts write to freeBlocks pages (RLIMIT_FSIZE): a write past
// the limit fails with EFBIG, as one on a full disk fails with ENOSPC. Files put there before fill() stay.
class SmallDisk final {
public:
    explicit SmallDisk(int freeBlocks);
    ~SmallDisk();
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

    bool isValid() const { return m_dir.isValid(); }
    bool isMounted() const { return m_mounted; }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }
    void fill();
    // The reason the program gives for the failed write.
    QString reason() const;
    // The files on the disk and in its folders, by their paths from its top, the filler left out.
    QStringList files() const;

private:
    QTemporaryDir m_dir;
    int m_freeBlocks;
    bool m_mounted = false;
    bool m_limited = false;
    struct rlimit m_oldLimit { };
};

// A folder the test fills and then makes read-only: a tmpfs remounted read-only where the test may mount
// (root ignores file permissions), else a folder whose write permissions are taken away. isReadOnly() is false
// when neither works (root without the right to mount).
class ReadOnlyFolder final {
public:
    ReadOnlyFolder();
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder &) = delete;
    ReadOnlyFolder &operator=(const ReadOnlyFolder &) = delete;

    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }
    // Call once the files are in place.
    bool makeReadOnly();

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
    bool m_chmodded = false;
};

} // namespace tolvane
