#pragma once

#include <QList>
#include <QMap>
#include <QString>

#include <optional>

namespace tolvane {

// The per-user settings store: text values under the application "TolVane", section "Name", in the INI file
// QSettings keeps for it, read and written by QSettings. Reading an absent key gives the caller's default.
// Numbers are kept as the decimal text of a single-precision value. Every write replaces the whole file
// through DurableFile, readable by its owner only (it holds the start-up password): a full disk leaves the
// old file whole and the write reports the failure.
class SettingsStore final {
public:
    // The user's own store.
    SettingsStore();
    // A store kept in one INI file (a portable copy, or a test's temporary folder).
    explicit SettingsStore(const QString &iniFile);

    // The values as the file holds them at one moment, for a caller that reads several of them at once.
    class Snapshot final {
    public:
        QString read(const QString &key, const QString &defaultValue = {}) const;

    private:
        friend class SettingsStore;
        QMap<QString, QString> m_values; // key of the section -> value
    };

    // Read anew at every call: another program (or the user's editor) may have changed the file.
    Snapshot snapshot() const;
    QString read(const QString &key, const QString &defaultValue = {}) const;
    // Written through at once, so that a program ended right after still leaves the value behind. False
    // when the file could not be replaced; it is then as it was, and reason says why.
    [[nodiscard]] bool write(const QString &key, const QString &value, QString *reason = nullptr);
    // Several values in one replacement of the file: all of them are written, or none.
    [[nodiscard]] bool write(const QList<std::pair<QString, QString>> &changes, QString *reason = nullptr);
    QString fileName() const { return m_path; }

    // 8000 -> "8000", 12345.5 -> "12345.5", 1e7 -> "1E+07".
    static QString singleText(double value);
    // Blanks around the number are ignored; text that is not a finite number gives nothing.
    static std::optional<float> toSingle(const QString &text);

private:
    QString m_path;
};

} // namespace tolvane
