#include "platform/portal/PortalRequest.h"

#include "portal/RequestProxy.h"

#include <QDBusError>
#include <QDBusPendingCallWatcher>
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

/// Waits for the Response of one portal request.
class PortalResponse : public QObject
{
public:
    PortalResponse(PortalAnswer answer, QObject* parent)
        : QObject(parent), m_answer(std::move(answer))
    {}
    void listen(const QDBusConnection& bus, const QString& path)
    {
        auto* request = new OrgFreedesktopPortalRequestInterface(kPortalService, path, bus, this);
        connect(request, &OrgFreedesktopPortalRequestInterface::Response, this,
                [this](uint response, const QVariantMap& results) {
                    give(response, results, {}, false);
                });
    }
    void give(uint response, const QVariantMap& results, const QString& error, bool missing)
    {
        const PortalAnswer answer = std::move(m_answer);
        deleteLater();
        if (answer)
            answer(response, results, error, missing);
    }

private:
    PortalAnswer m_answer;
};
} // namespace

void portalRequest(QDBusConnection bus, QObject* context, const PortalCall& call,
                   QVariantMap options, const QString& token, PortalAnswer answer)
{
    // The portal answers on a request object whose path it makes from the caller's name and
    // this token; listening there before asking means no answer is missed.
    options.insert(QStringLiteral("handle_token"), token);
    const QString path = kPortalPath + QStringLiteral("/request/") +
                         bus.baseService().mid(1).replace(QLatin1Char('.'), QLatin1Char('_')) +
                         QLatin1Char('/') + token;
    auto* response = new PortalResponse(std::move(answer), context);
    response->listen(bus, path);
    auto* watcher = new QDBusPendingCallWatcher(call(options), response);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, response,
                     [bus, response, path](QDBusPendingCallWatcher* finished) {
                         finished->deleteLater();
                         const QDBusPendingReply<QDBusObjectPath> reply = *finished;
                         if (reply.isError()) {
                             response->give(2, {}, reply.error().message(),
                                            portalMissing(reply.error()));
                         } else if (reply.value().path() != path) {
                             // An older portal makes its own path.
                             response->listen(bus, reply.value().path());
                         }
                     });
}

} // namespace platform
