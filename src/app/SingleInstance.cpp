#include "app/SingleInstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

namespace yomari::app {

namespace {

// The arguments travel as one UTF-8 line each, ended by an empty line; the
// running program answers with one byte once it has them.
QByteArray Encode(const QStringList& arguments)
{
    QByteArray bytes;
    for (const QString& a : arguments)
        if (!a.isEmpty())
            bytes += a.toUtf8().replace('\n', ' ') + '\n';
    return bytes + '\n';
}

constexpr char kTaken = '+';
// A start's message is a few switches; more is not one of ours.
constexpr qint64 kMaxMessage = 4096;

} // namespace

QString SingleInstance::ServerName()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + QStringLiteral("/Yomari.socket");
}

bool SingleInstance::HandOver(const QStringList& arguments, int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(ServerName());
    if (!socket.waitForConnected(timeoutMs))
        return false; // nothing listens: no socket, or one a killed program left
    socket.write(Encode(arguments));
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    // A program that accepts but never answers is hung: this start runs on.
    while (socket.bytesAvailable() == 0)
        if (!socket.waitForReadyRead(timeoutMs))
            return false;
    return socket.read(1) == QByteArray(1, kTaken);
}

SingleInstance::SingleInstance(QObject* parent)
    : QObject(parent)
{
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::Listen(std::function<void(const QStringList&)> arrived)
{
    m_arrived = std::move(arrived);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    const QString name = ServerName();
    // A program that answers is alive (one started at the same moment, or
    // one a start-up measurement did not hand over to): leave it be. Qt
    // would put a new socket in its place without a word.
    QLocalSocket probe;
    probe.connectToServer(name);
    if (probe.waitForConnected(500))
        return false;
    if (!m_server->listen(name)) {
        // Nobody listens: the socket file is one a killed program left.
        QLocalServer::removeServer(name);
        if (!m_server->listen(name))
            return false;
    }
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                const QByteArray bytes = socket->peek(kMaxMessage + 1);
                if (bytes.size() > kMaxMessage) {
                    socket->abort();
                    return;
                }
                if (!bytes.endsWith("\n\n") && bytes != "\n")
                    return; // more is coming
                socket->readAll();
                QStringList arguments;
                for (const QByteArray& line : bytes.split('\n'))
                    if (!line.isEmpty())
                        arguments << QString::fromUtf8(line);
                socket->write(QByteArray(1, kTaken));
                socket->flush();
                m_arrived(arguments);
            });
        }
    });
    return true;
}

} // namespace yomari::app
