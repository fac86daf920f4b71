#include "platform/desktop/PortalSummonKey.h"

#include "platform/portal/PortalRequest.h"
#include "platform/portal/PortalShortcut.h"

#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>

namespace platform {

namespace {
const QString kGlobalShortcuts = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
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
        m_bus.call(QDBusMessage::createMethodCall(kPortalService, m_session,
                                                  QStringLiteral("org.freedesktop.portal.Session"),
                                                  QStringLiteral("Close")),
                   QDBus::NoBlock);
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
        m_bus.connect(kPortalService, kPortalPath, kGlobalShortcuts, QStringLiteral("Activated"),
                      this, SLOT(Activated(QDBusObjectPath, QString, qulonglong, QVariantMap)));
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
    QVariantMap options;
    options.insert(QStringLiteral("session_handle_token"),
                   QStringLiteral("glyphora%1").arg(++m_tokens));
    const KeyChord wanted = *chord;
    portalRequest(m_bus, this, kGlobalShortcuts, QStringLiteral("CreateSession"), {}, options,
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
                      portalRequest(m_bus, this, kGlobalShortcuts, QStringLiteral("BindShortcuts"),
                                    {QVariant::fromValue(QDBusObjectPath(m_session)),
                                     QVariant::fromValue(shortcuts), QString()},
                                    {}, QStringLiteral("glyphora%1").arg(++m_tokens),
                                    [this, generation, failed](uint response, const QVariantMap&,
                                                               const QString& error, bool missing) {
                                        if (generation == m_generation &&
                                            (response != 0 || !error.isEmpty()))
                                            failed(response, error, missing);
                                    });
                  });
}

void PortalSummonKey::Activated(const QDBusObjectPath& session, const QString& id, qulonglong,
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
