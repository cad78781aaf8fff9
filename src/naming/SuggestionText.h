#pragma once

#include "naming/NameSuggestions.h"

#include <QJsonObject>
#include <QList>
#include <QString>

namespace tolvane {

// The suggested names and the comparison of names as the pane shows them (CR LF line breaks) and as JSON fields.
class SuggestionText final {
public:
    // The shortlist: a heading that says what was asked and searched, then each name with its pinyin, score and
    // parts, reasons, five grids, the meaning of each character and its verse. birthNote, when the elements come
    // from a birth time, stands under the heading.
    static QString shortlist(const Suggestions &suggestions, const QString &birthNote = {});
    static QJsonObject shortlistFields(const Suggestions &suggestions);

    // Two to five names side by side: one row per aspect, a column per name, then each name's reasons and meanings.
    static QString comparison(const QList<SuggestedName> &names);
    static QJsonObject comparisonFields(const QList<SuggestedName> &names);

    // One name's fields, as in both lists.
    static QJsonObject nameFields(const SuggestedName &name);
    // "天格 5 全吉，人格 13 全吉，…", the grids the rules do not test marked 不论.
    static QString gridsLine(const SuggestedName &name);
    // "总分 78（数理 50，五行 15，读音 未评，字义 13）".
    static QString scoreLine(const SuggestedName &name);
};

} // namespace tolvane
