#pragma once

#include "numerology/Vocabulary.h"

#include <QString>

namespace tolvane {

// The texts the name analysis report takes from the program itself: the personality paragraph by the digit
// class of 人格, and the success luck (人格 with 天格) and basis luck (人格 with 地格) by their elements.
class NameAnalysisTexts final {
public:
    // digitClass 1..10; the paragraph begins with " 暗示性格为：".
    static QString personality(int digitClass);
    // Each text ends with its verdict in full-width brackets and "。", e.g. "（吉）。".
    static QString successLuck(Element person, Element heaven);
    static QString basisLuck(Element person, Element earth);
};

} // namespace tolvane
