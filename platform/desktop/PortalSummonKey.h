#pragma once

#include "platform/KeyChord.h"

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QObject>
#include <QString>
#include <QVariantMap>
#include <optional>

class OrgFreedesktopPortalGlobalShortcutsInterface;

namespace platform {

/// Glyphora's summon key in a Wayland session, where no program may grab a key: the
/// desktop portal's global shortcuts (org.freedesktop.portal.GlobalShortcuts), which
/// the desktop lets the user confirm or change. Nothing where the portal is missing.
class PortalSummonKey final : public QObject
{
    Q_OBJECT
public:
    /// @param busAddress the session bus; empty when there is none
    explicit PortalSummonKey(const QString& busAddress);
    ~PortalSummonKey() override;

    /// Asks for this key in place of the one asked for before; none lets go.
    void bind(const std::optional<KeyChord>& chord);

signals:
    /// The desktop's shortcut was pressed; `platformData` carries its activation token.
    void pressed(const QVariantMap& platformData);
    /// The desktop has no global shortcuts portal, or it refused: `why` says which.
    void unavailable(const QString& why);

private:
    void activated(const QDBusObjectPath& session, const QString& id, qulonglong timestamp,
                   const QVariantMap& options);
    void closeSession();

    QString m_address;
    QDBusConnection m_bus;
    OrgFreedesktopPortalGlobalShortcutsInterface* m_portal = nullptr; ///< a child, made with m_bus
    QString m_session;
    int m_tokens = 0;
    int m_generation = 0; ///< the bind that a portal's answer belongs to
};

} // namespace platform
