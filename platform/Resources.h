#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

/// Custom resources embedded in the program, addressed by name and type.
class Resources
{
public:
    virtual ~Resources() = default;
    /// Throws std::runtime_error when there is no such resource.
    virtual QByteArray LoadResData(const QString& name, const QString& type) = 0;
};

} // namespace platform
