#include "platform/desktop/QtResources.h"

#include <QFile>
#include <stdexcept>

namespace platform {

QByteArray QtResources::LoadResData(const QString& name, const QString& type)
{
    QFile file(QStringLiteral(":/%1/%2").arg(type, name));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("Resource not found: " + type.toStdString() + "/" +
                                 name.toStdString());
    return file.readAll();
}

} // namespace platform
