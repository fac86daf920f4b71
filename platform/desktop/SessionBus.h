#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace platform {

/// The session bus as the window's start finds it, before the application object exists.
///
/// A bus whose daemon accepts connections but does not answer (stopped, or hung) holds up
/// every library in the process that uses it, without a limit: Qt's screen-reader bridge,
/// its global menu, GTK's services. They all find the bus through DBUS_SESSION_BUS_ADDRESS,
/// so hiding it there keeps them all off it, for this process only.
struct SessionBus
{
    QString address;      ///< empty when there is none
    bool answers = false; ///< its daemon answered the first step of the handshake in time

    /// Finds the bus and asks its daemon for an answer; waits a quarter second at most.
    static SessionBus find();

    /// The session bus's address: DBUS_SESSION_BUS_ADDRESS, else the user bus socket in
    /// XDG_RUNTIME_DIR, else empty. Nothing is launched to find one.
    static QString findAddress();

    /// Hides the session bus from every library in this process for its whole run: they
    /// then fail at once instead of waiting. Programs started within a UserBusAddress still
    /// get the user's own address. Call it while no other thread reads the environment,
    /// before the application object exists.
    static void hide();
};

/// While it lives, DBUS_SESSION_BUS_ADDRESS is the user's own again, so that a program
/// Glyphora starts finds the session's bus even where Glyphora hid it from itself. Live
/// only for the start of a program, on the thread that starts programs.
class UserBusAddress
{
public:
    UserBusAddress();
    ~UserBusAddress();
    UserBusAddress(const UserBusAddress&) = delete;
    UserBusAddress& operator=(const UserBusAddress&) = delete;

private:
    bool m_restored = false;
};

} // namespace platform
