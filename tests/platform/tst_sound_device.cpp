// The real sound path, through a private PulseAudio server with a null sink.

#include "platform/desktop/QtSoundOutput.h"
#include "platform/fakes/FakePlatform.h"

#include <QAudioSink>
#include <QMediaDevices>
#include <QProcess>
#include <QtTest>

class TestSoundDevice : public QObject
{
    Q_OBJECT
private slots:
    void deviceAcceptsTheStream();
    void newSoundReplacesOld();
};

namespace {
QByteArray tone()
{
    QByteArray wave = platform::fakes::silentWave();
    for (qsizetype i = 44; i < wave.size(); ++i)
        wave[i] = char((i / 10) % 2 ? 0xa0 : 0x60);
    return wave;
}

int streamsOnServer()
{
    QProcess pactl;
    pactl.start("pactl", {"list", "short", "sink-inputs"});
    pactl.waitForFinished(5000);
    return int(pactl.readAllStandardOutput().count('\n'));
}
} // namespace

void TestSoundDevice::deviceAcceptsTheStream()
{
    QVERIFY2(!QMediaDevices::audioOutputs().isEmpty(), "no output device on the test server");
    platform::QtSoundOutput output;
    const QByteArray wave = tone();
    QVERIFY(output.sndPlaySound(wave, platform::SND_ASYNC | platform::SND_MEMORY));
    QAudioSink* sink = output.currentSink();
    QVERIFY(sink);
    QTRY_VERIFY_WITH_TIMEOUT(sink->processedUSecs() > 0, 3000);
    QCOMPARE(sink->error(), QAudio::NoError);
    QTRY_VERIFY_WITH_TIMEOUT(streamsOnServer() >= 1, 3000);
    // About half a second of sound, then the sink goes idle and stops.
    QTRY_VERIFY_WITH_TIMEOUT(output.currentSink()->state() == QAudio::StoppedState, 5000);
}

void TestSoundDevice::newSoundReplacesOld()
{
    platform::QtSoundOutput output;
    const QByteArray first = tone();
    const QByteArray second = tone();
    QVERIFY(output.sndPlaySound(first, platform::SND_ASYNC | platform::SND_MEMORY));
    QPointer<QAudioSink> old = output.currentSink();
    QVERIFY(output.sndPlaySound(second, platform::SND_ASYNC | platform::SND_MEMORY));
    QVERIFY(old.isNull()); // the first sound was stopped and its stream released
    QTRY_VERIFY_WITH_TIMEOUT(output.currentSink()->processedUSecs() > 0, 3000);
    QTRY_VERIFY_WITH_TIMEOUT(streamsOnServer() == 1, 3000);
}

QTEST_MAIN(TestSoundDevice)
#include "tst_sound_device.moc"
