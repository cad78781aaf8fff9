#pragma once

#include <QObject>

class QWidget;

namespace tolvane {

// Turns a left click on any widget (a picture, a label) into a signal, and gives it the pointing hand.
class ClickFilter final : public QObject {
    Q_OBJECT

public:
    // The filter lives as long as the widget.
    static ClickFilter *install(QWidget *widget);

Q_SIGNALS:
    void clicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit ClickFilter(QWidget *widget);
    Q_DISABLE_COPY_MOVE(ClickFilter)
};

} // namespace tolvane
