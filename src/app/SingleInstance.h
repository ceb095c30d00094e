#pragma once

#include <QObject>
#include <QStringList>

#include <functional>
#include <map>

class QLocalServer;
class QSocketNotifier;

namespace yomari::app {

// One running program per user: a later start hands its command line to the
// running one through a local socket and ends.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    // The socket's name: the path of a socket in the user's runtime folder,
    // so per user. On Linux it names an abstract socket, which ends with the
    // program that holds it, killed or not; elsewhere it is a file.
    static QString ServerName();

    // Whether a running program answers on the socket.
    static bool Answers(int timeoutMs = 500);

    // Passes `arguments` to the running program. True when it took them and
    // this start should end; false when none runs.
    static bool HandOver(const QStringList& arguments, int timeoutMs = 3000);

    explicit SingleInstance(QObject* parent = nullptr);
    ~SingleInstance() override;

    // Listens for later starts, calling `arrived` with each one's arguments.
    // A socket left by a program that was killed is removed first. False
    // when listening failed; the program then runs on alone.
    bool Listen(std::function<void(const QStringList&)> arrived);

private:
    std::function<void(const QStringList&)> m_arrived;
#ifdef Q_OS_LINUX
    // Plain sockets: QtNetwork and what it loads would add a tenth to the
    // start-up time.
    void Accept();
    void Receive(int fd);
    void Drop(int fd);
    int m_listener = -1;
    QSocketNotifier* m_listening = nullptr;
    struct Connection {
        QSocketNotifier* notifier;
        QByteArray bytes;
    };
    std::map<int, Connection> m_connections;
#else
    QLocalServer* m_server = nullptr;
#endif
};

} // namespace yomari::app
