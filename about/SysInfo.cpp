#include "about/SysInfo.h"

#include "platform/MessageBoxes.h"
#include "platform/Shell.h"

#include <QtEndian>
#include <exception>

namespace about {

namespace {
constexpr std::uint32_t kBufferSize = 1024;

bool startTool(platform::Registry& registry, platform::Shell& shell)
{
    QString path;
    if (GetKeyValue(registry, platform::HKEY_LOCAL_MACHINE, kMsInfoKey, QStringLiteral("PATH"),
                    path))
        return !path.isEmpty() && shell.CreateProcess(path, {}); // no existence test here
    if (!GetKeyValue(registry, platform::HKEY_LOCAL_MACHINE, kMsInfoLocationKey,
                     QStringLiteral("MSINFO"), path) ||
        path.isEmpty())
        return false;
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    path += QStringLiteral("MSINFO32.EXE");
    return shell.FileExists(path) && shell.CreateProcess(path, {});
}
} // namespace

bool GetKeyValue(platform::Registry& registry, platform::HKEY KeyRoot, const QString& KeyName,
                 const QString& SubKeyRef, QString& KeyVal)
{
    bool result = false;
    platform::HKEY key = 0;
    // Read access is all this needs; asking for more fails for ordinary users.
    if (registry.RegOpenKeyEx(KeyRoot, KeyName, platform::KEY_READ, key) !=
        platform::ERROR_SUCCESS) {
        KeyVal.clear();
    } else {
        QByteArray buffer(kBufferSize, '\0');
        std::uint32_t size = kBufferSize;
        std::uint32_t type = 0;
        if (registry.RegQueryValueEx(key, SubKeyRef, type, buffer, size) !=
            platform::ERROR_SUCCESS) {
            KeyVal.clear();
        } else {
            QByteArray value = buffer.left(qsizetype(size));
            if (type == platform::REG_SZ) {
                if (value.endsWith('\0'))
                    value.chop(1);
                KeyVal = QString::fromLocal8Bit(value);
            } else if (type == platform::REG_DWORD && value.size() == 4) {
                KeyVal = QString::number(qFromLittleEndian<quint32>(value.constData()));
            }
            result = true;
        }
    }
    registry.RegCloseKey(key);
    return result;
}

void StartSysInfo(platform::Registry& registry, platform::Shell& shell,
                  platform::MessageBoxes& messageBoxes, QWidget* owner)
{
    bool started = false;
    try {
        started = startTool(registry, shell);
    } catch (const std::exception&) {
        started = false;
    }
    if (!started)
        messageBoxes.MsgBox(owner, kSysInfoUnavailable);
}

} // namespace about
