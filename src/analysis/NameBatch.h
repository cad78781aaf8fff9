#pragma once

#include "analysis/CompoundSurnames.h"
#include "analysis/NameAnalysis.h"
#include "analysis/NameSound.h"
#include "data/NameDatabase.h"
#include "data/Library.h"
#include "data/Outcome.h"

#include <QByteArray>
#include <QHash>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace tolvane {

// Many names analysed in one run (the command line's analyze --batch): one connection to the library and one
// read of its meanings serve every name, and each line gives its own result or its own error.
class NameBatch final {
public:
    // One line of the input and what became of it.
    struct Result {
        int line = 0; // 1 for the first line
        QString input; // the line as read, without its line break
        // Why the line has no analysis (an empty line, a name too short or too long, a character that is not
        // Chinese or not in the library, a surname kind other than 单 or 复); then the rest is empty.
        std::optional<QString> error;
        // The library could not be read for this line (a damaged page): the batch ends here, with this message.
        std::optional<DatabaseFailure> libraryFailure;
        PersonName name; // with its surname's kind
        bool kindGiven = false; // from the line or the run; otherwise from the compound-surname list
        QList<int> strokes;
        NameReport report;
        // How the name sounds, when the batch has the sound checks.
        std::optional<NameSound> sound;
    };

    // The library is read here; a library that cannot be read gives its message and no batch. With the sound
    // checks, every name's result also says how it sounds.
    static Outcome<NameBatch> open(const Library &library, CompoundSurnames surnames,
                                   std::optional<NameSoundChecker> sound = std::nullopt);

    // One line: a name of two to four characters, optionally a tab and 单 or 复. A line without its own kind takes
    // kindForAll when given (names of three or four characters), else the kind the compound-surname list gives.
    Result analyze(int line, const QString &input, std::optional<SurnameKind> kindForAll = std::nullopt);

    // The lines of an input file: UTF-16 after its byte-order mark, UTF-8 with or without one, else GB18030;
    // lines end at LF, with or without a CR before it, and a line break at the very end does not begin another
    // line.
    static QStringList lines(const QByteArray &bytes);
    // The same lines of a text already decoded.
    static QStringList splitLines(const QString &text);

    // A result as one line of text, its columns separated by tabs: the name, 单 or 复, the strokes, the five
    // grids, their verdicts, the 三才 with its verdict and the pairing with its verdict; an error as the
    // input (a tab in it as a blank), then "错误：" and the reason.
    static QString textLine(const Result &result);
    // A result as fields for machines: the name analysis fields (without the report's whole text, whose parts
    // they hold), how it sounds and whether the surname kind was given, or the error; each with the line number
    // and the input.
    static QJsonObject fields(const Result &result);

private:
    NameBatch() = default;
    RowRead<qint16> strokesOf(const QString &character);

    std::unique_ptr<NameDatabase> m_db;
    ReportMeanings m_meanings;
    CompoundSurnames m_surnames;
    std::optional<NameSoundChecker> m_sound;
    QHash<QString, qint16> m_strokes;
};

} // namespace tolvane
