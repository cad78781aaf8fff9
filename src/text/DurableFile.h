#pragma once

#include <QByteArray>
#include <QString>

namespace tolvane {

// Every file the program writes is replaced through here, so that no failure can leave a user's file empty
// or cut off: QSaveFile writes a temporary beside the target and renames it over the target only when every
// byte is on the disk; after a failure the old file is untouched and the caller is told why. A symbolic link
// is followed: the file it names is replaced and the link stays. What is not a regular file (a device, a
// FIFO, the terminal) is written as it is, never replaced.
class DurableFile final {
public:
    enum class Access {
        // A new file gets the usual permissions (0666 less the umask); a replaced file keeps its own.
        Shared,
        // Readable and writable by its owner only, whatever the file had before.
        OwnerOnly,
    };

    // Replaces (or creates) the file at path with bytes. Returns false when the file could not be written;
    // reason then says why, in words for the user ("磁盘空间不足").
    [[nodiscard]] static bool write(
        const QString &path, const QByteArray &bytes, QString *reason = nullptr, Access access = Access::Shared);

    // A few words for the user about a failed system call, by its errno value.
    static QString reasonFor(int error);
};

} // namespace tolvane
