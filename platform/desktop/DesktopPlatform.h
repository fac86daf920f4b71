#pragma once

#include "platform/Platform.h"

#include <memory>

namespace platform {

/// The Linux desktop implementations of every service, owned together.
class DesktopPlatform
{
public:
    DesktopPlatform();
    ~DesktopPlatform();
    DesktopPlatform(const DesktopPlatform&) = delete;
    DesktopPlatform& operator=(const DesktopPlatform&) = delete;

    Platform services();

private:
    struct Parts;
    std::unique_ptr<Parts> m_parts;
};

} // namespace platform
