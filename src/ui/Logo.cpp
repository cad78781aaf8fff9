#include "ui/Logo.h"

#include <QFont>
#include <QPainter>

namespace tolvane {

QPixmap Logo::pixmap(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0x3c, 0x8d, 0x2f));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(0, 0, size, size), size / 6.0, size / 6.0);
    p.setPen(Qt::white);
    QFont font(QStringLiteral("黑体"));
    font.setPixelSize(size * 2 / 5);
    p.setFont(font);
    p.drawText(QRect(0, 0, size, size), Qt::AlignCenter, QStringLiteral("青禾"));
    return pixmap;
}

} // namespace tolvane
