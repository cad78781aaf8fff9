#pragma once

#include <QByteArray>
#include <QString>

namespace tolvane {

// Every file the program writes is replaced through here, so that no failure can leave a user's file empty
// or cut off. The bytes go to a temporary file beside the target (".NAME.tolvane-tmp"); every write is
// checked, the data is synced to the disk, and only then is the temporary renamed over the target. Until
// that rename the old file is untouched; after a failure the temporary is removed and the caller is told
// why. A temporary left behind by a run that was killed while writing is removed by the next write of the
// same file. Two writers of one file take turns.
class DurableFile final {
public:
    enum class Access {
        // A new file gets the usual permissions (0666 less the umask); a replaced file keeps its own.
        Shared,
        // Readable and writable by its owner only, whatever the file had before.
        OwnerOnly,
    };

    // Replaces (or creates) the file at path with bytes. A symbolic link is followed: the file it names is
    // replaced and the link stays. Returns false when the file could not be written; reason then says why,
    // in words for the user ("磁盘空间不足").
    [[nodiscard]] static bool write(
        const QString &path, const QByteArray &bytes, QString *reason = nullptr, Access access = Access::Shared);

    // The temporary file used while path is written.
    static QString temporaryPathFor(const QString &path);

    // A few words for the user about a failed system call, by its errno value.
    static QString reasonFor(int error);
};

} // namespace tolvane
