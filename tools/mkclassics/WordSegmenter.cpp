#include "WordSegmenter.h"

#include <QFile>

#include <cmath>

namespace tolvane::mkclassics {

std::optional<WordSegmenter> WordSegmenter::read(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("cannot read the word list %1 (scripts/setup.sh installs python3-jieba)").arg(path);
        return std::nullopt;
    }
    WordSegmenter segmenter;
    segmenter.m_frequency.reserve(360000);
    int number = 0;
    while (!file.atEnd()) {
        ++number;
        const QByteArray line = file.readLine().trimmed();
        if (line.isEmpty())
            continue;
        const QList<QByteArray> fields = line.split(' ');
        bool ok = false;
        const qint64 frequency = fields.size() >= 2 ? fields.at(1).toLongLong(&ok) : 0;
        if (!ok || frequency < 0) {
            if (error)
                *error = QStringLiteral("%1:%2: expected a word and its frequency").arg(path).arg(number);
            return std::nullopt;
        }
        const QList<uint> ucs4 = QString::fromUtf8(fields.at(0)).toUcs4();
        const std::u32string word(ucs4.begin(), ucs4.end());
        segmenter.add(word, frequency);
        static const QList<QByteArray> notNames { "r", "c", "p", "u", "y", "e", "o", "j", "q", "mq", "vq", "f", "nt",
            "nrt", "nrfg", "x", "ns", "v", "vn", "vg", "vi", "d", "m" };
        if (fields.size() >= 3 && notNames.contains(fields.at(2)))
            segmenter.m_notName.emplace(word, true);
    }
    return segmenter;
}

void WordSegmenter::add(const std::u32string &word, qint64 frequency)
{
    if (word.empty())
        return;
    qint64 &stored = m_frequency[word];
    if (frequency > stored) {
        m_total += frequency - stored;
        stored = frequency;
    }
    m_longest = std::max(m_longest, int(word.size()));
}

bool WordSegmenter::isNameWord(const std::u32string &word) const
{
    return !m_notName.contains(word);
}

std::vector<int> WordSegmenter::segment(const std::u32string &line) const
{
    const int n = int(line.size());
    // best[i]: the largest log probability of line[i..n) and the length of its first word.
    std::vector<double> best(size_t(n) + 1, 0.0);
    std::vector<int> length(size_t(n) + 1, 1);
    const double logTotal = std::log(double(std::max<qint64>(m_total, 1)));
    std::u32string word;
    for (int i = n - 1; i >= 0; --i) {
        // A character not listed (or listed with frequency 0) counts as frequency 1.
        best[size_t(i)] = -logTotal + best[size_t(i) + 1];
        length[size_t(i)] = 1;
        const int most = std::min(m_longest, n - i);
        for (int k = 1; k <= most; ++k) {
            word.assign(line, size_t(i), size_t(k));
            const auto it = m_frequency.find(word);
            if (it == m_frequency.end() || it->second <= 0)
                continue;
            const double score = std::log(double(it->second)) - logTotal + best[size_t(i + k)];
            if (score > best[size_t(i)]) {
                best[size_t(i)] = score;
                length[size_t(i)] = k;
            }
        }
    }
    std::vector<int> words;
    for (int i = 0; i < n; i += length[size_t(i)])
        words.push_back(length[size_t(i)]);
    return words;
}

} // namespace tolvane::mkclassics
