#include "platform/forms/SoundPlayer.h"

#include "platform/MessageBoxes.h"
#include "platform/Resources.h"
#include "platform/SoundOutput.h"

#include <exception>
#include <utility>

namespace platform {

SoundPlayer::SoundPlayer(Resources& resources, SoundOutput& output, MessageBoxes& messageBoxes,
                         QWidget* owner, std::function<bool()> soundsOn)
    : m_resources(resources), m_output(output), m_messageBoxes(messageBoxes), m_owner(owner),
      m_soundsOn(std::move(soundsOn))
{}

void SoundPlayer::PlayResSound(const QString& resourceName, const QString& resourceType)
{
    if (!m_soundsOn || !m_soundsOn())
        return;
    try {
        QByteArray wave = m_resources.LoadResData(resourceName, resourceType);
        // The output may still be reading the old buffer: stop it before replacing it.
        m_output.stop();
        SoundBuffer = std::move(wave);
        m_output.sndPlaySound(SoundBuffer, SoundFlags);
    } catch (const std::exception&) {
        m_messageBoxes.MsgBox(m_owner, QStringLiteral("Can't play sound"));
    }
}

} // namespace platform
