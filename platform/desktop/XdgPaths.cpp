#include "platform/desktop/XdgPaths.h"

#include <QDir>
#include <QStandardPaths>

namespace platform {

QString XdgPaths::GetWindowsDirectory()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty())
        return {};
    const QString dir = QDir(base).filePath(QStringLiteral("Glyphora"));
    QDir().mkpath(dir);
    return QDir::cleanPath(dir);
}

QString XdgPaths::GetTempPath()
{
    QString dir = QDir::tempPath();
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir;
}

} // namespace platform
