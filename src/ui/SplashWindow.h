#pragma once

#include <QWidget>

namespace tolvane {

// frmSplash: shown while the main window starts; the start-up closes it.
class SplashWindow final : public QWidget {
    Q_OBJECT

public:
    explicit SplashWindow(QWidget *parent = nullptr);

private:
    Q_DISABLE_COPY_MOVE(SplashWindow)
};

} // namespace tolvane
