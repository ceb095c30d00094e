#include "app/SingleInstance.h"

#include <QDir>
#include <QStandardPaths>

#ifdef Q_OS_LINUX
#include <QFile>
#include <QSocketNotifier>

#include <cerrno>
#include <chrono>
#include <cstddef>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#else
#include <QLocalServer>
#include <QLocalSocket>
#endif

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

bool Complete(const QByteArray& bytes)
{
    return bytes.endsWith("\n\n") || bytes == "\n";
}

QStringList Decode(const QByteArray& bytes)
{
    QStringList arguments;
    for (const QByteArray& line : bytes.split('\n'))
        if (!line.isEmpty())
            arguments << QString::fromUtf8(line);
    return arguments;
}

constexpr char kTaken = '+';
// A start's message is a few switches; more is not one of ours.
constexpr qsizetype kMaxMessage = 4096;

} // namespace

QString SingleInstance::ServerName()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + QStringLiteral("/Yomari.socket");
}

SingleInstance::SingleInstance(QObject* parent)
    : QObject(parent)
{
}

#ifdef Q_OS_LINUX

namespace {

// The abstract address: a NUL, then the name without an ending NUL.
bool Address(sockaddr_un& address, socklen_t& length)
{
    const QByteArray name = QFile::encodeName(SingleInstance::ServerName());
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (static_cast<size_t>(name.size()) + 1 > sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path + 1, name.constData(), static_cast<size_t>(name.size()));
    length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + static_cast<size_t>(name.size()));
    return true;
}

// An abstract socket has no file permissions: only the same user's program
// is talked to.
bool SameUser(int fd)
{
    ucred peer{};
    socklen_t size = sizeof peer;
    return getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == getuid();
}

class Socket {
public:
    explicit Socket(int fd)
        : m_fd(fd)
    {
    }
    ~Socket()
    {
        if (m_fd >= 0)
            close(m_fd);
    }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    int fd() const { return m_fd; }

private:
    int m_fd;
};

// A connection to the same user's running program, or -1. It does not wait:
// a listener that is there takes the connection into its queue at once.
int Connect()
{
    sockaddr_un address;
    socklen_t length = 0;
    if (!Address(address, length))
        return -1;
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    if (connect(fd, reinterpret_cast<const sockaddr*>(&address), length) != 0 || !SameUser(fd)) {
        close(fd);
        return -1;
    }
    return fd;
}

// Waits until `fd` is ready for `events` or `deadline` has passed.
bool Wait(int fd, short events, std::chrono::steady_clock::time_point deadline)
{
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        pollfd p{fd, events, 0};
        const int ready = poll(&p, 1, static_cast<int>(left.count()));
        if (ready > 0)
            return true;
        if (ready < 0 && errno != EINTR)
            return false;
    }
}

} // namespace

bool SingleInstance::HandOver(const QStringList& arguments, int timeoutMs)
{
    const Socket socket(Connect());
    if (socket.fd() < 0)
        return false; // nothing listens
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    const QByteArray message = Encode(arguments);
    qsizetype sent = 0;
    while (sent < message.size()) {
        const ssize_t n = send(socket.fd(), message.constData() + sent,
                               static_cast<size_t>(message.size() - sent), MSG_NOSIGNAL);
        if (n > 0)
            sent += n;
        else if ((errno != EAGAIN && errno != EINTR) || !Wait(socket.fd(), POLLOUT, deadline))
            return false;
    }
    // A program that accepts but never answers is hung: this start runs on.
    for (;;) {
        char answer = 0;
        const ssize_t n = recv(socket.fd(), &answer, 1, 0);
        if (n == 1)
            return answer == kTaken;
        if (n == 0 || (errno != EAGAIN && errno != EINTR) || !Wait(socket.fd(), POLLIN, deadline))
            return false;
    }
}

bool SingleInstance::Answers(int)
{
    const Socket socket(Connect());
    return socket.fd() >= 0;
}

SingleInstance::~SingleInstance()
{
    for (auto& [fd, connection] : m_connections) {
        delete connection.notifier;
        close(fd);
    }
    delete m_listening;
    if (m_listener >= 0)
        close(m_listener);
}

bool SingleInstance::Listen(std::function<void(const QStringList&)> arrived)
{
    m_arrived = std::move(arrived);
    sockaddr_un address;
    socklen_t length = 0;
    if (!Address(address, length))
        return false;
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    // The name is taken while a program holds it, so a live program keeps
    // it; a killed one has left nothing behind.
    if (bind(fd, reinterpret_cast<const sockaddr*>(&address), length) != 0 || listen(fd, 8) != 0) {
        close(fd);
        return false;
    }
    m_listener = fd;
    m_listening = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(m_listening, &QSocketNotifier::activated, this, [this] { Accept(); });
    return true;
}

void SingleInstance::Accept()
{
    for (;;) {
        const int fd = accept4(m_listener, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0)
            return; // none waiting
        if (!SameUser(fd)) {
            close(fd);
            continue;
        }
        auto* notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
        m_connections[fd] = {notifier, {}};
        connect(notifier, &QSocketNotifier::activated, this, [this, fd] { Receive(fd); });
    }
}

void SingleInstance::Receive(int fd)
{
    const auto it = m_connections.find(fd);
    if (it == m_connections.end())
        return;
    QByteArray& bytes = it->second.bytes;
    bool ended = false;
    for (;;) {
        char buffer[512];
        const ssize_t n = recv(fd, buffer, sizeof buffer, 0);
        if (n > 0) {
            bytes.append(buffer, n);
            if (bytes.size() > kMaxMessage) {
                Drop(fd);
                return;
            }
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            ended = n == 0 || errno != EAGAIN;
            break;
        }
    }
    if (!Complete(bytes)) {
        if (ended)
            Drop(fd);
        return; // more is coming
    }
    const QStringList arguments = Decode(bytes);
    send(fd, &kTaken, 1, MSG_NOSIGNAL);
    Drop(fd);
    m_arrived(arguments);
}

void SingleInstance::Drop(int fd)
{
    const auto it = m_connections.find(fd);
    if (it == m_connections.end())
        return;
    // Called from the notifier's own signal: it goes once that has returned.
    it->second.notifier->setEnabled(false);
    it->second.notifier->deleteLater();
    close(fd);
    m_connections.erase(it);
}

#else

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

bool SingleInstance::Answers(int timeoutMs)
{
    QLocalSocket probe;
    probe.connectToServer(ServerName());
    return probe.waitForConnected(timeoutMs);
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
    if (Answers())
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
                if (!Complete(bytes))
                    return; // more is coming
                socket->readAll();
                socket->write(QByteArray(1, kTaken));
                socket->flush();
                m_arrived(Decode(bytes));
            });
        }
    });
    return true;
}

#endif

} // namespace yomari::app
