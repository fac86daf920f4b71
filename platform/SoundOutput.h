#pragma once

#include <QByteArray>
#include <cstdint>

namespace platform {

/// Flags of a play request, as the sound call takes them.
constexpr std::uint32_t SND_ASYNC = 0x1;
constexpr std::uint32_t SND_MEMORY = 0x4;

/// Wave playback. play() returns at once when SND_ASYNC is set; a new sound stops the one
/// still playing. Implementations share `wave` rather than copy it.
class SoundOutput
{
public:
    virtual ~SoundOutput() = default;
    /// @return false when nothing is played (no device, unreadable wave); never blocks.
    /// Throws std::runtime_error when the sound service itself cannot be reached.
    virtual bool sndPlaySound(const QByteArray& wave, std::uint32_t flags) = 0;
    virtual void stop() = 0;
};

} // namespace platform
