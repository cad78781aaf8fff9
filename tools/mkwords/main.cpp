// mkwords: generates namewords.tsv, the pairs of name characters that the suggested names weigh: given names
// people really use, words of the language, and pairs no parent would choose. Read from jieba's dictionary
// (Debian's python3-jieba), the characters namedbs.mdb marks fit for names, the common surnames and the lists
// of unfit pairs in data/.
#include "common/DataLines.h"
#include "data/Library.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QMap>
#include <QSet>
#include <QStringList>

#include <cstdio>

namespace {

using tolvane::tools::forEachDataLine;

// A pair of two BMP characters, or nothing.
std::optional<QString> pairOf(const QString &text)
{
    if (text.size() != 2 || text.at(0).isSurrogate() || text.at(1).isSurrogate())
        return std::nullopt;
    return text;
}

// jieba's tags of the words that can make a name as they stand: the words that describe a state (悠然, 皎洁,
// 嫣然, 超然), idioms and set phrases. Nouns and verbs are mostly things and acts of everyday life (国家, 樱桃,
// 知道), times (夏天) or proper names, and plain adjectives mostly describe things (敏捷, 茂盛, 美满): none of
// them counts as a word of a name.
bool wordTagFits(const QString &tag)
{
    static const QSet<QString> fit { QStringLiteral("z"), QStringLiteral("b"), QStringLiteral("i"),
        QStringLiteral("l") };
    return fit.contains(tag);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Generates namewords.tsv for TolVane's suggested names."));
    parser.addHelpOption();
    const QCommandLineOption dict(QStringLiteral("dict"), QStringLiteral("jieba's dict.txt."), QStringLiteral("file"));
    const QCommandLineOption library(
        QStringLiteral("library"), QStringLiteral("The generated namedbs.mdb."), QStringLiteral("file"));
    const QCommandLineOption surnames(QStringLiteral("surnames"),
        QStringLiteral("The common surnames (data/surnames/common.tsv)."), QStringLiteral("file"));
    const QCommandLineOption unfit(QStringLiteral("unfit"),
        QStringLiteral("A list of unfit pairs (pair<TAB>reason); may be given more than once."),
        QStringLiteral("file"));
    const QCommandLineOption nameSex(QStringLiteral("name-sex"),
        QStringLiteral("The given names meant for one sex (pair<TAB>男 or 女<TAB>reason)."), QStringLiteral("file"));
    const QCommandLineOption current(QStringLiteral("current"),
        QStringLiteral("The given names parents choose today (pair<TAB>男, 女 or 0<TAB>reason)."), QStringLiteral("file"));
    const QCommandLineOption out(QStringLiteral("out"), QStringLiteral("The file to write."), QStringLiteral("file"));
    parser.addOptions({ dict, library, surnames, unfit, nameSex, current, out });
    parser.process(app);
    if (!parser.isSet(dict) || !parser.isSet(library) || !parser.isSet(surnames) || !parser.isSet(out)) {
        std::fputs("mkwords: --dict, --library, --surnames and --out are required\n", stderr);
        return 2;
    }
    const auto fail = [](const QString &error) {
        std::fprintf(stderr, "mkwords: %s\n", qPrintable(error));
        return 1;
    };

    tolvane::NameDatabase db = tolvane::Library(parser.value(library)).open({});
    if (db.failure())
        return fail(QStringLiteral("cannot open %1").arg(parser.value(library)));
    const std::optional<QStringList> fitList = db.nameCharacters();
    if (!fitList)
        return fail(QStringLiteral("cannot read %1").arg(parser.value(library)));
    const QSet<QString> fit(fitList->begin(), fitList->end());

    QString error;
    QSet<QChar> surnameChars;
    if (!forEachDataLine(parser.value(surnames), &error, [&](const QStringList &f, const QString &where, int) {
            if (f.size() < 2 || f.at(1).size() != 1) {
                error = where + QStringLiteral(": expected rank<TAB>surname");
                return false;
            }
            surnameChars.insert(f.at(1).at(0));
            return true;
        }))
        return fail(error);

    // The unfit pairs: never suggested, whatever else they are.
    QSet<QString> unfitPairs;
    for (const QString &file : parser.values(unfit)) {
        if (!forEachDataLine(file, &error, [&](const QStringList &f, const QString &where, int) {
                const std::optional<QString> pair = pairOf(f.value(0));
                if (!pair || f.size() < 2 || f.at(1).trimmed().isEmpty()) {
                    error = where + QStringLiteral(": expected a pair of characters, a tab and the reason");
                    return false;
                }
                unfitPairs.insert(*pair);
                return true;
            }))
            return fail(error);
    }

    // Given names whose characters each suit both sexes, but which as a whole are a girl's (秀英) or a boy's name.
    QHash<QString, QString> sexOfName;
    if (parser.isSet(nameSex)
        && !forEachDataLine(parser.value(nameSex), &error, [&](const QStringList &f, const QString &where, int) {
               const std::optional<QString> pair = pairOf(f.value(0));
               if (!pair || f.size() < 3 || (f.at(1) != QStringLiteral("男") && f.at(1) != QStringLiteral("女"))
                   || f.at(2).trimmed().isEmpty() || sexOfName.contains(*pair)) {
                   error = where + QStringLiteral(": expected a pair listed once, a tab, 男 or 女, a tab and the reason");
                   return false;
               }
               sexOfName.insert(*pair, f.at(1));
               return true;
           }))
        return fail(error);

    // Given names parents choose today: whatever jieba has them as, they are names, of the sex listed.
    QMap<QString, QString> currentNames;
    if (parser.isSet(current)
        && !forEachDataLine(parser.value(current), &error, [&](const QStringList &f, const QString &where, int) {
               const std::optional<QString> pair = pairOf(f.value(0));
               if (!pair || f.size() < 3
                   || (f.at(1) != QStringLiteral("男") && f.at(1) != QStringLiteral("女") && f.at(1) != QStringLiteral("0"))
                   || f.at(2).trimmed().isEmpty() || currentNames.contains(*pair)) {
                   error = where + QStringLiteral(": expected a pair listed once, a tab, 男, 女 or 0, a tab and the reason");
                   return false;
               }
               if (!fit.contains(pair->left(1)) || !fit.contains(pair->mid(1))) {
                   error = where + QStringLiteral(": a character of %1 is not fit for names in the library").arg(*pair);
                   return false;
               }
               if (unfitPairs.contains(*pair)) {
                   error = where + QStringLiteral(": %1 is listed as unfit as well").arg(*pair);
                   return false;
               }
               currentNames.insert(*pair, f.at(1));
               return true;
           }))
        return fail(error);

    QFile in(parser.value(dict));
    if (!in.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read %1").arg(parser.value(dict)));
    // Given names: the two characters after a common surname in jieba's three-character names of persons, with
    // the surnames they follow; a name that follows one surname only is most often one famous person.
    QHash<QString, QSet<QChar>> givenNames;
    QHash<QString, qint64> words;
    // Pairs that are places or transliterated names themselves, or stand in several transliterated names (德尔,
    // 斯基): they follow surnames in jieba's names of foreigners (费德尔), not as given names.
    QSet<QString> foreign;
    QHash<QString, int> inTransliterations;
    while (!in.atEnd()) {
        const QStringList f = QString::fromUtf8(in.readLine()).trimmed().split(QLatin1Char(' '));
        if (f.size() < 3)
            continue;
        const QString &word = f.at(0);
        if (word.size() == 2 && (f.at(2) == QLatin1String("ns") || f.at(2) == QLatin1String("nrt")))
            foreign.insert(word);
        if (word.size() >= 3 && f.at(2) == QLatin1String("nrt")) {
            for (qsizetype i = 0; i + 1 < word.size(); ++i)
                ++inTransliterations[word.mid(i, 2)];
        }
        if (word.size() == 3 && f.at(2) == QLatin1String("nr") && surnameChars.contains(word.at(0))) {
            const QString given = word.mid(1);
            if (fit.contains(given.left(1)) && fit.contains(given.mid(1)))
                givenNames[given].insert(word.at(0));
        } else if (word.size() == 2 && wordTagFits(f.at(2)) && fit.contains(word.left(1))
            && fit.contains(word.mid(1))) {
            words.insert(word, f.at(1).toLongLong());
        }
    }
    if (in.error() != QFileDevice::NoError)
        return fail(QStringLiteral("cannot read %1").arg(parser.value(dict)));

    // Sorted, so that the same inputs give the same file.
    QMap<QString, QString> lines;
    int names = 0;
    int wordCount = 0;
    for (auto it = givenNames.cbegin(); it != givenNames.cend(); ++it) {
        if (it.value().size() >= 2 && !unfitPairs.contains(it.key()) && !foreign.contains(it.key())
            && inTransliterations.value(it.key()) < 2) {
            lines.insert(it.key(), QStringLiteral("名\t%1").arg(it.value().size()));
            ++names;
        }
    }
    for (auto it = words.cbegin(); it != words.cend(); ++it) {
        if (!lines.contains(it.key()) && !unfitPairs.contains(it.key())) {
            lines.insert(it.key(), QStringLiteral("词\t%1").arg(it.value()));
            ++wordCount;
        }
    }
    // A pair's sex is written only beside a name or a word; listed for a pair that is neither (笑语 before it was a
    // word of ours), it would silently do nothing.
    QStringList unused;
    for (auto it = sexOfName.cbegin(); it != sexOfName.cend(); ++it) {
        if ((!lines.contains(it.key()) && !currentNames.contains(it.key())) || unfitPairs.contains(it.key()))
            unused.append(it.key());
    }
    if (!unused.isEmpty()) {
        unused.sort();
        return fail(QStringLiteral("%1: %2 neither a name nor a word here, so the sex listed would not be used")
                        .arg(parser.value(nameSex), unused.join(QLatin1Char(' '))));
    }
    for (auto it = currentNames.cbegin(); it != currentNames.cend(); ++it) {
        const QString sex = it.value() != QStringLiteral("0") ? it.value() : sexOfName.value(it.key(), QStringLiteral("0"));
        lines.insert(it.key(), QStringLiteral("今\t0"));
        sexOfName.insert(it.key(), sex);
    }
    for (const QString &pair : std::as_const(unfitPairs)) {
        if (fit.contains(pair.left(1)) && fit.contains(pair.mid(1)))
            lines.insert(pair, QStringLiteral("忌\t0"));
    }

    QByteArray bytes = "# 生成文件（mkwords），勿手改。字对<TAB>类别<TAB>权重<TAB>性别：名 = 常用名字（权重为它跟在几个常见"
                       "姓氏后），今 = 当今父母常取的名字，词 = 词语（权重为 jieba 词频），忌 = 不宜作名字；性别为男、女，或 0（不分）。\n";
    for (auto it = lines.cbegin(); it != lines.cend(); ++it) {
        bytes += (it.key() + QLatin1Char('\t') + it.value() + QLatin1Char('\t')
            + sexOfName.value(it.key(), QStringLiteral("0")) + QLatin1Char('\n'))
                     .toUtf8();
    }
    QFile file(parser.value(out) + QStringLiteral(".part"));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size() || !file.flush()) {
        file.remove();
        return fail(QStringLiteral("cannot write %1").arg(parser.value(out)));
    }
    file.close();
    QFile::remove(parser.value(out));
    if (!QFile::rename(file.fileName(), parser.value(out)))
        return fail(QStringLiteral("cannot write %1").arg(parser.value(out)));
    std::printf("mkwords: %d given names, %lld of today, %d words, %lld unfit pairs -> %s\n", names,
        static_cast<long long>(currentNames.size()), wordCount, static_cast<long long>(unfitPairs.size()),
        qPrintable(parser.value(out)));
    return 0;
}
