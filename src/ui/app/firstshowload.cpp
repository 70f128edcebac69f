#include "ui/app/firstshowload.h"

#include <QEvent>
#include <QWidget>

LoadOnFirstShow::LoadOnFirstShow(QWidget *window, std::function<void()> load)
    : QObject(window), m_load(std::move(load))
{
    window->installEventFilter(this);
}

bool LoadOnFirstShow::eventFilter(QObject *watched, QEvent *event)
{
    // The window's own show, not one the window system repeats (a restore from the
    // task bar), and only the first.
    if (!m_loaded && event->type() == QEvent::Show && !event->spontaneous()) {
        m_loaded = true;
        m_load();
    }
    return QObject::eventFilter(watched, event);
}
