#pragma once

#include "platform/portal/PortalRequest.h"
#include "platform/typing/TextInserter.h"
#include "platform/typing/TypingPlan.h"

#include <QDBusConnection>
#include <QObject>
#include <QVariantMap>
#include <functional>
#include <memory>
#include <optional>

class OrgFreedesktopPortalRemoteDesktopInterface;

namespace platform {

class SettingsStore;

/// Types through the desktop's portal (org.freedesktop.portal.RemoteDesktop) where the
/// window the user came from cannot be reached through X11: a Wayland session. The remote
/// session is made on the first insert (the desktop asks the user once) and kept for the
/// run. A portal of version 2 or later is asked to remember the permission, and the token it
/// gives is kept in the settings, so that the user is asked once, not at every run.
/// Glyphora steps aside first, so that the compositor gives the keyboard back to the
/// window the user came from, then sends the text as keysyms.
class PortalTextInserter final : public QObject, public TextInserter
{
public:
    /// @param busAddress the session bus; empty when there is none
    /// @param settings where the portal's token is kept; null: asked at every run
    explicit PortalTextInserter(const QString& busAddress, SettingsStore* settings = nullptr);
    ~PortalTextInserter() override;

    Target target() const override;
    void insert(const Request& request, Done done) override;
    bool returnKeyboard(std::uint32_t userTime) override;

    /// The keyboard layout in force, where it can be read. A desktop may drop keysyms its
    /// layout lacks while saying they were typed, so a face with such a character is not
    /// typed at all, and is copied instead.
    using LayoutReader = std::function<std::optional<KeyboardLayout>()>;
    void setLayoutReader(LayoutReader reader) { m_layout = std::move(reader); }

private:
    enum class State {
        NoSession,
        Starting,
        Ready,
        Refused,     ///< the user said no: not asked again this run
        Unavailable, ///< no session bus or no portal
    };
    struct Pending;
    using Then =
        std::function<void(uint response, const QVariantMap& results, const QString& error)>;

    void startSession();
    void selectDevices(uint version);
    /// The portal said no, or broke off, while the session was being made.
    void refused(uint response, const QString& error);
    QString storedToken() const;
    void storeToken(const QString& token);
    void request(const PortalCall& call, QVariantMap options, Then then);
    void sessionStarted();
    void awaitKeyboard(int triesLeft);
    void sendKeys();
    void finish(const Result& result);
    void dropSession();
    void sessionLost();

    QString m_address;
    SettingsStore* m_settings = nullptr;
    LayoutReader m_layout;
    bool m_sentToken = false; ///< the session was asked for with a stored token
    QDBusConnection m_bus;
    OrgFreedesktopPortalRemoteDesktopInterface* m_portal = nullptr; ///< a child, made with m_bus
    State m_state = State::NoSession;
    QString m_session;
    int m_tokens = 0;
    std::unique_ptr<Pending> m_pending;
};

} // namespace platform
