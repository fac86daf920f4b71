#include "platform/desktop/XdgPaths.h"

#include "platform/DataFolder.h"

#include <QDir>

namespace platform {

QString XdgPaths::GetWindowsDirectory()
{
    const QString dir = dataFolderPath();
    if (!dir.isEmpty())
        QDir().mkpath(dir);
    return dir;
}

QString XdgPaths::GetTempPath()
{
    QString dir = QDir::tempPath();
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir;
}

} // namespace platform
