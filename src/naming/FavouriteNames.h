#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace tolvane {

// The names a parent keeps (收藏) across starts: a small UTF-8 file in the per-user data folder, one name a line as
// surname<TAB>given name, written whole through DurableFile so that a full disk never leaves it cut off.
class FavouriteNames final {
public:
    struct Name {
        QString surname;
        QString given;
        QString full() const { return surname + given; }
        bool operator==(const Name &) const = default;
    };

    static QString fileName() { return QStringLiteral("favourites.tsv"); }
    // A missing file is an empty list; nothing when the file is there but cannot be read.
    static std::optional<FavouriteNames> read(const QString &path);

    const QList<Name> &names() const { return m_names; }
    bool contains(const QString &fullName) const;
    // Adds a name at the end unless it is kept already; false when it was.
    bool add(const Name &name);
    // Removes a name; false when it was not kept.
    bool remove(const QString &fullName);

    // Writes the list; false with the reason ("磁盘空间不足") when the file could not be written, the old file
    // then untouched.
    bool write(const QString &path, QString *reason = nullptr) const;

private:
    QList<Name> m_names;
};

} // namespace tolvane
