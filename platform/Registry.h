#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace platform {

using HKEY = std::uintptr_t;
constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002u;
constexpr std::int32_t ERROR_SUCCESS = 0;
constexpr std::uint32_t KEY_READ = 0x20019;
constexpr std::uint32_t REG_SZ = 1;
constexpr std::uint32_t REG_DWORD = 4;

/// A read-only view of a hierarchical key/value store laid out like the system registry.
class Registry
{
public:
    virtual ~Registry() = default;
    virtual std::int32_t RegOpenKeyEx(HKEY root, const QString& subKey, std::uint32_t access,
                                      HKEY& result) = 0;
    /// Fills `data` with at most `size` bytes of the value and sets `size` to the value's
    /// length in bytes and `type` to its type.
    virtual std::int32_t RegQueryValueEx(HKEY key, const QString& valueName, std::uint32_t& type,
                                         QByteArray& data, std::uint32_t& size) = 0;
    virtual std::int32_t RegCloseKey(HKEY key) = 0;
};

} // namespace platform
