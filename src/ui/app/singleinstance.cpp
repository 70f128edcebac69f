#include "ui/app/singleinstance.h"

#include <QApplication>
#include <QDir>
#include <QLocalSocket>
#include <QLockFile>
#include <QRegularExpression>
#include <QWidget>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

// One line per message; the path is Base64 so that no file name can break the line.
const QByteArray ActivateMessage = QByteArrayLiteral("activate\n");
const QByteArray OpenPrefix = QByteArrayLiteral("open ");

QByteArray openMessage(const QString &path)
{
    return OpenPrefix + path.toUtf8().toBase64() + '\n';
}

QString userName()
{
    QString name = qEnvironmentVariable("USER");
    if (name.isEmpty())
        name = qEnvironmentVariable("USERNAME");
#ifdef Q_OS_UNIX
    // Services and containers may run without USER; the user id is as good a name.
    if (name.isEmpty())
        name = QString::number(::getuid());
#endif
    return name;
}

} // namespace

SingleInstance::SingleInstance(const QString &key, QObject *parent)
    : QObject(parent), m_key(key)
{
    connect(&m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
}

QString SingleInstance::defaultKey()
{
    return QStringLiteral("PREVINST:") + QCoreApplication::applicationName() + u':' + userName();
}

bool SingleInstance::claim(const QString &fileToOpen)
{
    // Two starts at the same moment must not both find no server and both listen.
    QString lockName = m_key;
    lockName.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_.-]")), QStringLiteral("_"));
    QLockFile lock(QDir::temp().filePath(lockName + QStringLiteral(".lock")));
    lock.tryLock(5000);

    QLocalSocket socket;
    socket.connectToServer(m_key);
    if (socket.waitForConnected(1000)) {
        socket.write(fileToOpen.isEmpty() ? ActivateMessage : openMessage(fileToOpen));
        socket.waitForBytesWritten(1000);
        socket.disconnectFromServer();
        return false;
    }
    // Nobody answers: a socket left behind by a crashed instance is taken over.
    QLocalServer::removeServer(m_key);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server.listen(m_key))
        qWarning("Tillbrook: cannot listen on %s: %s", qPrintable(m_key), qPrintable(m_server.errorString()));
    return true;
}

void SingleInstance::acceptConnections()
{
    while (QLocalSocket *socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readMessages(socket); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        readMessages(socket);
    }
}

void SingleInstance::readMessages(QLocalSocket *socket)
{
    while (socket->canReadLine()) {
        const QByteArray line = socket->readLine();
        if (line == ActivateMessage) {
            emit activationRequested();
        } else if (line.startsWith(OpenPrefix) && line.endsWith('\n')) {
            const QByteArray encoded = line.mid(OpenPrefix.size()).chopped(1);
            const auto decoded = QByteArray::fromBase64Encoding(encoded, QByteArray::AbortOnBase64DecodingErrors);
            const QString path = decoded ? QString::fromUtf8(*decoded) : QString();
            // Anything else on the socket is not ours and is ignored.
            if (!path.isEmpty())
                emit openRequested(path);
        }
    }
}

QWidget *RaiseWindowOrItsDialog(QWidget *window)
{
    if (window->isMinimized())
        window->showNormal();
    QWidget *target = window;
    if (QWidget *modal = QApplication::activeModalWidget(); modal && modal != window && modal->isVisible()
                                                          && modal->isEnabled())
        target = modal;
    target->raise();
    target->activateWindow();
    return target;
}
