#pragma once

#include <QRect>
#include <cstdint>

class QWidget;

namespace platform {

/// Window services beyond what a widget offers itself.
class WindowSystem
{
public:
    virtual ~WindowSystem() = default;
    /// Twips per screen pixel, horizontally and vertically (15 at 96 dpi).
    virtual double TwipsPerPixelX() const = 0;
    virtual double TwipsPerPixelY() const = 0;
    /// Moves the window into or out of the topmost band at the given place and size (pixels).
    virtual void SetWindowPos(QWidget* window, bool topmost, const QRect& pixels) = 0;
    /// A millisecond tick count (it may wrap).
    virtual std::uint32_t GetTickCount() const = 0;
    /// Dispatches the windows' events for the given time, without spinning the processor.
    /// @return false when it stopped early because the program is ending
    virtual bool dispatchEventsFor(std::uint32_t milliseconds) = 0;
};

} // namespace platform
