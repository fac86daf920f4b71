#pragma once

// One request to a desktop portal (org.freedesktop.portal.*): the call, then the Response
// signal on the request object it names, which the portal sends once the user or the
// desktop has answered.

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QDBusPendingReply>
#include <QString>
#include <QVariantMap>
#include <functional>

class QObject;

namespace platform {

inline const QString kPortalService = QStringLiteral("org.freedesktop.portal.Desktop");
inline const QString kPortalPath = QStringLiteral("/org/freedesktop/portal/desktop");

/// @param response 0 for yes, 1 when the user declined, 2 for anything else
/// @param error the call's own error, empty when the portal answered
/// @param missing the portal or its interface is not there at all
using PortalAnswer = std::function<void(uint response, const QVariantMap& results,
                                        const QString& error, bool missing)>;
/// The proxy's call that makes the request, with these options; it returns the request's path.
using PortalCall = std::function<QDBusPendingReply<QDBusObjectPath>(const QVariantMap& options)>;

/// Asks the portal; `answer` runs once, unless `context` is gone first.
/// @param token a word unique to this caller's requests, which names the request object
void portalRequest(QDBusConnection bus, QObject* context, const PortalCall& call,
                   QVariantMap options, const QString& token, PortalAnswer answer);

} // namespace platform
