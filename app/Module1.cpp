#include "app/Module1.h"

#include "platform/WindowSystem.h"

#include <cstdint>

void WaitSeconds(platform::WindowSystem& windows, int seconds)
{
    if (seconds <= 0)
        return;
    const std::uint32_t pause = std::uint32_t(seconds) * 1000;
    const std::uint32_t start = windows.GetTickCount();
    for (std::uint32_t elapsed = 0; elapsed < pause; elapsed = windows.GetTickCount() - start) {
        if (!windows.dispatchEventsFor(pause - elapsed))
            return;
    }
}
