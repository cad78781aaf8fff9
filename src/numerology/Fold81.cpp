#include "numerology/Fold81.h"

static_assert(tolvane::fold81(81) == 81);
static_assert(tolvane::fold81(82) == 2);
static_assert(tolvane::fold81(160) == 80);
static_assert(tolvane::fold81(161) == 1);
static_assert(tolvane::fold81(24) == 24);
