#pragma once

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

// A real, small file system for tests of what happens when the disk is
// full: a tmpfs mounted on a temporary folder for the lifetime of the
// object (root may mount in most containers; elsewhere Reason() says why it
// could not). Fill() then takes up every free byte.
class SmallDisk
{
public:
    explicit SmallDisk(qint64 bytes = 1024 * 1024)
    {
        if (!m_folder.isValid()) {
            m_reason = QStringLiteral("no temporary folder");
            return;
        }
        const QByteArray options = "size=" + QByteArray::number(bytes);
        if (::mount("tmpfs", QFile::encodeName(m_folder.path()).constData(), "tmpfs",
                    MS_NOSUID | MS_NODEV, options.constData()) != 0) {
            m_reason = QStringLiteral("cannot mount a tmpfs (") +
                       QString::fromLocal8Bit(std::strerror(errno)) +
                       QStringLiteral("); run as root to test a full disk");
            return;
        }
        m_mounted = true;
    }

    ~SmallDisk()
    {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_folder.path()).constData(), MNT_DETACH);
    }

    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

    bool IsMounted() const { return m_mounted; }
    QString Reason() const { return m_reason; }
    QString FilePath(const QString &name) const { return QDir(m_folder.path()).filePath(name); }
    // Names of the files on the disk, the filler included, sorted.
    QStringList Files() const
    {
        return QDir(m_folder.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

    // Writes the file "filler" until the file system refuses more; true
    // when it refused with "no space".
    bool Fill() const
    {
        const int fd = ::open(QFile::encodeName(FilePath(QStringLiteral("filler"))).constData(),
                              O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (fd < 0)
            return false;
        const QByteArray block(64 * 1024, 'f');
        bool full = false;
        for (;;) {
            const ssize_t written = ::write(fd, block.constData(), size_t(block.size()));
            if (written < 0) {
                full = errno == ENOSPC;
                break;
            }
        }
        ::close(fd);
        return full;
    }

private:
    QTemporaryDir m_folder;
    QString m_reason;
    bool m_mounted = false;
};
