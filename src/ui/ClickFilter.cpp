#include "ui/ClickFilter.h"

#include <QMouseEvent>
#include <QWidget>

namespace tolvane {

ClickFilter::ClickFilter(QWidget *widget)
    : QObject(widget)
{
}

ClickFilter *ClickFilter::install(QWidget *widget)
{
    auto *filter = new ClickFilter(widget);
    widget->installEventFilter(filter);
    widget->setCursor(Qt::PointingHandCursor);
    return filter;
}

bool ClickFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        auto *widget = static_cast<QWidget *>(watched);
        // A press that is dragged off the widget and released elsewhere is no click.
        if (mouse->button() == Qt::LeftButton && widget->rect().contains(mouse->position().toPoint())) {
            Q_EMIT clicked();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tolvane
