#pragma once

#include "core/session/savedform.h"

class QWidget;

// A top-level window as TSavedForm sees it. Positions and sizes are those of the
// window's client area, so that storing and restoring keep it exactly where it was.
class WidgetPlacedWindow : public PlacedWindow
{
public:
    // Throws "TSavedForm: owner is not a TForm" when Owner is not a top-level window.
    explicit WidgetPlacedWindow(QWidget *owner);

    QString formName() const override;
    QRect currentRect() const override;
    void setSize(const QSize &size) override;
    void setPosition(const QPoint &position) override;
    StoredWindowState windowState() const override;
    void setWindowState(StoredWindowState state) override;
    std::optional<QRect> normalPlacement() const override;
    QSize screenSize() const override;
    QList<QRect> availableScreens() const override;

private:
    QWidget *m_window;
};
