#include "platform/desktop/LinuxRegistry.h"

#include <QStandardPaths>
#include <utility>

namespace platform {

namespace {
constexpr std::int32_t ERROR_FILE_NOT_FOUND = 2;
constexpr std::int32_t ERROR_ACCESS_DENIED = 5;
constexpr std::int32_t ERROR_INVALID_HANDLE = 6;
constexpr std::int32_t ERROR_MORE_DATA = 234;
constexpr HKEY kSysInfoKey = 1;

const QString kSysInfoKeyPath = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
} // namespace

QStringList LinuxRegistry::defaultSysInfoTools()
{
    // Graphical tools that show the machine's hardware and system at a glance.
    return {QStringLiteral("kinfocenter"), QStringLiteral("hardinfo2"), QStringLiteral("hardinfo"),
            QStringLiteral("cpu-x"), QStringLiteral("i-nex")};
}

LinuxRegistry::LinuxRegistry(QStringList sysInfoTools) : m_tools(std::move(sysInfoTools)) {}

std::int32_t LinuxRegistry::RegOpenKeyEx(HKEY root, const QString& subKey, std::uint32_t access,
                                         HKEY& result)
{
    result = 0;
    if (root != HKEY_LOCAL_MACHINE || subKey.compare(kSysInfoKeyPath, Qt::CaseInsensitive) != 0)
        return ERROR_FILE_NOT_FOUND;
    if ((access & ~KEY_READ) != 0)
        return ERROR_ACCESS_DENIED;
    for (const QString& tool : m_tools) {
        const QString path = QStandardPaths::findExecutable(tool);
        if (!path.isEmpty()) {
            m_openTool = path;
            result = kSysInfoKey;
            return ERROR_SUCCESS;
        }
    }
    return ERROR_FILE_NOT_FOUND;
}

std::int32_t LinuxRegistry::RegQueryValueEx(HKEY key, const QString& valueName, std::uint32_t& type,
                                            QByteArray& data, std::uint32_t& size)
{
    if (key != kSysInfoKey || m_openTool.isEmpty())
        return ERROR_INVALID_HANDLE;
    if (valueName.compare(QStringLiteral("PATH"), Qt::CaseInsensitive) != 0)
        return ERROR_FILE_NOT_FOUND;
    // A string value is stored with its terminating NUL.
    const QByteArray value = m_openTool.toLocal8Bit() + '\0';
    const auto needed = std::uint32_t(value.size());
    if (needed > size) {
        size = needed;
        return ERROR_MORE_DATA;
    }
    type = REG_SZ;
    size = needed;
    data.replace(0, value.size(), value);
    return ERROR_SUCCESS;
}

std::int32_t LinuxRegistry::RegCloseKey(HKEY key)
{
    if (key == kSysInfoKey)
        m_openTool.clear();
    return ERROR_SUCCESS;
}

} // namespace platform
