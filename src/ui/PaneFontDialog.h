#pragma once

#include <QColor>
#include <QFontDialog>

class QComboBox;

namespace tolvane {

// The font dialog of the result pane and the notes window: font, size, bold, italic, underline and
// strikethrough as Qt's own dialog offers them, and a colour among the sixteen basic colours.
class PaneFontDialog final : public QFontDialog {
    Q_OBJECT

public:
    PaneFontDialog(const QFont &preset, QWidget *parent);
    Q_DISABLE_COPY_MOVE(PaneFontDialog)

    QColor chosenColour() const;
    void setChosenColour(const QColor &colour);

private:
    QComboBox *m_colour = nullptr;
};

} // namespace tolvane
