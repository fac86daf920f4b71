#include "platform/WaveFormat.h"

#include <QtEndian>

namespace platform {

namespace {
std::uint32_t u32(const QByteArray& b, qsizetype at)
{
    return qFromLittleEndian<quint32>(b.constData() + at);
}
std::uint16_t u16(const QByteArray& b, qsizetype at)
{
    return qFromLittleEndian<quint16>(b.constData() + at);
}
} // namespace

std::optional<WaveInfo> parseWave(const QByteArray& image)
{
    if (image.size() < 12 || !image.startsWith("RIFF") || image.mid(8, 4) != "WAVE")
        return std::nullopt;
    WaveInfo info;
    bool haveFormat = false;
    qsizetype at = 12;
    while (at + 8 <= image.size()) {
        const QByteArray id = image.mid(at, 4);
        const std::uint32_t size = u32(image, at + 4);
        const qsizetype body = at + 8;
        if (id == "fmt ") {
            if (size < 16 || body + 16 > image.size())
                return std::nullopt;
            if (u16(image, body) != 1) // PCM only
                return std::nullopt;
            info.channels = u16(image, body + 2);
            info.sampleRate = u32(image, body + 4);
            info.bitsPerSample = u16(image, body + 14);
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat)
                return std::nullopt;
            info.dataOffset = body;
            info.dataSize = std::min<qsizetype>(size, image.size() - body);
            if (info.channels == 0 || info.sampleRate == 0 ||
                (info.bitsPerSample != 8 && info.bitsPerSample != 16))
                return std::nullopt;
            return info;
        }
        // Chunks are padded to an even length.
        at = body + qsizetype(size) + (size & 1);
    }
    return std::nullopt;
}

} // namespace platform
