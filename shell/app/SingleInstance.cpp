#include "shell/app/SingleInstance.h"

#include "platform/core/Log.h"

#include <QLocalServer>
#include <QLocalSocket>

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

bool SingleInstance::listen(std::function<void()> onRequest) {
    onRequest_ = std::move(onRequest);
    server_ = new QLocalServer(this);
    // Only this user may knock.
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(key_)) {
        // A copy that crashed leaves its socket file behind; nobody answered on it above.
        QLocalServer::removeServer(key_);
        if (!server_->listen(key_)) {
            qcore::log("Single instance: cannot listen on ", key_.toStdString(), ": ",
                       server_->errorString().toStdString());
            return false;
        }
    }
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::readRequest);
    return true;
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
