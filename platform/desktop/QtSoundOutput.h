#pragma once

#include "platform/SoundOutput.h"

#include <QBuffer>
#include <memory>

class QAudioSink;

namespace platform {

/// Plays wave images through Qt Multimedia's default output. With no output device
/// (no sound server) it stays silent instead of pretending to play.
class QtSoundOutput final : public SoundOutput
{
public:
    QtSoundOutput();
    ~QtSoundOutput() override;
    bool sndPlaySound(const QByteArray& wave, std::uint32_t flags) override;
    void stop() override;

    /// The sink of the sound now playing, for tests of the real path.
    QAudioSink* currentSink() const { return m_sink.get(); }

private:
    std::unique_ptr<QAudioSink> m_sink;
    QBuffer m_source;
};

} // namespace platform
