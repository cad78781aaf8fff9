#include "app/WindowLayout.h"

#include "app/SettingsStore.h"

#include <QList>

#include <algorithm>
#include <optional>

namespace tolvane {

namespace {

const QString kFrameWidth = QStringLiteral("FrameWidth");
const QString kFrameHeight = QStringLiteral("FrameHeight");
const QString kLeft = QStringLiteral("Left");
const QString kTop = QStringLiteral("Top");
const QString kMaximizeHeight = QStringLiteral("fHeight");
const QString kFrmflag = QStringLiteral("frmflag");

std::optional<float> readNumber(
    const SettingsStore::Snapshot &store, const QString &key, const QString &defaultValue)
{
    return SettingsStore::toSingle(store.read(key, defaultValue));
}

} // namespace

RestoredLayout WindowLayout::restore(const SettingsStore &settings, const TwipsGeometry &current)
{
    // One read of the file for all the layout's keys.
    const SettingsStore::Snapshot store = settings.snapshot();
    RestoredLayout result;
    result.geometry = current;
    const std::optional<float> maximizeHeight = readNumber(store, kMaximizeHeight, QStringLiteral("8000"));
    result.frmflag = readNumber(store, kFrmflag, QStringLiteral("0")).value_or(0);

    TwipsGeometry &g = result.geometry;
    // A window cannot be given a negative size; such a value is skipped like one that is not a number.
    // The window never shows smaller than its minimum size, so that is the size it has "now".
    if (const auto width = readNumber(store, kFrameWidth, QStringLiteral("1")); width && *width >= 0)
        g.width = std::max<double>(*width, kMinWidth);
    if (const auto height = readNumber(store, kFrameHeight, QStringLiteral("8000")); height && *height >= 0)
        g.height = std::max<double>(*height, kMinHeight);
    if (const auto left = readNumber(store, kLeft, QStringLiteral("0")))
        g.left = *left;
    if (const auto top = readNumber(store, kTop, QStringLiteral("0")))
        g.top = *top;

    result.maximized = maximizeHeight && static_cast<float>(g.height) == *maximizeHeight;

    // Values far off screen come back. The clamps apply to the normal geometry even when the window opens
    // maximised, so that restoring it from maximised never brings back an oversized window.
    if (g.width > 25000)
        g.width = 8000;
    if (g.height > 15000)
        g.height = std::max<double>(6000, kMinHeight);
    if (g.left > 15000)
        g.left = 0;
    if (g.top > 15000)
        g.top = 0;
    return result;
}

bool WindowLayout::save(SettingsStore &store, const TwipsGeometry &window, bool minimized, float frmflag)
{
    QList<std::pair<QString, QString>> values;
    if (!minimized) {
        values.append({ kFrameWidth, SettingsStore::singleText(window.width) });
        values.append({ kFrameHeight, SettingsStore::singleText(window.height) });
        values.append({ kLeft, SettingsStore::singleText(window.left) });
        values.append({ kTop, SettingsStore::singleText(window.top) });
    }
    if (frmflag == 0) {
        values.append({ kFrmflag, QStringLiteral("1") });
        values.append({ kMaximizeHeight, SettingsStore::singleText(window.height) });
    }
    return values.isEmpty() || store.write(values);
}

} // namespace tolvane
