#pragma once

#include "naming/NameSuggestions.h"

#include <QString>

namespace tolvane {

// The questions of 推荐名字 as the person answers them: the request, and a birth time whose chart gives the
// elements instead of the request's. The window's dialog and the command line's options fill it.
struct SuggestionForm {
    SuggestionRequest request;
    QString birth; // a birth as the 生辰八字 box reads it; empty: the request's elements
    bool accepted = false; // false: the person closed the questions without asking
};

} // namespace tolvane
