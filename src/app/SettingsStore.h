#pragma once

#include <QString>

#include <memory>
#include <optional>

class QSettings;

namespace tolvane {

// The per-user settings store: text values under the application "TolVane", section "Name". Reading an
// absent key gives the caller's default. Numbers are kept as the decimal text of a single-precision value.
class SettingsStore final {
public:
    // The user's own store.
    SettingsStore();
    // A store kept in one INI file (a portable copy, or a test's temporary folder).
    explicit SettingsStore(const QString &iniFile);
    ~SettingsStore();
    SettingsStore(const SettingsStore &) = delete;
    SettingsStore &operator=(const SettingsStore &) = delete;

    QString read(const QString &key, const QString &defaultValue = {}) const;
    // Written through at once, so that a program ended right after still leaves the value behind.
    void write(const QString &key, const QString &value);

    // 8000 -> "8000", 12345.5 -> "12345.5", 1e7 -> "1E+07".
    static QString singleText(double value);
    // Blanks around the number are ignored; text that is not a finite number gives nothing.
    static std::optional<float> toSingle(const QString &text);

private:
    std::unique_ptr<QSettings> m_settings;
};

} // namespace tolvane
