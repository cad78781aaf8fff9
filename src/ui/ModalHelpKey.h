#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace tolvane {

// F1 in a modal window (the header and footer window, the correction, the password windows) opens the help
// over that window: a modal window blocks the main window's F1 shortcut, and a help window beside it would be
// blocked as well. Installed on the application.
class ModalHelpKey final : public QObject {
    Q_OBJECT

public:
    ModalHelpKey(std::function<void(QWidget *modal)> openHelp, QObject *parent);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::function<void(QWidget *modal)> m_openHelp;
};

} // namespace tolvane
