#pragma once

#include <QObject>

#include <functional>

class QWidget;

// When a report window loads: once, when it is first shown. Coming back to the window
// (a message box closing, another program) changes nothing, so the filters the user
// set and the list they chose stay as they are. A window that must load again says so
// by calling its load itself.
class LoadOnFirstShow : public QObject
{
public:
    LoadOnFirstShow(QWidget *window, std::function<void()> load);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::function<void()> m_load;
    bool m_loaded = false;
};
