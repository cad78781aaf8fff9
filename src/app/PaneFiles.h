#pragma once

#include "text/RtfDocument.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace tolvane {

// Opening and saving the result pane: the file dialogs' filter list and what the chosen filter means, and
// the files themselves. The filter the user leaves selected decides the format, whatever the file's
// extension: index 2 is RTF, 1 and 3 are plain text.
class PaneFiles final {
public:
    enum class Format { PlainText, Rtf };

    static constexpr int kDefaultFilterIndex = 2;

    // The list as the dialogs have always been given it: description|pattern pairs.
    static QString filterString();
    // The three descriptions, in order, as a file dialog shows them.
    static QStringList filterDescriptions();
    // index is 1-based, as in the filter string.
    static Format formatForFilterIndex(int index);
    // The extension a saved file gets when its name has none: "rtf" and "txt" for those types, none for
    // "All Files".
    static QString extensionForFilterIndex(int index);

    // Nothing when the file cannot be read or, for RTF, is not an RTF document.
    static std::optional<RtfDocument> loadRtf(const QString &path);
    static std::optional<QString> loadPlainText(const QString &path);
    // False when the file could not be written; an existing file is then left as it was, and reason says why.
    [[nodiscard]] static bool saveRtf(const QString &path, const RtfDocument &document, QString *reason = nullptr);
    [[nodiscard]] static bool savePlainText(const QString &path, const QString &text, QString *reason = nullptr);
    // The message shown when saving fails.
    static QString saveFailedText(const QString &path, const QString &reason);
};

} // namespace tolvane
