#include "app/SettingsStore.h"

#include "text/VbText.h"

#include <QLocale>
#include <QSettings>

#include <cmath>

namespace tolvane {

namespace {

const QString kSection = QStringLiteral("Name");

QString keyPath(const QString &key)
{
    return kSection + QLatin1Char('/') + key;
}

} // namespace

SettingsStore::SettingsStore()
    : m_settings(std::make_unique<QSettings>(QStringLiteral("TolVane"), QStringLiteral("TolVane")))
{
}

SettingsStore::SettingsStore(const QString &iniFile)
    : m_settings(std::make_unique<QSettings>(iniFile, QSettings::IniFormat))
{
}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::read(const QString &key, const QString &defaultValue) const
{
    // Another program (or the user's editor) may have changed the file since we last looked.
    m_settings->sync();
    return m_settings->value(keyPath(key), defaultValue).toString();
}

void SettingsStore::write(const QString &key, const QString &value)
{
    m_settings->setValue(keyPath(key), value);
    m_settings->sync();
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
