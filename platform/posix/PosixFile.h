#pragma once

// What the reading and the writing of whole files share on this system: the reasons in
// words, and a descriptor that is closed however its user leaves.

#include <QString>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace platform::posix {

inline QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::generic_category().message(error));
}

inline void setError(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
}

inline QString kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("a folder");
    if (S_ISFIFO(mode))
        return QStringLiteral("a named pipe");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("a device");
    if (S_ISSOCK(mode))
        return QStringLiteral("a socket");
    return QStringLiteral("not a file");
}

inline QString notRegular(mode_t mode, const char* consequence)
{
    return QStringLiteral("It is %1, not a regular file; %2.")
        .arg(kindOf(mode), QLatin1StringView(consequence));
}

class Descriptor
{
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }
    /// Closes now, so that a late write error (some file systems report a full disk only
    /// here) is not lost. @return 0 or the error
    int close()
    {
        const int fd = m_fd;
        m_fd = -1;
        return fd >= 0 && ::close(fd) != 0 ? errno : 0;
    }

private:
    int m_fd;
};

} // namespace platform::posix
