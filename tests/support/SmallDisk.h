#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <cerrno>
#include <cstring>
#include <sys/mount.h>

namespace testsupport {

// A file system of a few pages mounted on a folder, to be filled up: a
// full disk for real. Mounting needs root; where it is refused, Mounted() is
// false and Why() says why, so that a test can skip.
class SmallDisk {
public:
    explicit SmallDisk(const QString& folder, int kilobytes = 64)
        : m_folder(folder)
    {
        QDir().mkpath(folder);
        const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k";
        if (::mount("tmpfs", folder.toLocal8Bit().constData(), "tmpfs", 0, options.constData()) == 0)
            m_mounted = true;
        else
            m_why = QStringLiteral("mounting a tmpfs was refused: ") +
                    QString::fromLocal8Bit(std::strerror(errno));
    }
    ~SmallDisk()
    {
        if (m_mounted)
            ::umount2(m_folder.toLocal8Bit().constData(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool Mounted() const { return m_mounted; }
    QString Why() const { return m_why; }

    // Writes a filler file until the file system refuses another byte.
    void Fill() const
    {
        QFile f(Filler());
        f.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        const QByteArray block(4096, 'x');
        while (f.write(block) == block.size()) {
        }
        while (f.write("x", 1) == 1) {
        }
    }
    void Free() const { QFile::remove(Filler()); }
    QString Filler() const { return m_folder + QStringLiteral("/filler"); }

private:
    QString m_folder;
    bool m_mounted = false;
    QString m_why;
};

} // namespace testsupport
