#include "platform/portal/PortalRequest.h"

#include <QDBusError>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QObject>

namespace platform {

namespace {
bool portalMissing(const QDBusError& error)
{
    return error.type() == QDBusError::ServiceUnknown ||
           error.type() == QDBusError::UnknownObject ||
           error.type() == QDBusError::UnknownInterface ||
           error.type() == QDBusError::UnknownMethod;
}
} // namespace

/// Waits for the Response of one portal request.
class PortalResponse : public QObject
{
    Q_OBJECT
public:
    PortalResponse(PortalAnswer answer, QObject* parent)
        : QObject(parent), m_answer(std::move(answer))
    {}
    void fail(const QString& error, bool missing)
    {
        const PortalAnswer answer = std::move(m_answer);
        deleteLater();
        if (answer)
            answer(2, {}, error, missing);
    }

public slots:
    void Response(uint response, const QVariantMap& results)
    {
        const PortalAnswer answer = std::move(m_answer);
        deleteLater();
        if (answer)
            answer(response, results, {}, false);
    }

private:
    PortalAnswer m_answer;
};

void portalRequest(QDBusConnection bus, QObject* context, const QString& interface,
                   const QString& method, QVariantList arguments, QVariantMap options,
                   const QString& token, PortalAnswer answer)
{
    // The portal answers on a request object whose path it makes from the caller's name and
    // this token; listening there before asking means no answer is missed.
    options.insert(QStringLiteral("handle_token"), token);
    arguments << options;
    const QString path = kPortalPath + QStringLiteral("/request/") +
                         bus.baseService().mid(1).replace(QLatin1Char('.'), QLatin1Char('_')) +
                         QLatin1Char('/') + token;
    auto* response = new PortalResponse(std::move(answer), context);
    bus.connect(kPortalService, path, QStringLiteral("org.freedesktop.portal.Request"),
                QStringLiteral("Response"), response, SLOT(Response(uint, QVariantMap)));
    QDBusMessage call =
        QDBusMessage::createMethodCall(kPortalService, kPortalPath, interface, method);
    call.setArguments(arguments);
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), response);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, response,
                     [bus, response, path](QDBusPendingCallWatcher* finished) mutable {
                         finished->deleteLater();
                         const QDBusPendingReply<QDBusObjectPath> reply = *finished;
                         if (reply.isError()) {
                             response->fail(reply.error().message(), portalMissing(reply.error()));
                         } else if (reply.value().path() != path) {
                             // An older portal makes its own path.
                             bus.connect(kPortalService, reply.value().path(),
                                         QStringLiteral("org.freedesktop.portal.Request"),
                                         QStringLiteral("Response"), response,
                                         SLOT(Response(uint, QVariantMap)));
                         }
                     });
}

} // namespace platform

#include "PortalRequest.moc"
