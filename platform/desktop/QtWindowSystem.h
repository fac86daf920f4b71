#pragma once

#include "platform/WindowSystem.h"

namespace platform {

class QtWindowSystem final : public WindowSystem
{
public:
    double TwipsPerPixelX() const override;
    double TwipsPerPixelY() const override;
    void SetWindowPos(QWidget* window, bool topmost, const QRect& pixels) override;
    std::uint32_t GetTickCount() const override;
    bool dispatchEventsFor(std::uint32_t milliseconds) override;
};

} // namespace platform
