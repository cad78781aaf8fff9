#include "text/Pinyin.h"

#include <algorithm>
#include <array>

namespace tolvane {

namespace {

// The marked vowels by tone: index 0 is tone 1.
struct MarkedVowel {
    QChar base;
    std::array<char16_t, 4> marked;
};

const std::array<MarkedVowel, 6> kMarkedVowels { {
    { QChar(u'a'), { u'ā', u'á', u'ǎ', u'à' } },
    { QChar(u'e'), { u'ē', u'é', u'ě', u'è' } },
    { QChar(u'i'), { u'ī', u'í', u'ǐ', u'ì' } },
    { QChar(u'o'), { u'ō', u'ó', u'ǒ', u'ò' } },
    { QChar(u'u'), { u'ū', u'ú', u'ǔ', u'ù' } },
    { QChar(u'ü'), { u'ǖ', u'ǘ', u'ǚ', u'ǜ' } },
} };

bool isVowel(QChar c)
{
    return c == u'a' || c == u'e' || c == u'i' || c == u'o' || c == u'u' || c == u'ü';
}

} // namespace

std::optional<PinyinSyllable> PinyinSyllable::parse(QStringView written)
{
    PinyinSyllable s;
    int tone = 0;
    for (qsizetype i = 0; i < written.size(); ++i) {
        const QChar c = written.at(i);
        if (c >= u'1' && c <= u'5' && i == written.size() - 1 && i > 0 && tone == 0) {
            tone = c.unicode() - u'0';
            continue;
        }
        if (c == u'v') {
            s.letters += QChar(u'ü');
            continue;
        }
        if ((c >= u'a' && c <= u'z') || c == u'ü') {
            s.letters += c;
            continue;
        }
        bool found = false;
        for (const MarkedVowel &v : kMarkedVowels) {
            for (int t = 0; t < 4; ++t) {
                if (c == QChar(v.marked[std::size_t(t)])) {
                    if (tone != 0)
                        return std::nullopt;
                    tone = t + 1;
                    s.letters += v.base;
                    found = true;
                }
            }
        }
        if (!found)
            return std::nullopt;
    }
    if (s.letters.isEmpty() || !std::any_of(s.letters.cbegin(), s.letters.cend(), isVowel))
        return std::nullopt;
    s.tone = tone == 0 ? 5 : tone;
    return s;
}

QString PinyinSyllable::marked() const
{
    if (tone < 1 || tone > 4)
        return letters;
    qsizetype at = letters.indexOf(u'a');
    if (at < 0)
        at = letters.indexOf(u'e');
    if (at < 0)
        at = letters.indexOf(QStringLiteral("ou"));
    if (at < 0) {
        for (qsizetype i = letters.size() - 1; i >= 0; --i) {
            if (isVowel(letters.at(i))) {
                at = i;
                break;
            }
        }
    }
    QString out = letters;
    for (const MarkedVowel &v : kMarkedVowels) {
        if (v.base == letters.at(at))
            out[at] = QChar(v.marked[std::size_t(tone - 1)]);
    }
    return out;
}

QString PinyinSyllable::initial() const
{
    for (const char *two : { "zh", "ch", "sh" }) {
        if (letters.startsWith(QLatin1String(two)))
            return QLatin1String(two);
    }
    static const QString kOne = QStringLiteral("bpmfdtnlgkhjqxrzcs");
    if (!letters.isEmpty() && kOne.contains(letters.at(0)) && letters.size() > 1)
        return letters.left(1);
    return {};
}

QString PinyinSyllable::final() const
{
    QString rest;
    if (letters.startsWith(u'y')) {
        rest = letters.mid(1);
        if (rest.startsWith(u'u'))
            rest[0] = QChar(u'ü');
        else if (!rest.startsWith(u'i'))
            rest.prepend(u'i');
    } else if (letters.startsWith(u'w')) {
        rest = letters.mid(1);
        if (!rest.startsWith(u'u'))
            rest.prepend(u'u');
    } else {
        const QString init = initial();
        rest = letters.mid(init.size());
        if ((init == u"j" || init == u"q" || init == u"x") && rest.startsWith(u'u'))
            rest[0] = QChar(u'ü');
    }
    if (rest == u"iou")
        return QStringLiteral("iu");
    if (rest == u"uei")
        return QStringLiteral("ui");
    if (rest == u"uen")
        return QStringLiteral("un");
    return rest;
}

} // namespace tolvane
