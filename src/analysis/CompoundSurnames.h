#pragma once

#include "numerology/Vocabulary.h"

#include <QSet>
#include <QString>

namespace tolvane {

// The compound surnames (复姓) the program knows, so that a full name is not split after its first character
// when nobody says which kind its surname is. The list is the file compound-surnames.tsv beside the program
// (generated from data/surnames/compound.tsv): one surname a line, a tab and a note; lines starting with # and
// empty lines are skipped.
class CompoundSurnames final {
public:
    static QString fileName() { return QStringLiteral("compound-surnames.tsv"); }

    // A missing or unreadable file gives an empty list: every surname is then taken as single.
    static CompoundSurnames read(const QString &path);

    bool contains(const QString &surname) const { return m_surnames.contains(surname); }
    qsizetype size() const { return m_surnames.size(); }

    // The kind the surname of a full name (as analysed, blanks trimmed) is taken to be when nobody says:
    // compound when the name has three or four characters and its first two are a listed compound surname (欧阳明华,
    // 司马迁), single otherwise. A name of two characters is always a single surname and a single given name.
    SurnameKind kindOf(const PersonName &name) const;

private:
    QSet<QString> m_surnames;
};

} // namespace tolvane
