#pragma once

#include <QList>
#include <QRect>

// How much of a window's top must show on one screen for the user to reach it and
// drag it by its title bar.
inline constexpr int MinVisibleWindowPart = 50;

// A window's rectangle as it may be placed on the screens attached now (their available
// areas). A rectangle whose top part shows on a screen stays as it is. Otherwise (a
// screen unplugged, a smaller screen) it is moved onto the nearest screen, and made
// smaller where it does not fit there. With no screen known nothing is changed.
QRect PlaceOnScreens(const QRect &rect, const QList<QRect> &screens);
