#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

// While it lives, the window and everything in it take no input: no click, key,
// wheel or shortcut reaches them, though they still repaint. Other windows (a progress
// window with its Cancel, a message box) work as usual. For the time the data file is
// closed under the main window: a click there would run a statement on a file that
// is not there for it.
class InputBlocker : public QObject
{
public:
    explicit InputBlocker(QWidget *window);
    ~InputBlocker() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QWidget> m_window;
};
