#pragma once

#include "naming/FavouriteNames.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QListWidget;

namespace tolvane {

class Dispatcher;

// frmShoucang, 收藏与比较: the names of the last shortlist on the left, the names kept (收藏) on the right. Names are
// kept with 收藏 (or typed in), let go with 移除, and two to five kept names are compared side by side in the
// result pane with 比较, which closes the window; the comparison is printed and saved like any result.
class FavouritesDialog final : public QDialog {
    Q_OBJECT

public:
    FavouritesDialog(Dispatcher &dispatcher, QWidget *parent);

private:
    void keepSelected();
    void keepTyped();
    void removeSelected();
    void compareSelected();
    // Writes the list; on failure says why and reads the file back, so the list shows what is kept.
    bool save();
    void showKept();

    Dispatcher &m_dispatcher;
    FavouriteNames m_kept;
    QListWidget *m_suggested = nullptr;
    QListWidget *m_favourites = nullptr;
    QLineEdit *m_typed = nullptr;
    QComboBox *m_sex = nullptr;
};

} // namespace tolvane
