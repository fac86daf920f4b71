#pragma once

#include <QByteArray>
#include <cstdint>
#include <optional>

namespace platform {

/// The parts of a RIFF PCM wave image that playback needs.
struct WaveInfo
{
    std::uint16_t channels = 0;
    std::uint32_t sampleRate = 0;
    std::uint16_t bitsPerSample = 0;
    qsizetype dataOffset = 0; ///< where the samples start in the image
    qsizetype dataSize = 0;   ///< sample bytes, clipped to the image
};

/// Reads the header of a PCM wave image. @return nothing when it is not one.
std::optional<WaveInfo> parseWave(const QByteArray& image);

} // namespace platform
