#include "app/SettingsStore.h"

#include "text/DurableFile.h"
#include "text/IniText.h"
#include "text/PlainTextFile.h"
#include "text/VbText.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QLockFile>
#include <QSettings>

#include <cerrno>
#include <cmath>

namespace tolvane {

namespace {

const QString kSection = QStringLiteral("Name");
constexpr int kLockWaitMs = 5000;

QString keyPath(const QString &key)
{
    return kSection + QLatin1Char('/') + key;
}

} // namespace

SettingsStore::SettingsStore()
    : m_path(QSettings(QStringLiteral("TolVane"), QStringLiteral("TolVane")).fileName())
{
}

SettingsStore::SettingsStore(const QString &iniFile)
    : m_path(iniFile)
{
}

SettingsStore::Snapshot SettingsStore::snapshot() const
{
    Snapshot snapshot;
    if (const std::optional<QByteArray> bytes = PlainTextFile::readBytes(m_path))
        snapshot.m_values = IniText::parse(*bytes);
    return snapshot;
}

QString SettingsStore::Snapshot::read(const QString &key, const QString &defaultValue) const
{
    return m_values.value(keyPath(key), defaultValue);
}

QString SettingsStore::read(const QString &key, const QString &defaultValue) const
{
    return snapshot().read(key, defaultValue);
}

bool SettingsStore::write(const QString &key, const QString &value, QString *reason)
{
    return write({ { key, value } }, reason);
}

bool SettingsStore::write(const QList<std::pair<QString, QString>> &changes, QString *reason)
{
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    // The same lock QSettings takes, so that two programs writing the store at once lose neither value.
    QLockFile lock(m_path + QStringLiteral(".lock"));
    if (!lock.tryLock(kLockWaitMs) && lock.error() == QLockFile::LockFailedError) {
        if (reason)
            *reason = DurableFile::reasonFor(EBUSY);
        return false;
    }
    IniText::Values values;
    if (QFileInfo::exists(m_path)) {
        // A store that cannot be read is not replaced: its other values would be lost.
        const std::optional<QByteArray> bytes = PlainTextFile::readBytes(m_path);
        if (!bytes) {
            if (reason)
                *reason = QStringLiteral("无法读取原来的设置");
            return false;
        }
        values = IniText::parse(*bytes);
    }
    for (const auto &[key, value] : changes)
        values.insert(keyPath(key), value);
    return DurableFile::write(m_path, IniText::compose(values), reason, DurableFile::Access::OwnerOnly);
}

QString SettingsStore::singleText(double value)
{
    // Seven significant digits are what a single-precision value holds.
    QString text = QLocale::c().toString(static_cast<double>(static_cast<float>(value)), 'g', 7);
    return text.toUpper();
}

std::optional<float> SettingsStore::toSingle(const QString &text)
{
    bool ok = false;
    const float value = QLocale::c().toFloat(trimSpaces(text), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace tolvane
