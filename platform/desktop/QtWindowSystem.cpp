#include "platform/desktop/QtWindowSystem.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <climits>

namespace platform {

namespace {
// Exit code of a wait's own loop; anything else means the application is quitting.
constexpr int kWaitOver = 0x5ec0;

double twipsPerPixel(bool horizontal)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi =
        screen ? (horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY())
               : 96.0;
    return dpi > 0 ? 1440.0 / dpi : 15.0;
}
} // namespace

double QtWindowSystem::TwipsPerPixelX() const
{
    return twipsPerPixel(true);
}

double QtWindowSystem::TwipsPerPixelY() const
{
    return twipsPerPixel(false);
}

void QtWindowSystem::SetWindowPos(QWidget* window, bool topmost, const QRect& pixels)
{
    if (!window)
        return;
    // Changing the flag on the native window keeps it mapped; QWidget::setWindowFlags
    // would hide and recreate it.
    if (QWindow* handle = window->windowHandle())
        handle->setFlag(Qt::WindowStaysOnTopHint, topmost);
    else
        window->setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
    if (window->frameGeometry().topLeft() != pixels.topLeft())
        window->move(pixels.topLeft());
}

std::uint32_t QtWindowSystem::GetTickCount() const
{
    // Milliseconds of a monotonic clock, wrapping like the system's tick count.
    return std::uint32_t(QDeadlineTimer::current().deadline());
}

bool QtWindowSystem::dispatchEventsFor(std::uint32_t milliseconds)
{
    QEventLoop loop;
    // A timer holds an int; a longer wait ends early, and its caller measures the rest.
    QTimer::singleShot(int(std::min<std::uint32_t>(milliseconds, INT_MAX)), Qt::PreciseTimer, &loop,
                       [&loop] { loop.exit(kWaitOver); });
    return loop.exec() == kWaitOver;
}

} // namespace platform
