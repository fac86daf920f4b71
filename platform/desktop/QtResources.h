#pragma once

#include "platform/Resources.h"

namespace platform {

/// Resources compiled into the program as Qt resources under ":/<type>/<name>".
class QtResources final : public Resources
{
public:
    QByteArray LoadResData(const QString& name, const QString& type) override;
};

} // namespace platform
