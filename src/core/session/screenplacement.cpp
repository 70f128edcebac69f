#include "core/session/screenplacement.h"

#include <QtGlobal>

#include <algorithm>

#include <limits>

namespace {

bool topShowsOn(const QRect &rect, const QRect &screen)
{
    const int needWidth = qMin(rect.width(), MinVisibleWindowPart);
    const int needHeight = qMin(rect.height(), MinVisibleWindowPart);
    const QRect top(rect.topLeft(), QSize(rect.width(), needHeight));
    const QRect shown = top & screen;
    return shown.width() >= needWidth && shown.height() >= needHeight;
}

qint64 distanceSquared(const QPoint &point, const QRect &screen)
{
    const qint64 dx = std::max({qint64(screen.left()) - point.x(), qint64(0), qint64(point.x()) - screen.right()});
    const qint64 dy = std::max({qint64(screen.top()) - point.y(), qint64(0), qint64(point.y()) - screen.bottom()});
    return dx * dx + dy * dy;
}

} // namespace

QRect PlaceOnScreens(const QRect &rect, const QList<QRect> &screens)
{
    if (!rect.isValid())
        return rect;
    const QRect *nearest = nullptr;
    qint64 nearestDistance = std::numeric_limits<qint64>::max();
    for (const QRect &screen : screens) {
        if (!screen.isValid())
            continue;
        if (topShowsOn(rect, screen))
            return rect;
        const qint64 distance = distanceSquared(rect.center(), screen);
        if (distance < nearestDistance) {
            nearest = &screen;
            nearestDistance = distance;
        }
    }
    if (!nearest)
        return rect;
    const QSize size(qMin(rect.width(), nearest->width()), qMin(rect.height(), nearest->height()));
    const int left = qBound(nearest->left(), rect.left(), nearest->left() + nearest->width() - size.width());
    const int top = qBound(nearest->top(), rect.top(), nearest->top() + nearest->height() - size.height());
    return QRect(QPoint(left, top), size);
}
