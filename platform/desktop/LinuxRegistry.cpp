#include "platform/desktop/LinuxRegistry.h"

namespace platform {

namespace {
constexpr std::int32_t ERROR_FILE_NOT_FOUND = 2;
}

std::int32_t LinuxRegistry::RegOpenKeyEx(HKEY, const QString&, std::uint32_t, HKEY& result)
{
    result = 0;
    return ERROR_FILE_NOT_FOUND;
}

std::int32_t LinuxRegistry::RegQueryValueEx(HKEY, const QString&, std::uint32_t&, QByteArray&,
                                            std::uint32_t&)
{
    return ERROR_FILE_NOT_FOUND;
}

std::int32_t LinuxRegistry::RegCloseKey(HKEY)
{
    return ERROR_SUCCESS;
}

} // namespace platform
