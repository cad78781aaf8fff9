#pragma once

#include "text/Pinyin.h"

#include <QHash>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

namespace tolvane {

// One thing about how a name sounds that a parent would want to know.
struct SoundFinding {
    enum class Kind { Homophone, TwoReadings, SameTones, SameInitial, SameFinal };
    Kind kind;
    // A homophone whose tones match too; a name whose syllables all have one tone.
    bool strong = false;
    // One short Chinese line with its reason.
    QString text;
};

// How a name sounds: its pinyin in the readings names use, its tones and the findings.
struct NameSound {
    // Each character's name reading with its tone mark; "?" for a character without a known reading.
    QStringList syllables;
    // The full name in pinyin with tone marks as names are written: surname and given name apart, each with a
    // capital (Ōuyáng Zhāoyōu).
    QString pinyin;
    // The tones by their names, and 平/仄 for each: "二声 二声 二声（平平平）".
    QString tonePattern;
    QList<SoundFinding> findings;
};

// The sound checks of a name: homophone traps, characters read two ways, tones, initials and finals. Reads
// name-sound.tsv (generated with the library, see data/README.md) once; check() then costs microseconds.
class NameSoundChecker final {
public:
    static QString fileName() { return QStringLiteral("name-sound.tsv"); }

    // Loads the file at path (AppPaths::nameSoundPath() gives where the program keeps it). Nothing when it cannot
    // be read or holds no reading; then problem, if given, says why in one Chinese sentence.
    static std::optional<NameSoundChecker> load(const QString &path, QString *problem = nullptr);

    // The surname (one or two characters) and the given name (one to three).
    NameSound check(const QString &surname, const QString &givenName) const;

    // The readings of one character to show, the reading names use first, readings no one uses today left out;
    // with tone marks. Empty for a character the file does not know.
    QStringList readings(const QString &character) const;

    // The number of characters and traps loaded.
    qsizetype characterCount() const;
    qsizetype trapCount() const { return m_trapCount; }

    // The sound section appended to a name's report, CR LF line breaks, ending with an empty line; and the line
    // shown in its place when the file could not be read.
    static QString reportSection(const NameSound &sound);
    static QString missingSection(const QString &problem);
    // The fields of --format json: pinyin, syllables, tones, tonePattern, findings [{kind, strong, text}].
    static QJsonObject fields(const NameSound &sound);
    static QString kindName(SoundFinding::Kind kind);

private:
    struct CharacterReadings {
        PinyinSyllable name;
        QList<PinyinSyllable> others;
        QList<PinyinSyllable> misread;
        QString note;
    };
    struct Trap {
        QList<int> tones;
        // Only when every tone matches (同音); else also with one tone different (近音).
        bool tonesRequired = false;
        QString word;
        QString category;
        QString reason;
    };

    std::optional<CharacterReadings> entry(const QString &character) const;
    std::optional<CharacterReadings> readEntry(const QString &character) const;

    // Where the line of a character begins in the file; -1 when the file does not know it.
    qsizetype lineOf(char32_t c) const;

    // The file's bytes (UTF-8), and the block of the characters' lines in it (from the first such line to the
    // end of the last one).
    QByteArray m_text;
    qsizetype m_charactersBegin = -1;
    qsizetype m_charactersEnd = -1;
    QHash<QString, QList<PinyinSyllable>> m_surnames;
    // By the toneless syllables joined with blanks (jiu gui).
    QHash<QString, QList<Trap>> m_traps;
    qsizetype m_trapCount = 0;
    // The characters' readings as entry() has read them: the suggestions check hundreds of names with one surname
    // and a few hundred characters. The checker is used from one thread at a time.
    mutable QHash<QString, std::optional<CharacterReadings>> m_entries;
};

} // namespace tolvane
