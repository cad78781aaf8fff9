#include "ui/ModalHelpKey.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace tolvane {

ModalHelpKey::ModalHelpKey(std::function<void(QWidget *modal)> openHelp, QObject *parent)
    : QObject(parent)
    , m_openHelp(std::move(openHelp))
{
}

bool ModalHelpKey::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    QWidget *modal = QApplication::activeModalWidget();
    // Key events reach the filter once per widget on their way up; only the one at the focus widget counts.
    if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier || !modal || watched != QApplication::focusWidget()
        || !modal->isAncestorOf(QApplication::focusWidget()))
        return QObject::eventFilter(watched, event);
    m_openHelp(modal);
    return true;
}

} // namespace tolvane
