#include "app/SettingsStore.h"

#include "text/DurableFile.h"
#include "text/PlainTextFile.h"
#include "text/VbText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QLockFile>
#include <QSettings>
#include <QTemporaryDir>

#include <cerrno>
#include <cmath>

namespace tolvane {

namespace {

const QString kSection = QStringLiteral("Name");
constexpr int kLockWaitMs = 5000;

// A draft of the store: written and checked, but not synced or renamed into place, since it is thrown away.
bool writeDraft(const QString &path, const QByteArray &bytes, QString *reason)
{
    QFile file(path);
    errno = 0;
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush())
        return true;
    if (reason)
        *reason = DurableFile::reasonFor(errno ? errno : ENOSPC);
    return false;
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
    QSettings settings(m_path, QSettings::IniFormat);
    settings.beginGroup(kSection);
    for (const QString &key : settings.childKeys())
        snapshot.m_values.insert(key, settings.value(key).toString());
    return snapshot;
}

QString SettingsStore::Snapshot::read(const QString &key, const QString &defaultValue) const
{
    return m_values.value(key, defaultValue);
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
    const auto fail = [reason](const QString &why) {
        if (reason)
            *reason = why;
        return false;
    };
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    // The same lock QSettings takes, so that two programs writing the store at once lose neither value.
    QLockFile lock(m_path + QStringLiteral(".lock"));
    if (!lock.tryLock(kLockWaitMs) && lock.error() == QLockFile::LockFailedError)
        return fail(DurableFile::reasonFor(EBUSY));
    QByteArray old;
    if (QFileInfo::exists(m_path)) {
        // A store that cannot be read is not replaced: its other values would be lost.
        const std::optional<QByteArray> bytes = PlainTextFile::readBytes(m_path);
        if (!bytes)
            return fail(QStringLiteral("无法读取原来的设置"));
        old = *bytes;
    }
    // Qt 6.4's QSettings::sync() reports success when the last bytes of its file could not be written (a full
    // disk leaves the file empty), and it creates a new file readable by everyone. So QSettings writes its text
    // into a draft in a private folder beside the store, the draft is read back by another QSettings to prove
    // it whole, and only then does the text replace the store, owner-only, through DurableFile.
    errno = 0;
    QTemporaryDir scratch(QFileInfo(m_path).absolutePath() + QStringLiteral("/.TolVane-draft-XXXXXX"));
    const QString draftPath = scratch.filePath(QStringLiteral("draft.conf"));
    const QString checkPath = scratch.filePath(QStringLiteral("check.conf"));
    // What QSettings does not say is why its file was not written: a full disk is the failure it keeps quiet.
    const QString notWritten = DurableFile::reasonFor(ENOSPC);
    if (!scratch.isValid())
        return fail(DurableFile::reasonFor(errno));
    if (!writeDraft(draftPath, old, reason))
        return false;
    QMap<QString, QString> expected;
    {
        QSettings draft(draftPath, QSettings::IniFormat);
        for (const QString &key : draft.allKeys())
            expected.insert(key, draft.value(key).toString());
        for (const auto &[key, value] : changes) {
            draft.setValue(kSection + QLatin1Char('/') + key, value);
            expected.insert(kSection + QLatin1Char('/') + key, value);
        }
        draft.sync();
        if (draft.status() != QSettings::NoError)
            return fail(notWritten);
    }
    const std::optional<QByteArray> text = PlainTextFile::readBytes(draftPath);
    if (!text)
        return fail(notWritten);
    if (!writeDraft(checkPath, *text, reason))
        return false;
    QSettings check(checkPath, QSettings::IniFormat);
    if (check.allKeys().size() != expected.size())
        return fail(notWritten);
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        if (check.value(it.key()).toString() != it.value())
            return fail(notWritten);
    }
    return DurableFile::write(m_path, *text, reason, DurableFile::Access::OwnerOnly);
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
