#pragma once

#include "LibraryContents.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace tolvane::mkdb {

// name-sound.tsv, the readings and homophone traps the name analysis reads, written beside namedbs.mdb. Made
// from the library's rows (their readings of today's dictionaries) and the decisions in dataDir/sound/:
// readings.tsv (the reading a name uses, the readings it is misread as, readings left out), surnames.tsv (a
// surname's own reading) and traps.tsv (the words a name must not sound like). The rules are written down in
// data/README.md. Every line of the output is one of
//   C <char> <name reading> <other readings> <misread as> <note>   (readings as zhao1, several joined by blanks)
//   S <surname> <its readings, one per character>
//   T <readings of the word> <word> <category> <reason>
class NameSoundData final {
public:
    static std::optional<QByteArray> build(const QList<CharacterRow> &rows, const QString &dataDir,
                                           QString *error = nullptr);

    // The categories a trap may have.
    static const QStringList &trapCategories();
};

} // namespace tolvane::mkdb
