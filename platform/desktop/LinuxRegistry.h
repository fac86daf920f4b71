#pragma once

#include "platform/Registry.h"

namespace platform {

/// Linux has no registry; this one knows only the keys the program looks up.
class LinuxRegistry final : public Registry
{
public:
    std::int32_t RegOpenKeyEx(HKEY root, const QString& subKey, std::uint32_t access,
                              HKEY& result) override;
    std::int32_t RegQueryValueEx(HKEY key, const QString& valueName, std::uint32_t& type,
                                 QByteArray& data, std::uint32_t& size) override;
    std::int32_t RegCloseKey(HKEY key) override;
};

} // namespace platform
