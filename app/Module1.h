#pragma once

namespace platform {
class WindowSystem;
}

/// Pauses for the given number of seconds of the window system's clock while the windows
/// keep working: events are dispatched throughout, without spinning the processor. Returns
/// early when the program is asked to end meanwhile. Elapsed time is the unsigned difference
/// of the clock's ticks, which stays right when they wrap.
void WaitSeconds(platform::WindowSystem& windows, int seconds);
