#include "platform/desktop/SessionBusInstance.h"

#include <QDBusContext>
#include <QDBusMessage>
#include <QStringList>
#include <QtGlobal>

namespace platform {

namespace {
const QString kName = QStringLiteral("org.example.Glyphora");
const QString kPath = QStringLiteral("/org/example/Glyphora");
const QString kInterface = QStringLiteral("org.freedesktop.Application");
const QString kConnectionName = QStringLiteral("glyphora-instance");
const QString kQuittingError = QStringLiteral("org.example.Glyphora.Error.Quitting");

// The bus daemon answers at once; the running copy answers from its event loop, which a
// modal dialog or the quit pause keep turning. Past these, start as if alone rather
// than leave the user with no window.
constexpr int kBusTimeoutMs = 1000;
constexpr int kActivateTimeoutMs = 2000;

// RequestName's flags and answers.
constexpr uint kDoNotQueue = 4;
constexpr uint kPrimaryOwner = 1;
constexpr uint kAlreadyOwner = 4;

QDBusMessage busCall(const QString& method, const QVariantList& arguments)
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), method);
    call.setArguments(arguments);
    return call;
}
} // namespace

/// The object a later start calls: the freedesktop application interface.
class ApplicationObject : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")
public:
    std::function<void(const QVariantMap&)> handler;
    bool quitting = false;

public slots:
    void Activate(const QVariantMap& platformData) { come(platformData); }
    // Glyphora opens no files; asked to, it comes forward all the same.
    void Open(const QStringList& uris, const QVariantMap& platformData)
    {
        Q_UNUSED(uris);
        come(platformData);
    }
    void ActivateAction(const QString& action, const QVariantList& parameter,
                        const QVariantMap& platformData)
    {
        Q_UNUSED(parameter);
        Q_UNUSED(platformData);
        sendErrorReply(QDBusError::NotSupported,
                       QStringLiteral("Glyphora has no action \"%1\".").arg(action));
    }

private:
    void come(const QVariantMap& platformData)
    {
        if (quitting) {
            sendErrorReply(kQuittingError, QStringLiteral("Glyphora is quitting."));
            return;
        }
        if (handler)
            handler(platformData);
    }
};

SessionBusInstance::SessionBusInstance() : m_bus(QString()) {}

SessionBusInstance::~SessionBusInstance()
{
    if (m_bus.isConnected()) {
        m_bus.unregisterObject(kPath);
        QDBusConnection::disconnectFromBus(kConnectionName);
    }
    delete m_object;
}

QVariantMap SessionBusInstance::startupPlatformData()
{
    QVariantMap data;
    const QString startupId = qEnvironmentVariable("DESKTOP_STARTUP_ID");
    if (!startupId.isEmpty())
        data.insert(QStringLiteral("desktop-startup-id"), startupId);
    const QString token = qEnvironmentVariable("XDG_ACTIVATION_TOKEN");
    if (!token.isEmpty())
        data.insert(QStringLiteral("activation-token"), token);
    return data;
}

SessionBusInstance::Role SessionBusInstance::start(const SessionBus& bus,
                                                   const QVariantMap& platformData)
{
    if (!bus.answers)
        return Role::Alone;
    m_bus = QDBusConnection::connectToBus(bus.address, kConnectionName);
    if (!m_bus.isConnected())
        return Role::Alone;

    // The object is in place before the name, so a start that finds the name finds the
    // object too.
    m_object = new ApplicationObject;
    if (!m_bus.registerObject(kPath, m_object, QDBusConnection::ExportAllSlots))
        return Role::Alone;

    const QDBusMessage answer = m_bus.call(
        busCall(QStringLiteral("RequestName"), {kName, kDoNotQueue}), QDBus::Block, kBusTimeoutMs);
    if (answer.type() != QDBusMessage::ReplyMessage || answer.arguments().isEmpty())
        return Role::Alone;
    const uint result = answer.arguments().constFirst().toUInt();
    if (result == kPrimaryOwner || result == kAlreadyOwner) {
        m_owner = true;
        return Role::First;
    }

    QDBusMessage activate =
        QDBusMessage::createMethodCall(kName, kPath, kInterface, QStringLiteral("Activate"));
    activate.setArguments({platformData});
    const QDBusMessage reply = m_bus.call(activate, QDBus::Block, kActivateTimeoutMs);
    if (reply.type() == QDBusMessage::ReplyMessage)
        return Role::HandedOver;

    // The owner is quitting or hung. Wait in the bus's queue: when it leaves, this copy
    // owns the name without asking again.
    qWarning("Glyphora is running already but did not come forward (%s); this start opens a "
             "window of its own.",
             qPrintable(reply.errorMessage()));
    m_owner = true;
    m_bus.call(busCall(QStringLiteral("RequestName"), {kName, 0u}), QDBus::NoBlock);
    return Role::Unanswered;
}

void SessionBusInstance::setActivationHandler(std::function<void(const QVariantMap&)> handler)
{
    if (m_object)
        m_object->handler = std::move(handler);
}

void SessionBusInstance::release()
{
    if (m_object)
        m_object->quitting = true;
    if (m_owner && m_bus.isConnected())
        m_bus.call(busCall(QStringLiteral("ReleaseName"), {kName}), QDBus::NoBlock);
    m_owner = false;
}

} // namespace platform

#include "SessionBusInstance.moc"
