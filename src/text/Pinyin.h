#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace tolvane {

// One syllable of Hanyu Pinyin: its letters (lower case, ü written as ü) and its tone, 1 to 4, or 5 for the
// neutral tone. Read from the written form with a tone mark (zhāo, lǜ, er) or with a tone number (zhao1, lv4, er5).
struct PinyinSyllable {
    QString letters;
    int tone = 5;

    // Nothing for a text that is not one syllable of lower-case letters (with ü or v) with at most one tone mark
    // or a final tone digit.
    static std::optional<PinyinSyllable> parse(QStringView written);

    // The syllable with its tone mark on the vowel that carries it (a, o or e; the second of iu and ui; else the
    // only vowel): zhāo, liù, guǐ, lǜ; the neutral tone without a mark.
    QString marked() const;
    // The letters and the tone digit: zhao1, lü4.
    QString numbered() const { return letters + QString::number(tone); }

    // The initial consonant (zh ch sh and the one-letter ones); empty for a syllable that begins with a vowel or
    // with y or w, which only spell a medial.
    QString initial() const;
    // The final as the tables write it after a consonant: yang is iang, wei ui, you iu, yu ü, ju ü, yuan üan.
    QString final() const;
    // 平 (tones 1 and 2) or 仄 (tones 3 and 4); the neutral tone is neither.
    bool level() const { return tone == 1 || tone == 2; }
    bool oblique() const { return tone == 3 || tone == 4; }

    bool operator==(const PinyinSyllable &) const = default;
};

} // namespace tolvane
