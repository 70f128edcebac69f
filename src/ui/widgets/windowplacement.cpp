#include "ui/widgets/windowplacement.h"

#include "core/base/tillbrookerror.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

WidgetPlacedWindow::WidgetPlacedWindow(QWidget *owner)
    : m_window(owner)
{
    if (!owner || !owner->isWindow())
        throw TillbrookError(QStringLiteral("TSavedForm: owner is not a TForm"));
}

QString WidgetPlacedWindow::formName() const
{
    return m_window->objectName();
}

QRect WidgetPlacedWindow::currentRect() const
{
    if (const auto normal = normalPlacement())
        return *normal;
    return m_window->geometry();
}

void WidgetPlacedWindow::setSize(const QSize &size)
{
    m_window->resize(size);
}

void WidgetPlacedWindow::setPosition(const QPoint &position)
{
    // geometry() is the client area; move() would place the frame there, and the window
    // would creep down by its title bar at every start.
    m_window->setGeometry(QRect(position, m_window->size()));
}

StoredWindowState WidgetPlacedWindow::windowState() const
{
    const Qt::WindowStates state = m_window->windowState();
    if (state & Qt::WindowMinimized)
        return wsMinimized;
    if (state & (Qt::WindowMaximized | Qt::WindowFullScreen))
        return wsMaximized;
    return wsNormal;
}

void WidgetPlacedWindow::setWindowState(StoredWindowState state)
{
    Qt::WindowStates flags = m_window->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
    if (state == wsMinimized)
        flags |= Qt::WindowMinimized;
    else if (state == wsMaximized)
        flags |= Qt::WindowMaximized;
    m_window->setWindowState(flags);
}

std::optional<QRect> WidgetPlacedWindow::normalPlacement() const
{
    // Wayland does not tell a window where it is.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return std::nullopt;
    const QRect normal = m_window->normalGeometry();
    if (normal.isValid())
        return normal;
    if (windowState() == wsNormal && m_window->geometry().isValid())
        return m_window->geometry();
    return std::nullopt;
}

QSize WidgetPlacedWindow::screenSize() const
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize();
}

QList<QRect> WidgetPlacedWindow::availableScreens() const
{
    QList<QRect> areas;
    for (const QScreen *screen : QGuiApplication::screens())
        areas << screen->availableGeometry();
    return areas;
}
