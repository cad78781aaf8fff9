#include "UnfitPairs.h"

#include "common/DataLines.h"

#include <QStringList>

namespace tolvane::mkclassics {

std::optional<UnfitPairs> UnfitPairs::read(const QString &path, QString *error)
{
    const auto fail = [error](const QString &message) {
        if (error)
            *error = message;
        return std::nullopt;
    };
    UnfitPairs pairs;
    quint64 previous = 0;
    QString previousText;
    QString problem;
    const bool read = tools::forEachDataLine(path, &problem, [&](const QStringList &fields, const QString &where, int) {
        if (fields.size() != 2) {
            problem = QStringLiteral("%1: expected two characters and a reason separated by one tab").arg(where);
            return false;
        }
        const QList<uint> chars = fields.at(0).toUcs4();
        if (chars.size() != 2) {
            problem = QStringLiteral("%1: \"%2\" is not two characters").arg(where, fields.at(0));
            return false;
        }
        if (fields.at(1).trimmed().isEmpty()) {
            problem = QStringLiteral("%1: the reason is missing").arg(where);
            return false;
        }
        const quint64 k = key(char32_t(chars.at(0)), char32_t(chars.at(1)));
        if (k <= previous) {
            problem = QStringLiteral("%1: %2 comes after %3; keep the pairs in code point order (LC_ALL=C sort), "
                                     "each once")
                          .arg(where, fields.at(0), previousText);
            return false;
        }
        pairs.m_pairs.insert(k);
        previous = k;
        previousText = fields.at(0);
        return true;
    });
    if (!read)
        return fail(problem);
    return pairs;
}

} // namespace tolvane::mkclassics
