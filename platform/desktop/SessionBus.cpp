#include "platform/desktop/SessionBus.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QStringList>
#include <QtGlobal>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace platform {

namespace {
constexpr char kAddressVariable[] = "DBUS_SESSION_BUS_ADDRESS";
// A transport no D-Bus library knows: libdbus and GDBus both refuse it at once.
constexpr char kNoBus[] = "disabled:";
// A live daemon answers the handshake's first line from its event loop within milliseconds,
// even on a loaded machine; the wait adds to the start of a window that finds none.
constexpr int kProbeTimeoutMs = 250;

/// The user's own DBUS_SESSION_BUS_ADDRESS (null when it was unset), kept once hide() has
/// replaced it.
std::optional<QByteArray>& userAddress()
{
    static std::optional<QByteArray> address;
    return address;
}

/// Whether the bus daemon at a local socket answers the first step of the handshake.
/// Connecting through Qt waits for it without a limit a program can set (the D-Bus
/// library's 25 seconds), and a stopped daemon still accepts connections.
bool socketAnswers(const QByteArray& path, bool abstract)
{
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    const qsizetype offset = abstract ? 1 : 0;
    if (path.isEmpty() || path.size() + offset >= qsizetype(sizeof address.sun_path))
        return false;
    memcpy(address.sun_path + offset, path.constData(), size_t(path.size()));
    const auto length =
        socklen_t(offsetof(sockaddr_un, sun_path) + offset + path.size() + (abstract ? 0 : 1));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    bool answered = false;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0) {
        const QByteArray hello = QByteArray(1, '\0') + "AUTH EXTERNAL " +
                                 QByteArray::number(::getuid()).toHex() + "\r\n";
        if (::send(fd, hello.constData(), size_t(hello.size()), MSG_NOSIGNAL) == hello.size()) {
            pollfd wait = {fd, POLLIN, 0};
            const QDeadlineTimer deadline(kProbeTimeoutMs);
            int ready = 0;
            do
                ready = ::poll(&wait, 1, int(deadline.remainingTime()));
            while (ready < 0 && errno == EINTR);
            char reply[64];
            answered = ready > 0 && ::recv(fd, reply, sizeof reply, 0) > 0;
        }
    }
    ::close(fd);
    return answered;
}

/// Whether a bus address leads to a daemon that answers. Only local sockets are tried;
/// other transports are left to the D-Bus library.
bool busAnswers(const QString& address)
{
    for (const QString& entry : address.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        if (!entry.startsWith(QLatin1String("unix:")))
            return true;
        for (const QString& pair : entry.mid(5).split(QLatin1Char(','))) {
            const QByteArray value =
                QByteArray::fromPercentEncoding(pair.section(QLatin1Char('='), 1).toUtf8());
            if (pair.startsWith(QLatin1String("path=")) && socketAnswers(value, false))
                return true;
            if (pair.startsWith(QLatin1String("abstract=")) && socketAnswers(value, true))
                return true;
            if (!pair.startsWith(QLatin1String("path=")) &&
                !pair.startsWith(QLatin1String("abstract=")) &&
                !pair.startsWith(QLatin1String("guid=")))
                return true; // a kind of socket the library finds by itself
        }
    }
    return false;
}
} // namespace

SessionBus SessionBus::find()
{
    SessionBus bus;
    bus.address = findAddress();
    bus.answers = !bus.address.isEmpty() && busAnswers(bus.address);
    return bus;
}

QString SessionBus::findAddress()
{
    const QString address = qEnvironmentVariable(kAddressVariable);
    if (!address.isEmpty())
        return address;
    // Where a systemd user session keeps its bus. Asking the D-Bus library instead could
    // start a bus of its own (X11 autolaunch), which no other program would ever find.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty()) {
        const QString socket = runtime + QStringLiteral("/bus");
        const QFileInfo info(socket);
        if (info.exists() && !info.isFile() && !info.isDir() && info.isWritable())
            return QStringLiteral("unix:path=") + socket;
    }
    return {};
}

void SessionBus::hide()
{
    // Null when unset, which differs from set but empty.
    if (!userAddress())
        userAddress() =
            qEnvironmentVariableIsSet(kAddressVariable) ? qgetenv(kAddressVariable) : QByteArray();
    // Set rather than unset: without the variable, the libraries look for the bus in
    // XDG_RUNTIME_DIR by themselves.
    qputenv(kAddressVariable, kNoBus);
}

UserBusAddress::UserBusAddress()
{
    const std::optional<QByteArray>& address = userAddress();
    if (!address)
        return;
    m_restored = true;
    if (address->isNull())
        qunsetenv(kAddressVariable);
    else
        qputenv(kAddressVariable, *address);
}

UserBusAddress::~UserBusAddress()
{
    if (m_restored)
        qputenv(kAddressVariable, kNoBus);
}

} // namespace platform
