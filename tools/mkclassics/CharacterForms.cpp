#include "CharacterForms.h"

#include "common/DataLines.h"
#include "common/UnihanText.h"

#include <QDir>
#include <QFileInfo>
#include <QList>

namespace tolvane::mkclassics {

namespace {

QList<char32_t> codePoints(QByteArrayView value)
{
    // "U+96C1<kLau,kMatthews U+8FF4": the code points before any source tag.
    QList<char32_t> found;
    for (const QByteArray &part : value.toByteArray().split(' ')) {
        const qsizetype tag = part.indexOf('<');
        if (const char32_t c = tools::parseCodePoint(tag < 0 ? QByteArrayView(part) : QByteArrayView(part).first(tag)))
            found.append(c);
    }
    return found;
}

} // namespace

std::optional<CharacterForms> CharacterForms::read(const QString &unihanDir, const QString &variantsPath, QString *error)
{
    const QDir dir(unihanDir);
    const std::optional<QByteArray> mappings
        = tools::readBz2(dir.filePath(QStringLiteral("Unihan_OtherMappings.txt.bz2")), error);
    const std::optional<QByteArray> variants
        = mappings ? tools::readBz2(dir.filePath(QStringLiteral("Unihan_Variants.txt.bz2")), error) : std::nullopt;
    if (!variants)
        return std::nullopt;
    CharacterForms forms;
    tools::forEachField(*mappings, [&](char32_t c, QByteArrayView field, QByteArrayView value) {
        if (field == "kTGH") {
            forms.m_table.insert(c);
            // "2013:0001": the characters numbered up to 6500 are the table's first two levels, the common ones.
            const QByteArray number = value.toByteArray();
            if (number.mid(number.indexOf(':') + 1).toInt() <= kCommonCharacters)
                forms.m_common.insert(c);
        }
    });
    QHash<char32_t, QList<char32_t>> simplified;
    QHash<char32_t, QList<char32_t>> others; // semantic and z-variants
    tools::forEachField(*variants, [&](char32_t c, QByteArrayView field, QByteArrayView value) {
        if (field == "kSimplifiedVariant")
            simplified[c] += codePoints(value);
        else if (field == "kSemanticVariant" || field == "kZVariant")
            others[c] += codePoints(value);
        else if (field == "kTraditionalVariant" && c > 0xFFFF) {
            const QList<char32_t> drawn = codePoints(value);
            if (drawn.size() == 1 && drawn.first() <= 0xFFFF)
                forms.m_drawable.insert(c, drawn.first());
        }
    });
    // A character's one simplified form in the table.
    const auto simplifiedInTable = [&](char32_t c) -> char32_t {
        if (forms.m_table.contains(c))
            return c;
        QSet<char32_t> found;
        for (char32_t s : simplified.value(c)) {
            if (forms.m_table.contains(s))
                found.insert(s);
        }
        return found.size() == 1 ? *found.begin() : 0;
    };
    for (auto it = simplified.cbegin(); it != simplified.cend(); ++it) {
        if (forms.m_table.contains(it.key()))
            continue;
        if (const char32_t s = simplifiedInTable(it.key()))
            forms.m_simplified.insert(it.key(), s);
    }
    // A character outside the table: its simplified form, else the one character of the table its semantic and
    // z-variants lead to (directly or through their simplified form); none where they lead to several.
    QSet<char32_t> outside;
    for (auto it = simplified.cbegin(); it != simplified.cend(); ++it)
        outside.insert(it.key());
    for (auto it = others.cbegin(); it != others.cend(); ++it)
        outside.insert(it.key());
    for (char32_t c : std::as_const(outside)) {
        if (forms.m_table.contains(c))
            continue;
        if (const char32_t s = forms.m_simplified.value(c)) {
            forms.m_standard.insert(c, s);
            continue;
        }
        QSet<char32_t> found;
        for (char32_t v : others.value(c)) {
            if (const char32_t s = simplifiedInTable(v))
                found.insert(s);
        }
        if (found.size() == 1)
            forms.m_standard.insert(c, *found.begin());
    }
    QString problem;
    const bool read = tools::forEachDataLine(variantsPath, &problem, [&](const QStringList &fields, const QString &where, int) {
        const QList<uint> variant = fields.value(0).toUcs4();
        const QList<uint> standard = fields.value(1).toUcs4();
        if (fields.size() != 3 || variant.size() != 1 || standard.size() != 1 || fields.at(2).trimmed().isEmpty()) {
            problem = QStringLiteral("%1: expected a variant, its standard form and a reason separated by tabs").arg(where);
            return false;
        }
        if (!forms.m_table.contains(standard.first())) {
            problem = QStringLiteral("%1: %2 is not in the standard table").arg(where, fields.at(1));
            return false;
        }
        forms.m_standard.insert(variant.first(), standard.first());
        return true;
    });
    const QString authorsPath = QFileInfo(variantsPath).dir().filePath(QStringLiteral("authors.tsv"));
    const bool authorsRead = read
        && tools::forEachDataLine(authorsPath, &problem, [&](const QStringList &fields, const QString &where, int) {
               if (fields.size() != 3 || fields.at(0).isEmpty() || fields.at(1).isEmpty()
                   || fields.at(2).trimmed().isEmpty()) {
                   problem = QStringLiteral("%1: expected the name as written, the name and a reason separated by tabs")
                                 .arg(where);
                   return false;
               }
               forms.m_authors.insert(fields.at(0), fields.at(1));
               return true;
           });
    if (!authorsRead) {
        if (error)
            *error = problem;
        return std::nullopt;
    }
    return forms;
}

QString CharacterForms::standardText(const QString &text) const
{
    QList<uint> chars = text.toUcs4();
    bool changed = false;
    for (uint &c : chars) {
        const auto it = m_standard.constFind(char32_t(c));
        if (it != m_standard.cend()) {
            c = uint(it.value());
            changed = true;
        }
    }
    return changed ? QString::fromUcs4(reinterpret_cast<const char32_t *>(chars.constData()), chars.size()) : text;
}

QString CharacterForms::authorName(const QString &name) const
{
    QList<uint> chars = name.trimmed().toUcs4();
    chars.removeIf([](uint c) { return c == '[' || c == ']'; });
    while (!chars.isEmpty() && chars.last() >= '0' && chars.last() <= '9')
        chars.removeLast();
    const auto listed = m_authors.constFind(QString::fromUcs4(reinterpret_cast<const char32_t *>(chars.constData()), chars.size()));
    if (listed != m_authors.cend())
        return listed.value();
    for (uint &c : chars) {
        const auto it = m_simplified.constFind(char32_t(c));
        if (it != m_simplified.cend())
            c = uint(it.value());
        const auto drawable = m_drawable.constFind(char32_t(c));
        if (drawable != m_drawable.cend())
            c = uint(drawable.value());
    }
    return QString::fromUcs4(reinterpret_cast<const char32_t *>(chars.constData()), chars.size()).trimmed();
}

} // namespace tolvane::mkclassics
