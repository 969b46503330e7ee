#include "window_handover.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QSettings>

namespace veltra {
namespace {

// Long enough for a window busy with a run: it answers between two lines.
constexpr int kAnswerMilliseconds = 10000;
// A window that is starting holds the lock until it listens.
constexpr int kLockMilliseconds = 20000;
// What the window answers once it has the logs.
constexpr char kTaken = 'T';

bool SendTo(QLocalSocket& socket, const QStringList& logs) {
    QByteArray message;
    QDataStream out(&message, QIODevice::WriteOnly);
    out << logs;
    socket.write(message);
    if (!socket.waitForBytesWritten(kAnswerMilliseconds)) {
        return false;
    }
    while (socket.bytesAvailable() < 1) {
        if (!socket.waitForReadyRead(kAnswerMilliseconds)) {
            return false;
        }
    }
    char answer = 0;
    return socket.getChar(&answer) && answer == kTaken;
}

}  // namespace

QString WindowHandover::ServerName() {
    const QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Veltra"),
                             QStringLiteral("Veltra"));
    const QByteArray user =
        QCryptographicHash::hash(settings.fileName().toUtf8(), QCryptographicHash::Sha256);
    return QStringLiteral("pl.veltra.Veltra-") + QString::fromLatin1(user.toHex().left(16));
}

WindowHandover::Start WindowHandover::HandOverOrReceive(const QStringList& logs) {
    auto lock =
        std::make_unique<QLockFile>(QDir(QDir::tempPath()).filePath(ServerName() + ".lock"));
    lock->setStaleLockTime(kLockMilliseconds);
    // Without the lock (a folder that cannot be written) the start goes on
    // as if no window ran; at worst that makes a second window.
    lock->tryLock(kLockMilliseconds);
    QLocalSocket socket;
    socket.connectToServer(ServerName());
    if (socket.waitForConnected(kAnswerMilliseconds) && SendTo(socket, logs)) {
        return {true, nullptr};
    }
    return {false, std::unique_ptr<WindowHandover>(new WindowHandover(std::move(lock)))};
}

WindowHandover::WindowHandover(std::unique_ptr<QLockFile> lock) : lock_(std::move(lock)) {}

WindowHandover::~WindowHandover() = default;

bool WindowHandover::Listen() {
    server_ = new QLocalServer(this);
    // Only this user's programs may hand logs over.
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &WindowHandover::Receive);
    bool listening = server_->listen(ServerName());
    if (!listening) {
        // What a window that ended without closing it left; nobody answered
        // on it, and the lock keeps others from making it meanwhile.
        QLocalServer::removeServer(ServerName());
        listening = server_->listen(ServerName());
    }
    lock_.reset();
    return listening;
}

void WindowHandover::Receive() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            QDataStream in(socket);
            in.startTransaction();
            QStringList logs;
            in >> logs;
            if (!in.commitTransaction()) {
                return;
            }
            socket->putChar(kTaken);
            socket->flush();
            emit LogsArrived(logs);
        });
    }
}

}  // namespace veltra
