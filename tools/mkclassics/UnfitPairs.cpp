#include "UnfitPairs.h"

#include "common/DataLines.h"

#include <QDir>
#include <QStringList>

#include <functional>

namespace tolvane::mkclassics {

namespace {

// Reads one list: every line the term, `values` more fields and a reason, the terms in code point order, each
// once; `take` checks the term's length and the values. False with the file and line in the error.
bool readList(const QString &path, int values, QString *error,
    const std::function<bool(const std::u32string &term, const QStringList &fields, QString &problem)> &take)
{
    std::u32string previous;
    QString previousText;
    QString problem;
    const bool read = tools::forEachDataLine(path, &problem, [&](const QStringList &fields, const QString &where, int) {
        if (fields.size() != values + 2) {
            problem = values == 0
                ? QStringLiteral("%1: expected the characters and a reason separated by one tab").arg(where)
                : QStringLiteral("%1: expected the characters, %2 value and a reason separated by tabs")
                      .arg(where)
                      .arg(values);
            return false;
        }
        if (fields.last().trimmed().isEmpty()) {
            problem = QStringLiteral("%1: the reason is missing").arg(where);
            return false;
        }
        const QList<uint> ucs4 = fields.at(0).toUcs4();
        const std::u32string term(ucs4.begin(), ucs4.end());
        if (!previous.empty() && term <= previous) {
            problem = QStringLiteral("%1: %2 comes after %3; keep the lines in code point order (LC_ALL=C sort), "
                                     "each once")
                          .arg(where, fields.at(0), previousText);
            return false;
        }
        QString termProblem;
        if (!take(term, fields, termProblem)) {
            problem = QStringLiteral("%1: %2").arg(where, termProblem);
            return false;
        }
        previous = term;
        previousText = fields.at(0);
        return true;
    });
    if (!read && error)
        *error = problem;
    return read;
}

// A context's reason begins with its kind.
std::optional<UnfitPairs::Context> contextKind(const QString &reason)
{
    static const QStringList unfit { QStringLiteral("死丧："), QStringLiteral("色情："), QStringLiteral("战祸："),
        QStringLiteral("奸佞："), QStringLiteral("凶物："), QStringLiteral("偈颂：") };
    for (const QString &kind : unfit) {
        if (reason.startsWith(kind))
            return UnfitPairs::Context::Unfit;
    }
    if (reason.startsWith(QStringLiteral("哀愁：")))
        return UnfitPairs::Context::Sad;
    return std::nullopt;
}

} // namespace

std::optional<UnfitPairs> UnfitPairs::read(const QString &path, QString *error)
{
    UnfitPairs pairs;
    if (!pairs.readPairs(path, error))
        return std::nullopt;
    return pairs;
}

bool UnfitPairs::readPairs(const QString &path, QString *error)
{
    UnfitPairs &pairs = *this;
    return readList(path, 0, error, [&](const std::u32string &term, const QStringList &fields, QString &problem) {
        if (term.size() != 2) {
            problem = QStringLiteral("\"%1\" is not two characters").arg(fields.at(0));
            return false;
        }
        if (pairs.m_pairs.contains(key(term[0], term[1]))) {
            problem = QStringLiteral("\"%1\" is listed in another file of unfit pairs already").arg(fields.at(0));
            return false;
        }
        pairs.m_pairs.insert(key(term[0], term[1]));
        return true;
    });
}

bool UnfitPairs::placeOf(
    const std::u32string &term, const QStringList &fields, QString &problem, QHash<char32_t, int> &places)
{
    if (term.size() != 1) {
        problem = QStringLiteral("\"%1\" is not one character").arg(fields.at(0));
        return false;
    }
    const QString &where = fields.at(1);
    const int place = where == u"两端" ? kNotFirst | kNotLast
        : where == u"首"              ? kNotFirst
        : where == u"末"              ? kNotLast
        : where == u"短语首"          ? kNotPhraseFirst
                                      : 0;
    if (!place) {
        problem = QStringLiteral("\"%1\" is not 两端, 首, 末 or 短语首").arg(where);
        return false;
    }
    places.insert(term[0], place);
    return true;
}

std::optional<UnfitPairs> UnfitPairs::readFolder(const QString &dir, QString *error)
{
    const QDir folder(dir);
    std::optional<UnfitPairs> pairs = read(folder.filePath(QStringLiteral("unfit-pairs.tsv")), error);
    if (!pairs)
        return std::nullopt;
    const bool ok = pairs->readPairs(folder.filePath(QStringLiteral("unfit-verse-pairs.tsv")), error)
        && readList(folder.filePath(QStringLiteral("unfit-contexts.tsv")), 0, error,
                        [&](const std::u32string &term, const QStringList &fields, QString &problem) {
                            const std::optional<Context> kind = contextKind(fields.last());
                            if (!kind) {
                                problem = QStringLiteral("the reason of \"%1\" does not begin with 死丧：, 色情：, "
                                                         "战祸：, 奸佞：, 凶物：, 偈颂： or 哀愁：")
                                              .arg(fields.at(0));
                                return false;
                            }
                            pairs->m_contexts.insert(term[0], { term.substr(1), *kind });
                            ++pairs->m_contextCount;
                            return true;
                        })
        && readList(folder.filePath(QStringLiteral("particles.tsv")), 1, error,
            [&](const std::u32string &term, const QStringList &fields, QString &problem) {
                return placeOf(term, fields, problem, pairs->m_particles);
            })
        && readList(folder.filePath(QStringLiteral("plain-parts.tsv")), 1, error,
            [&](const std::u32string &term, const QStringList &fields, QString &problem) {
                return placeOf(term, fields, problem, pairs->m_plainParts);
            })
        && readList(folder.filePath(QStringLiteral("pair-sex.tsv")), 1, error,
            [&](const std::u32string &term, const QStringList &fields, QString &problem) {
                if (term.size() != 2) {
                    problem = QStringLiteral("\"%1\" is not two characters").arg(fields.at(0));
                    return false;
                }
                const QString &sex = fields.at(1);
                if (sex != u"男" && sex != u"女") {
                    problem = QStringLiteral("\"%1\" is not 男 or 女").arg(sex);
                    return false;
                }
                pairs->m_pairSex.insert(key(term[0], term[1]), sex == u"男" ? 1 : 2);
                return true;
            })
        && readList(folder.filePath(QStringLiteral("reduplications.tsv")), 1, error,
            [&](const std::u32string &term, const QStringList &fields, QString &problem) {
                if (term.size() != 2 || term[0] != term[1]) {
                    problem = QStringLiteral("\"%1\" is not one character doubled").arg(fields.at(0));
                    return false;
                }
                const QString &use = fields.at(1);
                if (use == u"不取") {
                    if (pairs->m_pairs.contains(key(term[0], term[1]))) {
                        problem = QStringLiteral("\"%1\" is listed as an unfit pair already").arg(fields.at(0));
                        return false;
                    }
                    pairs->m_pairs.insert(key(term[0], term[1]));
                    return true;
                }
                const int sex = use == u"男" ? 1 : use == u"女" ? 2 : use == u"通" ? 0 : -1;
                if (sex < 0) {
                    problem = QStringLiteral("\"%1\" is not 男, 女, 通 or 不取").arg(use);
                    return false;
                }
                if (pairs->m_pairSex.contains(key(term[0], term[1]))) {
                    problem = QStringLiteral("\"%1\" has its sex in pair-sex.tsv already").arg(fields.at(0));
                    return false;
                }
                pairs->m_pairSex.insert(key(term[0], term[1]), sex);
                return true;
            });
    if (!ok)
        return std::nullopt;
    return pairs;
}

UnfitPairs::Context UnfitPairs::context(const QString &text) const
{
    if (m_contexts.isEmpty())
        return Context::Fine;
    Context worst = Context::Fine;
    const QList<uint> chars = text.toUcs4();
    for (qsizetype i = 0; i < chars.size(); ++i) {
        for (auto it = m_contexts.constFind(char32_t(chars.at(i))); it != m_contexts.cend() && it.key() == chars.at(i);
             ++it) {
            const std::u32string &rest = it.value().first;
            if (qsizetype(rest.size()) > chars.size() - i - 1)
                continue;
            bool match = true;
            for (size_t k = 0; k < rest.size() && match; ++k)
                match = char32_t(chars.at(i + 1 + qsizetype(k))) == rest[k];
            if (match && it.value().second > worst)
                worst = it.value().second;
        }
    }
    return worst;
}

} // namespace tolvane::mkclassics
