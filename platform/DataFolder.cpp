#include "platform/DataFolder.h"

#include <QDir>
#include <QStandardPaths>

namespace platform {

QString dataFolderPath()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty())
        return {};
    return QDir::cleanPath(QDir(base).filePath(QStringLiteral("Glyphora")));
}

} // namespace platform
