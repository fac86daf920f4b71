#include "platform/typing/portal/PortalTextInserter.h"

#include "platform/SettingsStore.h"
#include "platform/portal/PortalRequest.h"
#include "platform/typing/TypingPlan.h"
#include "portal/PropertiesProxy.h"
#include "portal/RemoteDesktopProxy.h"
#include "portal/SessionProxy.h"

#include <QClipboard>
#include <QDBusError>
#include <QDBusPendingCallWatcher>
#include <QDBusServiceWatcher>
#include <QGuiApplication>
#include <QMimeData>
#include <QTimer>
#include <exception>

namespace platform {

namespace {
using RemoteDesktop = OrgFreedesktopPortalRemoteDesktopInterface;
using Session = OrgFreedesktopPortalSessionInterface;
const QString kConnectionName = QStringLiteral("glyphora-portal");

constexpr uint kKeyboardDevice = 1;
constexpr uint kCancelled = 1;
// Kept until the user takes the permission back in the desktop's settings.
constexpr uint kPersistUntilRevoked = 2;
constexpr std::uint32_t kControlL = 0xffe3;
constexpr std::uint32_t kV = 0x76;
// The compositor gives the keyboard to another window as soon as Glyphora's is minimised;
// about half a second is long enough to be sure it will not.
constexpr int kKeyboardPolls = 50;
constexpr int kKeyboardPollMs = 10;
// A program reads the clipboard when it handles the paste keystroke, a moment after it.
constexpr int kClipboardBackMs = 1000;

/// Every format of what the clipboard holds, to be put back as it was; the caller owns it.
QMimeData* copyOf(const QMimeData* data)
{
    auto* copy = new QMimeData;
    if (data) {
        for (const QString& format : data->formats())
            copy->setData(format, data->data(format));
    }
    return copy;
}

} // namespace

struct PortalTextInserter::Pending
{
    QList<std::uint32_t> keysyms;
    bool paste = false;
    /// A face pasted in place of typed: what it put on the clipboard, and what the user had
    /// there before, put back once the window typed into has taken it.
    QString pasted;
    std::shared_ptr<QMimeData> before;
    std::function<void()> stepAside;
    Done done;
    int unanswered = 0;
};

PortalTextInserter::PortalTextInserter(const QString& busAddress, SettingsStore* settings)
    : m_address(busAddress), m_settings(settings), m_bus(QString())
{}

QString PortalTextInserter::storedToken() const
{
    return m_settings ? m_settings->GetSetting(kSettingsApp, kSettingsSection, kPortalTokenSetting)
                      : QString();
}

void PortalTextInserter::storeToken(const QString& token)
{
    if (!m_settings || storedToken() == token)
        return;
    try {
        m_settings->SaveSetting(kSettingsApp, kSettingsSection, kPortalTokenSetting, token);
    } catch (const std::exception&) {
        // Without it the desktop asks again at the next run, as a portal of version 1 does.
    }
}

PortalTextInserter::~PortalTextInserter()
{
    if (m_bus.isConnected()) {
        if (!m_session.isEmpty())
            Session(kPortalService, m_session, m_bus).Close();
        QDBusConnection::disconnectFromBus(kConnectionName);
    }
}

TextInserter::Target PortalTextInserter::target() const
{
    return m_state == State::Refused || m_state == State::Unavailable ? Target::None : Target::Any;
}

void PortalTextInserter::insert(const Request& request, Done done)
{
    if (m_pending) {
        done({Outcome::Busy, {}});
        return;
    }
    if (target() == Target::None) {
        done({Outcome::NoTarget, {}});
        return;
    }
    auto pending = std::make_unique<Pending>();
    if (request.paste) {
        pending->paste = true;
    } else {
        std::optional<QList<std::uint32_t>> keysyms = keysymsForText(request.text);
        if (!keysyms) {
            done({Outcome::NotTypeable, {}});
            return;
        }
        if (std::optional<KeyboardLayout> layout = m_layout ? m_layout() : std::nullopt) {
            // Only what the layout's own keys give: there is no key to lend through a portal.
            // The rest is pasted, if Ctrl+V can be pressed.
            layout->spareKeycodes.clear();
            const TypingPlan plan = planTyping(request.text, *layout);
            if (!plan.complete && !planPaste(*layout).complete) {
                done({Outcome::NotTypeable,
                      QStringLiteral("your keyboard layout has no key for \u201C%1\u201D, and the "
                                     "desktop types only what it has")
                          .arg(QString::fromUcs4(&plan.missing, 1))});
                return;
            }
            if (!plan.complete)
                pending->pasted = request.text;
        }
        pending->keysyms = *std::move(keysyms);
        if (!pending->pasted.isEmpty()) {
            // Now, while Glyphora's window has the keyboard: the desktop lets the program
            // the user is in set the clipboard.
            QClipboard* clipboard = QGuiApplication::clipboard();
            pending->before.reset(copyOf(clipboard->mimeData()));
            clipboard->setText(pending->pasted);
            pending->paste = true;
        }
    }
    pending->stepAside = request.stepAside;
    pending->done = std::move(done);
    m_pending = std::move(pending);
    if (m_state == State::Ready)
        sessionStarted();
    else if (m_state == State::NoSession)
        startSession();
}

void PortalTextInserter::startSession()
{
    if (!m_bus.isConnected() && !m_address.isEmpty()) {
        m_bus = QDBusConnection::connectToBus(m_address, kConnectionName);
        m_portal = new RemoteDesktop(kPortalService, kPortalPath, m_bus, this);
        // A portal that restarts has forgotten the session: the next insert makes another.
        auto* watcher = new QDBusServiceWatcher(kPortalService, m_bus,
                                                QDBusServiceWatcher::WatchForUnregistration, this);
        connect(watcher, &QDBusServiceWatcher::serviceUnregistered, this,
                [this] { sessionLost(); });
    }
    if (!m_bus.isConnected()) {
        m_state = State::Unavailable;
        finish({Outcome::NoTarget, {}});
        return;
    }
    m_state = State::Starting;
    m_sentToken = false;
    request(
        [this](const QVariantMap& options) { return m_portal->CreateSession(options); },
        {{QStringLiteral("session_handle_token"), QStringLiteral("glyphora%1").arg(++m_tokens)}},
        [this](uint response, const QVariantMap& results, const QString& error) {
            if (response != 0 || !error.isEmpty())
                return refused(response, error);
            const QVariant handle = results.value(QStringLiteral("session_handle"));
            m_session = handle.canConvert<QDBusObjectPath>()
                            ? handle.value<QDBusObjectPath>().path()
                            : handle.toString();
            // Only this session's end counts: one left behind may end later.
            connect(new Session(kPortalService, m_session, m_bus, this), &Session::Closed, this,
                    [this, session = m_session] {
                        if (session == m_session)
                            sessionLost();
                    });
            // Whether the portal can remember the permission: version 2 and later.
            auto* watcher = new QDBusPendingCallWatcher(
                OrgFreedesktopDBusPropertiesInterface(kPortalService, kPortalPath, m_bus)
                    .Get(RemoteDesktop::staticInterfaceName(), QStringLiteral("version")),
                this);
            connect(watcher, &QDBusPendingCallWatcher::finished, this,
                    [this](QDBusPendingCallWatcher* finished) {
                        finished->deleteLater();
                        const QDBusPendingReply<QDBusVariant> reply = *finished;
                        selectDevices(reply.isError() ? 1 : reply.value().variant().toUInt());
                    });
        });
}

void PortalTextInserter::selectDevices(uint version)
{
    if (m_state != State::Starting)
        return;
    QVariantMap devices;
    devices.insert(QStringLiteral("types"), QVariant::fromValue(kKeyboardDevice));
    m_sentToken = false;
    if (version >= 2) {
        devices.insert(QStringLiteral("persist_mode"), QVariant::fromValue(kPersistUntilRevoked));
        if (const QString token = storedToken(); !token.isEmpty()) {
            devices.insert(QStringLiteral("restore_token"), token);
            m_sentToken = true;
        }
    }
    request(
        [this](const QVariantMap& options) {
            return m_portal->SelectDevices(QDBusObjectPath(m_session), options);
        },
        devices,
        [this](uint response, const QVariantMap&, const QString& error) {
            if (response != 0 || !error.isEmpty())
                return refused(response, error);
            request(
                [this](const QVariantMap& options) {
                    return m_portal->Start(QDBusObjectPath(m_session), QString(), options);
                },
                {},
                [this](uint response, const QVariantMap& results, const QString& error) {
                    if (response != 0 || !error.isEmpty())
                        return refused(response, error);
                    // A token serves once: the next run needs the new one.
                    const QString token = results.value(QStringLiteral("restore_token")).toString();
                    if (!token.isEmpty())
                        storeToken(token);
                    m_state = State::Ready;
                    sessionStarted();
                });
        });
}

void PortalTextInserter::refused(uint response, const QString& error)
{
    // A token the portal no longer honours: asked again, once, without it.
    if (m_sentToken && response != kCancelled) {
        storeToken(QString());
        m_session.clear();
        m_state = State::NoSession;
        startSession();
        return;
    }
    if (response == kCancelled) {
        m_state = State::Refused;
        storeToken(QString());
    } else if (m_state == State::Starting) {
        m_state = State::NoSession;
    }
    m_session.clear();
    if (!error.isEmpty())
        qWarning("Glyphora cannot type through the desktop portal: %s", qPrintable(error));
    finish({Outcome::NoTarget, {}});
}

void PortalTextInserter::request(const PortalCall& call, QVariantMap options, Then then)
{
    portalRequest(m_bus, this, call, std::move(options),
                  QStringLiteral("glyphora%1").arg(++m_tokens),
                  [this, then](uint response, const QVariantMap& results, const QString& error,
                               bool missing) {
                      if (missing)
                          m_state = State::Unavailable;
                      then(response, results, error);
                  });
}

void PortalTextInserter::sessionStarted()
{
    if (!m_pending)
        return;
    // The compositor gives the keyboard back to the window the user came from once
    // Glyphora's own is out of the way.
    if (m_pending->stepAside)
        m_pending->stepAside();
    awaitKeyboard(kKeyboardPolls);
}

void PortalTextInserter::awaitKeyboard(int pollsLeft)
{
    if (!m_pending)
        return;
    if (!QGuiApplication::focusWindow()) {
        sendKeys();
        return;
    }
    // Never type into Glyphora's own window ("On Top" keeps it, for one).
    if (pollsLeft == 0) {
        finish({Outcome::NoTarget, {}});
        return;
    }
    QTimer::singleShot(kKeyboardPollMs, this, [this, pollsLeft] { awaitKeyboard(pollsLeft - 1); });
}

void PortalTextInserter::sendKeys()
{
    QList<std::pair<std::uint32_t, bool>> keys;
    if (m_pending->paste) {
        keys = {{kControlL, true}, {kV, true}, {kV, false}, {kControlL, false}};
    } else {
        for (std::uint32_t keysym : std::as_const(m_pending->keysyms))
            keys << std::pair{keysym, true} << std::pair{keysym, false};
    }
    if (keys.isEmpty()) {
        finish({Outcome::Inserted, {}});
        return;
    }
    m_pending->unanswered = int(keys.size());
    Pending* pending = m_pending.get();
    for (const auto& [keysym, press] : keys) {
        auto* watcher = new QDBusPendingCallWatcher(
            m_portal->NotifyKeyboardKeysym(QDBusObjectPath(m_session), {}, int(keysym),
                                           uint(press)),
            this);
        connect(watcher, &QDBusPendingCallWatcher::finished, this,
                [this, pending](QDBusPendingCallWatcher* finished) {
                    finished->deleteLater();
                    if (m_pending.get() != pending)
                        return;
                    if (finished->isError()) {
                        finish({Outcome::Failed,
                                QStringLiteral("The desktop stopped taking Glyphora's typing:\n%1")
                                    .arg(finished->error().message())});
                        dropSession();
                    } else if (--pending->unanswered == 0) {
                        finish({Outcome::Inserted, {}});
                    }
                });
    }
}

void PortalTextInserter::dropSession()
{
    m_session.clear();
    if (m_state == State::Ready)
        m_state = State::NoSession;
}

void PortalTextInserter::sessionLost()
{
    dropSession();
    if (m_pending && m_pending->unanswered > 0)
        finish({Outcome::Failed,
                QStringLiteral("The desktop ended Glyphora's typing session before it was done.")});
}

void PortalTextInserter::finish(const Result& result)
{
    if (!m_pending)
        return;
    const std::unique_ptr<Pending> pending = std::move(m_pending);
    if (pending->before && result.outcome == Outcome::Inserted) {
        // The user's clipboard back, unless they have copied something else meanwhile.
        QTimer::singleShot(kClipboardBackMs, qGuiApp,
                           [pasted = pending->pasted, before = pending->before] {
                               QClipboard* clipboard = QGuiApplication::clipboard();
                               if (clipboard->text() == pasted)
                                   clipboard->setMimeData(copyOf(before.get()));
                           });
    }
    if (pending->done)
        pending->done(result);
}

bool PortalTextInserter::returnKeyboard(std::uint32_t)
{
    // A Wayland compositor hands the keyboard back itself once Glyphora steps aside.
    return false;
}

} // namespace platform
