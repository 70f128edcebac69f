#include "ui/app/inputblocker.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

InputBlocker::InputBlocker(QWidget *window) : m_window(window)
{
    qApp->installEventFilter(this);
}

InputBlocker::~InputBlocker()
{
    qApp->removeEventFilter(this);
}

bool InputBlocker::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::ContextMenu:
        break;
    default:
        return false;
    }
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!m_window || !widget || widget->window() != m_window)
        return false;
    // Claimed before shortcuts are matched, so no menu shortcut fires either.
    if (event->type() == QEvent::ShortcutOverride)
        event->accept();
    return true;
}
