#pragma once

#include <QHash>
#include <QSet>
#include <QString>

#include <optional>

namespace tolvane::mkclassics {

// The standard forms of characters: the General Standard Chinese Characters table (Unihan's kTGH) and, for a
// character outside it, the table's character it stands for, from Unihan's variant fields and the curated
// data/classics/variants.tsv. The rules are written down in data/README.md.
class CharacterForms final {
public:
    // Reads Unihan_OtherMappings and Unihan_Variants (.txt.bz2) from unihanDir and the curated variants file
    // (variant<TAB>standard form<TAB>reason; the standard form must be in the table). Nothing, with the reason in
    // the error, when a file cannot be read or a line is malformed.
    // The poets' names the package writes wrongly come from authors.tsv beside the variants file (name as
    // written<TAB>name<TAB>reason).
    static std::optional<CharacterForms> read(
        const QString &unihanDir, const QString &variantsPath, QString *error = nullptr);

    bool isStandard(char32_t c) const { return m_table.contains(c); }
    // The table's first two levels: the 6,500 characters of common use, which a reader of verse knows (雎鸠, 踟蹰,
    // 辔); the third level and the characters outside the table are rare (瑱, 窅; 瘏 and 痡 are not in it).
    const QSet<char32_t> &commonCharacters() const { return m_common; }
    static constexpr int kCommonCharacters = 6500;
    // The text with every character outside the table that has a standard form replaced by it (鴈 → 雁, 劒 → 剑,
    // 覩 → 睹); characters with none stay.
    QString standardText(const QString &text) const;
    // A poet's name as the package writes it, in simplified characters: a character outside the table becomes
    // only its own simplified form (張 → 张), never a character of another word that conversion of running
    // text would choose (侯寘 stays 侯寘), and the numbers the package adds to tell poets of one name apart go
    // (王炎2 → 王炎), as do an editor's brackets (耿[𣲗]). A name authors.tsv lists is taken as it says (侯置 →
    // 侯寘). A character beyond the BMP, which the fonts the program uses (AR PL UMing, WenQuanYi Zen Hei) do not
    // draw, is written in its traditional form where that is in the BMP, as older texts write the name (向子𬤇 →
    // 向子諲); one without such a form stays as it is.
    QString authorName(const QString &name) const;
    qsizetype variantCount() const { return m_standard.size(); }

private:
    QSet<char32_t> m_table;
    QSet<char32_t> m_common;
    QHash<char32_t, char32_t> m_simplified; // the one simplified form in the table of a character outside it
    QHash<char32_t, char32_t> m_standard; // a character outside the table -> its standard form
    QHash<char32_t, char32_t> m_drawable; // a character beyond the BMP -> its traditional form in the BMP
    QHash<QString, QString> m_authors; // a poet's name as the package writes it -> as it is
};

} // namespace tolvane::mkclassics
