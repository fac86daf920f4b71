#pragma once

// Finding and starting the system's information tool through the registry.

#include "platform/Registry.h"

#include <QString>

class QWidget;

namespace platform {
class MessageBoxes;
class Shell;
} // namespace platform

namespace about {

inline const QString kMsInfoKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
inline const QString kMsInfoLocationKey =
    QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
inline const QString kSysInfoUnavailable =
    QStringLiteral("System Information Is Unavailable At This Time");

/// Reads one value of a registry key, asking for read access only.
/// A string value loses one terminating NUL; a 32-bit number becomes its decimal text; a
/// value of any other type leaves `KeyVal` as it was and still counts as read.
/// @param registry the registry to read
/// @param KeyRoot the root key
/// @param KeyName the key's path below the root
/// @param SubKeyRef the value's name
/// @param KeyVal receives the value; "" when the key or the value cannot be read
/// @return whether the value was read
bool GetKeyValue(platform::Registry& registry, platform::HKEY KeyRoot, const QString& KeyName,
                 const QString& SubKeyRef, QString& KeyVal);

/// Starts the system information tool that the registry names, or tells the user that
/// there is none. Every failure on the way ends in the same message.
/// @param registry where the tool is looked up
/// @param shell starts the tool and tests files
/// @param messageBoxes shows the message when the tool cannot be started
/// @param owner the window that owns that message
void StartSysInfo(platform::Registry& registry, platform::Shell& shell,
                  platform::MessageBoxes& messageBoxes, QWidget* owner);

} // namespace about
