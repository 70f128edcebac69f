#pragma once

#include <QApplication>

class Notifier;

// The application with the last safety net for errors: anything a handler let escape
// is shown with the application-wide error dialog and the program goes on. Handlers
// are expected to catch their own errors (Guarded); this only catches what slipped by.
// It carries the application's name, "Tillbrook", and no display name, so window
// titles read exactly as the windows set them.
class TillbrookApplication : public QApplication
{
    Q_OBJECT
public:
    TillbrookApplication(int &argc, char **argv);

    void setNotifier(Notifier *notifier) { m_notifier = notifier; }
    bool notify(QObject *receiver, QEvent *event) override;

private:
    void report(const QString &message);

    Notifier *m_notifier = nullptr;
    bool m_reporting = false;
};
