#pragma once

#include "platform/Registry.h"

#include <QStringList>

namespace platform {

/// Linux has no registry. This one answers the lookup of the system information tool,
/// "SOFTWARE\Microsoft\Shared Tools\MSINFO" value "PATH" below HKEY_LOCAL_MACHINE, with the
/// first system information program of a short list found on PATH. Every other key is
/// missing, and like the machine's part of a registry it grants read access only.
class LinuxRegistry final : public Registry
{
public:
    /// The programs looked for, best first.
    static QStringList defaultSysInfoTools();

    /// @param sysInfoTools program names to look for on PATH, best first
    explicit LinuxRegistry(QStringList sysInfoTools = defaultSysInfoTools());

    std::int32_t RegOpenKeyEx(HKEY root, const QString& subKey, std::uint32_t access,
                              HKEY& result) override;
    std::int32_t RegQueryValueEx(HKEY key, const QString& valueName, std::uint32_t& type,
                                 QByteArray& data, std::uint32_t& size) override;
    std::int32_t RegCloseKey(HKEY key) override;

private:
    QStringList m_tools;
    /// The tool found when its key was opened; the key stays valid until it is closed.
    QString m_openTool;
};

} // namespace platform
