#include "platform/desktop/PortalSummonKey.h"

#include "platform/portal/PortalRequest.h"
#include "platform/portal/PortalShortcut.h"
#include "portal/GlobalShortcutsProxy.h"
#include "portal/SessionProxy.h"

#include <QDBusMetaType>

namespace platform {

namespace {
using GlobalShortcuts = OrgFreedesktopPortalGlobalShortcutsInterface;
const QString kConnectionName = QStringLiteral("glyphora-shortcuts");
const QString kShortcutId = QStringLiteral("summon");
} // namespace

PortalSummonKey::PortalSummonKey(const QString& busAddress)
    : m_address(busAddress), m_bus(QString())
{
    qDBusRegisterMetaType<PortalShortcut>();
    qDBusRegisterMetaType<QList<PortalShortcut>>();
}

PortalSummonKey::~PortalSummonKey()
{
    closeSession();
    if (m_bus.isConnected())
        QDBusConnection::disconnectFromBus(kConnectionName);
}

void PortalSummonKey::closeSession()
{
    if (m_bus.isConnected() && !m_session.isEmpty())
        OrgFreedesktopPortalSessionInterface(kPortalService, m_session, m_bus).Close();
    m_session.clear();
}

void PortalSummonKey::bind(const std::optional<KeyChord>& chord)
{
    const int generation = ++m_generation;
    closeSession();
    if (!chord)
        return;
    if (!m_bus.isConnected() && !m_address.isEmpty()) {
        m_bus = QDBusConnection::connectToBus(m_address, kConnectionName);
        m_portal = new GlobalShortcuts(kPortalService, kPortalPath, m_bus, this);
        connect(m_portal, &GlobalShortcuts::Activated, this, &PortalSummonKey::activated);
    }
    if (!m_bus.isConnected()) {
        emit unavailable(QStringLiteral("there is no session bus"));
        return;
    }
    const auto failed = [this](uint response, const QString& error, bool missing) {
        if (missing)
            emit unavailable(QStringLiteral("the desktop has no portal for global shortcuts"));
        else if (response == 1)
            emit unavailable(QStringLiteral("the desktop's shortcut was declined"));
        else
            emit unavailable(QStringLiteral("the desktop refused the shortcut (%1)")
                                 .arg(error.isEmpty() ? QStringLiteral("no reason given") : error));
    };
    const QVariantMap create{
        {QStringLiteral("session_handle_token"), QStringLiteral("glyphora%1").arg(++m_tokens)}};
    const KeyChord wanted = *chord;
    portalRequest(
        m_bus, this,
        [this](const QVariantMap& options) { return m_portal->CreateSession(options); }, create,
        QStringLiteral("glyphora%1").arg(++m_tokens),
        [this, generation, wanted, failed](uint response, const QVariantMap& results,
                                           const QString& error, bool missing) {
            if (generation != m_generation)
                return;
            if (response != 0 || !error.isEmpty())
                return failed(response, error, missing);
            const QVariant handle = results.value(QStringLiteral("session_handle"));
            m_session = handle.canConvert<QDBusObjectPath>()
                            ? handle.value<QDBusObjectPath>().path()
                            : handle.toString();
            const QList<PortalShortcut> shortcuts{
                {kShortcutId,
                 {{QStringLiteral("description"), QStringLiteral("Summon Glyphora")},
                  {QStringLiteral("preferred_trigger"), keyChordTrigger(wanted)}}}};
            portalRequest(
                m_bus, this,
                [this, shortcuts](const QVariantMap& options) {
                    return m_portal->BindShortcuts(QDBusObjectPath(m_session), shortcuts, QString(),
                                                   options);
                },
                {}, QStringLiteral("glyphora%1").arg(++m_tokens),
                [this, generation, failed](uint response, const QVariantMap&, const QString& error,
                                           bool missing) {
                    if (generation == m_generation && (response != 0 || !error.isEmpty()))
                        failed(response, error, missing);
                });
        });
}

void PortalSummonKey::activated(const QDBusObjectPath& session, const QString& id, qulonglong,
                                const QVariantMap& options)
{
    if (session.path() != m_session || id != kShortcutId)
        return;
    QVariantMap data;
    const QString token = options.value(QStringLiteral("activation_token")).toString();
    if (!token.isEmpty())
        data.insert(QStringLiteral("activation-token"), token);
    emit pressed(data);
}

} // namespace platform
