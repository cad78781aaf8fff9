#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace tolvane {

// Whether a person's surname is one character or two (复姓).
enum class SurnameKind { Single, Compound };

// A person's name (or, for naming, a surname or a fixed-character pattern) as it comes in once, where it is typed
// or read: the main window's name box, the command line, a line of a batch file. It holds the text with the blanks
// around it trimmed, its characters (a character outside the BMP is one character, as the library stores it)
// and, once known, the surname's kind, which says where the surname ends and the given name begins.
class PersonName final {
public:
    PersonName() = default;
    // The typed text; only U+0020 around it is trimmed, tabs and U+3000 stay characters of the name.
    PersonName(const QString &typed); // NOLINT(google-explicit-constructor): every typed name enters this way

    const QString &text() const { return m_text; }
    const QStringList &characters() const { return m_characters; }
    QList<char32_t> codePoints() const;
    qsizetype length() const { return m_characters.size(); }
    bool isEmpty() const { return m_characters.isEmpty(); }

    // The same name with the surname's kind known. A compound surname is two characters of a name of three or
    // four; in a shorter name the surname is one character whatever the kind.
    PersonName withSurnameKind(SurnameKind kind) const;
    std::optional<SurnameKind> surnameKind() const { return m_kind; }
    // The characters of the surname and of the given name; a name whose kind is not known has a single surname.
    qsizetype surnameLength() const;
    QString surname() const;
    QString givenName() const;

private:
    QString m_text;
    QStringList m_characters;
    std::optional<SurnameKind> m_kind;
};

} // namespace tolvane
