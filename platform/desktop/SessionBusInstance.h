#pragma once

#include "platform/desktop/SessionBus.h"

#include <QDBusConnection>
#include <QObject>
#include <QVariantMap>
#include <functional>

namespace platform {

class ApplicationObject;

/// Keeps Glyphora to one copy per session. The first copy owns the name
/// org.example.Glyphora on the session bus and answers the freedesktop
/// org.freedesktop.Application interface at /org/example/Glyphora; a later start asks
/// that copy to come forward and ends. Without a session bus that answers, every start runs
/// on its own.
class SessionBusInstance
{
public:
    enum class Role {
        Alone,      ///< no session bus that answers, or it would not give out names: run as
                    ///< usual
        First,      ///< this copy owns the name and answers later starts
        HandedOver, ///< the running copy came forward: end this one
        Unanswered, ///< the running copy did not answer: run as usual, and take the name
                    ///< over when that copy leaves
    };

    SessionBusInstance();
    ~SessionBusInstance();
    SessionBusInstance(const SessionBusInstance&) = delete;
    SessionBusInstance& operator=(const SessionBusInstance&) = delete;

    /// Takes the name, or asks its owner to come forward.
    /// @param bus the session bus as start-up found it
    /// @param platformData what the window manager needs to let the running copy take the
    ///        focus (from startupPlatformData())
    Role start(const SessionBus& bus, const QVariantMap& platformData);

    /// What a later start asked for runs here, with that start's platform data.
    void setActivationHandler(std::function<void(const QVariantMap&)> handler);

    /// Gives up the name as the program begins to quit, so that a start during the pause
    /// before the end opens a window of its own instead of calling on one about to close.
    void release();

    /// The launch's startup notification ID and Wayland activation token. Read them
    /// before the application object exists: the window system plugin takes them out of
    /// the environment.
    static QVariantMap startupPlatformData();

private:
    QDBusConnection m_bus;
    ApplicationObject* m_object = nullptr;
    bool m_owner = false;
};

} // namespace platform
