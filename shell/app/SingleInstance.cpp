#include "shell/app/SingleInstance.h"

#include "platform/core/Log.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>

#include <unistd.h>

namespace qshell {

QString SingleInstance::keyFor(const QString& bundleIdentifier) {
    return bundleIdentifier + QLatin1Char('.') + QString::number(::getuid());
}

SingleInstance::SingleInstance(QString key, QObject* parent)
    : QObject(parent), key_(std::move(key)) {}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::forwardToRunning(int timeoutMs) const {
    QLocalSocket socket;
    socket.connectToServer(key_);
    if (!socket.waitForConnected(timeoutMs)) return false;
    socket.write(kShowTheApp + '\n');
    if (!socket.waitForBytesWritten(timeoutMs)) return false;
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(timeoutMs);
    return true;
}

bool SingleInstance::answers() const {
    QLocalSocket socket;
    socket.connectToServer(key_);
    // A listening socket accepts at once, however busy its owner is; a stale one refuses.
    return socket.waitForConnected(1000);
}

SingleInstance::Listen SingleInstance::listen(std::function<void()> onRequest) {
    onRequest_ = std::move(onRequest);
    server_ = new QLocalServer(this);
    // Only this user may knock.
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    // Copies starting together take turns, so none replaces a socket another has just made.
    QLockFile turn(QDir(QDir::tempPath()).absoluteFilePath(key_ + QStringLiteral(".lock")));
    if (!turn.tryLock(5000)) {
        qcore::log("Single instance: no turn at ", turn.fileName().toStdString());
        return Listen::Failed;
    }
    // Listening with access options renames a new socket over whatever file has the name, a
    // live one included, so a live one must be found first.
    if (answers()) return Listen::AnotherIsRunning;
    // What is left is a socket file of a copy that crashed.
    QLocalServer::removeServer(key_);
    if (!server_->listen(key_)) {
        qcore::log("Single instance: cannot listen on ", key_.toStdString(), ": ",
                   server_->errorString().toStdString());
        return Listen::Failed;
    }
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::readRequest);
    return Listen::Listening;
}

void SingleInstance::readRequest() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        const auto drain = [this, socket] {
            while (socket->canReadLine()) {
                if (socket->readLine().trimmed() == kShowTheApp && onRequest_) onRequest_();
            }
        };
        connect(socket, &QLocalSocket::readyRead, this, drain);
        // The request may have arrived with the connection.
        drain();
    }
}

} // namespace qshell
