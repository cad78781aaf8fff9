#pragma once

#include <QDialog>

namespace tolvane {

// frmAbout: the program's name and version, the maker's addresses (a click opens them), telephone
// numbers and legal notice, and the system-information command.
class AboutDialog final : public QDialog {
    Q_OBJECT

public:
    explicit AboutDialog(QWidget *parent = nullptr);

private:
    void showSystemInformation();
    Q_DISABLE_COPY_MOVE(AboutDialog)
};

} // namespace tolvane
