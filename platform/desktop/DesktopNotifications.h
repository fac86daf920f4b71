#pragma once

#include "platform/Notifications.h"

#include <QObject>
#include <optional>

namespace platform {

/// org.freedesktop.Notifications on the session bus, asked without waiting.
class DesktopNotifications final : public QObject, public Notifications
{
    Q_OBJECT
public:
    void Notify(const QString& summary, const QString& body) override;

private:
    void send(const QString& summary, const QString& body);

    std::optional<bool> m_markup; ///< whether the service reads the body as markup
    uint m_shown = 0;             ///< the notification to replace, 0 for none
};

} // namespace platform
