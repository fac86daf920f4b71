#include "platform/desktop/QtSoundOutput.h"

#include "platform/WaveFormat.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>

namespace platform {

QtSoundOutput::QtSoundOutput() = default;

QtSoundOutput::~QtSoundOutput()
{
    stop();
}

void QtSoundOutput::stop()
{
    if (m_sink) {
        m_sink->stop();
        m_sink.reset();
    }
    m_source.close();
}

bool QtSoundOutput::sndPlaySound(const QByteArray& wave, std::uint32_t flags)
{
    stop();
    if (!(flags & SND_MEMORY))
        return false; // only memory images are ever played here
    const auto info = parseWave(wave);
    if (!info)
        return false;
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull())
        return false;

    QAudioFormat format;
    format.setSampleRate(int(info->sampleRate));
    format.setChannelCount(info->channels);
    format.setSampleFormat(info->bitsPerSample == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
    if (!device.isFormatSupported(format))
        return false;

    // Share the caller's bytes (no copy); the shared reference keeps them alive even when
    // the window that loaded them goes away while the sound still plays.
    const bool samplesRunToEnd = info->dataOffset + info->dataSize == wave.size();
    m_source.setData(samplesRunToEnd ? wave : wave.mid(0, info->dataOffset + info->dataSize));
    if (!m_source.open(QIODevice::ReadOnly) || !m_source.seek(info->dataOffset))
        return false;
    m_sink = std::make_unique<QAudioSink>(device, format);
    QObject::connect(m_sink.get(), &QAudioSink::stateChanged, m_sink.get(),
                     [sink = m_sink.get()](QAudio::State state) {
                         if (state == QAudio::IdleState)
                             sink->stop();
                     });
    m_sink->start(&m_source);
    return m_sink->error() == QAudio::NoError;
}

} // namespace platform
