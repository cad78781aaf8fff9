#include "app/GridPanel.h"


namespace tolvane {

GridPanel GridPanel::forName(const PersonName &name, const QList<int> &strokes, const FiveGrids &grids)
{
    static constexpr int kPlaces[5][4] = { {}, {}, { 0, 2 }, { 0, 1, 2 }, { 0, 1, 2, 3 } };
    GridPanel panel;
    const QStringList &chars = name.characters();
    const qsizetype count = qMin(chars.size(), strokes.size());
    for (qsizetype i = 0; i < count && count <= 4; ++i) {
        const int place = kPlaces[count][i];
        panel.characters[place] = chars.at(i);
        panel.strokes[place] = QString::number(strokes.at(i));
    }
    panel.captions = { QStringLiteral("天格"), QStringLiteral("人格"), QStringLiteral("地格"), QStringLiteral("总格"),
        QStringLiteral("外格") };
    const auto numbers = grids.list();
    for (int g = 0; g < 5; ++g)
        panel.numbers[g] = QString::number(numbers[g]);
    return panel;
}

} // namespace tolvane
