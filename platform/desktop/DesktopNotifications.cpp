#include "platform/desktop/DesktopNotifications.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

namespace platform {

namespace {
const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");

/// Calls a method of the service; `answered` runs with the reply, or with an error where
/// there is no service or it broke off. The window never waits for it.
template <typename Answered> void ask(QObject* context, const QDBusMessage& call, Answered answered)
{
    auto* watcher =
        new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call), context);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context,
                     [watcher, answered](QDBusPendingCallWatcher*) {
                         answered(QDBusMessage(watcher->reply()));
                         watcher->deleteLater();
                     });
}
} // namespace

void DesktopNotifications::Notify(const QString& summary, const QString& body)
{
    if (!QDBusConnection::sessionBus().isConnected())
        return;
    if (m_markup) {
        send(summary, body);
        return;
    }
    // A service that reads markup would take a '<' or '&' in a file name for a tag.
    ask(this,
        QDBusMessage::createMethodCall(kService, kPath, kService,
                                       QStringLiteral("GetCapabilities")),
        [this, summary, body](const QDBusMessage& reply) {
            if (reply.type() == QDBusMessage::ErrorMessage)
                return;
            m_markup =
                reply.arguments().value(0).toStringList().contains(QStringLiteral("body-markup"));
            send(summary, body);
        });
}

void DesktopNotifications::send(const QString& summary, const QString& body)
{
    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("Notify"));
    const QVariantMap hints{
        {QStringLiteral("desktop-entry"), QStringLiteral("org.example.Glyphora")},
        {QStringLiteral("urgency"), QVariant::fromValue(uchar(1))}};
    call << QStringLiteral("Glyphora") << m_shown << QStringLiteral("org.example.Glyphora")
         << summary << (*m_markup ? body.toHtmlEscaped() : body) << QStringList() << hints
         << int(-1);
    ask(this, call, [this](const QDBusMessage& reply) {
        if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty())
            m_shown = reply.arguments().constFirst().toUInt();
    });
}

} // namespace platform
