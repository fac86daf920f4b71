#pragma once

/// Pauses for the given number of seconds while the windows keep working: events are
/// dispatched throughout, without spinning the processor. Returns early when the program
/// is asked to end meanwhile. Measured on a monotonic clock, so no tick wrap can trap it.
void WaitSeconds(int seconds);
