#pragma once

// One shortcut as the global shortcuts portal takes it, (sa{sv}): the generated proxy
// marshals a list of them.

#include <QDBusArgument>
#include <QMetaType>
#include <QString>
#include <QVariantMap>

namespace platform {

struct PortalShortcut
{
    QString id;
    QVariantMap properties;
};

inline QDBusArgument& operator<<(QDBusArgument& argument, const PortalShortcut& shortcut)
{
    argument.beginStructure();
    argument << shortcut.id << shortcut.properties;
    argument.endStructure();
    return argument;
}

inline const QDBusArgument& operator>>(const QDBusArgument& argument, PortalShortcut& shortcut)
{
    argument.beginStructure();
    argument >> shortcut.id >> shortcut.properties;
    argument.endStructure();
    return argument;
}

} // namespace platform

Q_DECLARE_METATYPE(platform::PortalShortcut)
