#pragma once

#include <QDialog>

namespace tolvane {

// The frame every dialog of the program has: a title with the close button only. A dialog is answered and
// closed, never minimised out of sight while it holds the main window, nor maximised. A dialog left where
// Qt puts it opens centred on the window it belongs to.
class DialogFrame final {
public:
    static constexpr Qt::WindowFlags kFlags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
        | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

    static void apply(QDialog *dialog) { dialog->setWindowFlags(kFlags); }
};

} // namespace tolvane
