#include "ui/ListRows.h"

#include <QAbstractItemDelegate>
#include <QAbstractItemView>
#include <QComboBox>
#include <QFontMetrics>
#include <QPointer>

namespace tolvane {

namespace {

// Paints through the list's own delegate and asks for rows half a line taller than it would, which keeps the
// text centred with a quarter line free above and below it.
class RoomyRowDelegate final : public QAbstractItemDelegate {
public:
    RoomyRowDelegate(QAbstractItemDelegate *original, QObject *parent)
        : QAbstractItemDelegate(parent)
        , m_original(original)
    {
    }

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        if (m_original)
            m_original->paint(painter, option, index);
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QSize size = m_original ? m_original->sizeHint(option, index) : QSize();
        const QFontMetrics metrics(option.font);
        const int glyphs = std::max(metrics.height(), metrics.tightBoundingRect(QStringLiteral("国")).height());
        size.setHeight(std::max(size.height(), glyphs + glyphs / 2));
        return size;
    }

private:
    QPointer<QAbstractItemDelegate> m_original;
};

} // namespace

void ListRows::giveRoom(QComboBox *combo)
{
    QAbstractItemView *view = combo->view();
    view->setItemDelegate(new RoomyRowDelegate(view->itemDelegate(), view));
}

} // namespace tolvane
