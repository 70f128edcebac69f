#include "ui/app/delay.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

void Delay(int milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, int(milliseconds - timer.elapsed()));
        QThread::msleep(1);
    }
}
