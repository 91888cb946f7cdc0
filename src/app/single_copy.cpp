#include "app/single_copy.h"

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

namespace {

constexpr char kShowRequest[] = "show\n";

} // namespace

QString SingleCopyBase() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    return dir + "/__Kestro";
}

SingleCopy::SingleCopy(const QString& base) : socketPath_(base + ".socket"), lock_(base + ".lock") {
    // A copy that crashed leaves its lock behind; the lock file's process
    // check takes it over at once.
    lock_.setStaleLockTime(0);
    connect(&server_, &QLocalServer::newConnection, this, &SingleCopy::OnConnection);
}

SingleCopy::~SingleCopy() {
    server_.close();
    if (lock_.isLocked())
        lock_.unlock();
}

bool SingleCopy::Claim(int waitMs) {
    if (lock_.tryLock(0) || lock_.tryLock(waitMs)) {
        QLocalServer::removeServer(socketPath_);
        server_.setSocketOptions(QLocalServer::UserAccessOption);
        server_.listen(socketPath_);
        return true;
    }
    QLocalSocket socket;
    socket.connectToServer(socketPath_);
    if (socket.waitForConnected(1000)) {
        socket.write(kShowRequest);
        socket.waitForBytesWritten(1000);
        socket.disconnectFromServer();
    }
    return false;
}

void SingleCopy::OnConnection() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->readAll().contains('\n'))
                emit ShowRequested();
        });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (socket->bytesAvailable() > 0 && socket->readAll().contains('\n'))
            emit ShowRequested();
    }
}
