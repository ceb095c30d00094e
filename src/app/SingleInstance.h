#pragma once

#include <QObject>
#include <QStringList>

#include <functional>

class QLocalServer;

namespace yomari::app {

// One running program per user: a later start hands its command line to the
// running one through a local socket and ends.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    // The socket's path: in the user's runtime folder, so per user.
    static QString ServerName();

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
    QLocalServer* m_server = nullptr;
    std::function<void(const QStringList&)> m_arrived;
};

} // namespace yomari::app
