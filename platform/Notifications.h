#pragma once

#include <QString>

namespace platform {

/// The desktop's notifications: a word to the user that takes neither the focus nor the
/// keyboard, for what Glyphora noticed on its own while the user may be typing elsewhere.
class Notifications
{
public:
    virtual ~Notifications() = default;
    /// Shows the notification in place of the one shown before, if any; nothing where the
    /// desktop has no notification service. Never waits for the desktop.
    virtual void Notify(const QString& summary, const QString& body) = 0;
};

} // namespace platform
