#pragma once

#include "platform/SoundOutput.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>

class QWidget;

namespace platform {
class MessageBoxes;
class Resources;

/// The click that every window plays: the program's resource "SOUND1" of type "WAVE".
inline const QString kClickSound = QStringLiteral("SOUND1");
inline const QString kClickSoundType = QStringLiteral("WAVE");
/// It plays without holding up the window, from the bytes in memory.
constexpr std::uint32_t kClickSoundFlags = SND_ASYNC | SND_MEMORY;

/// The click-sound player that every window carries: its own buffer and flags, and the
/// main window's "Play sounds" box as the switch.
class SoundPlayer
{
public:
    /// @param owner the window that carries the player, which owns its message box
    SoundPlayer(Resources& resources, SoundOutput& output, MessageBoxes& messageBoxes,
                QWidget* owner, std::function<bool()> soundsOn);

    /// Plays the named resource asynchronously from memory when sounds are on. Any error
    /// on the way is reported as "Can't play sound" and the caller goes on.
    void PlayResSound(const QString& resourceName, const QString& resourceType);

    /// The bytes of the last loaded sound; they must outlive its playback.
    QByteArray SoundBuffer;
    std::uint32_t SoundFlags = 0;

private:
    Resources& m_resources;
    SoundOutput& m_output;
    MessageBoxes& m_messageBoxes;
    QWidget* m_owner;
    std::function<bool()> m_soundsOn;
};

} // namespace platform
