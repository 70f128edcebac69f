#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

class QLocalSocket;
class QWidget;

// One running Tillbrook per user. The first instance listens on a local socket named
// from "PREVINST:" + the application name + the user; a later one connects, asks the
// first to come to the front (and to open the file it was started with) and ends.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    explicit SingleInstance(const QString &key, QObject *parent = nullptr);

    // "PREVINST:" + application name + ":" + user name.
    static QString defaultKey();

    // True when this is the first instance (it now listens); false when another one
    // runs and has been asked to come to the front, or to open FileToOpen when given.
    bool claim(const QString &fileToOpen = QString());

signals:
    void activationRequested();
    // A later start named this file (an absolute path).
    void openRequested(const QString &path);

private:
    void acceptConnections();
    void readMessages(QLocalSocket *socket);

    QString m_key;
    QLocalServer m_server;
};

// Brings the window to the front, or its open modal dialog when it has one; restores it
// when minimised. Returns the widget that was raised.
QWidget *RaiseWindowOrItsDialog(QWidget *window);
