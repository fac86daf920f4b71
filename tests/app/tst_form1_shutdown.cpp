// Quitting and terminating: the one-second pause keeps the windows working, then the
// program ends at once.

#include "app/Form1.h"
#include "app/Module1.h"
#include "platform/fakes/FakePlatform.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>
#include <memory>

using platform::fakes::FakePlatform;

class TestForm1Shutdown : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void waitSecondsDispatchesEvents();
    void waitSecondsNothingToWait();
    void quitPausesThenEnds();
    void quitWithSoundsOff();
    void quitHandlesClicksDuringPause();
    void secondQuitDuringPause();
    void terminatePausesThenEnds();
    // Leaves the application quitting: keep it last.
    void pauseEndsWhenApplicationQuits();

private:
    Form1& start();
    std::unique_ptr<FakePlatform> m_platform;
    std::unique_ptr<Form1> m_form;
    QList<int> m_ends;
};

void TestForm1Shutdown::init()
{
    m_platform = std::make_unique<FakePlatform>();
    m_ends.clear();
}

void TestForm1Shutdown::cleanup()
{
    m_form.reset();
    m_platform.reset();
}

Form1& TestForm1Shutdown::start()
{
    m_form = std::make_unique<Form1>(m_platform->services());
    m_form->setProcessEnder([this](int code) { m_ends << code; });
    m_form->Form_Load();
    m_form->show();
    return *m_form;
}

void TestForm1Shutdown::waitSecondsDispatchesEvents()
{
    bool handled = false;
    QTimer::singleShot(100, [&handled] { handled = true; });
    QElapsedTimer clock;
    clock.start();
    WaitSeconds(1);
    QVERIFY(handled);
    QVERIFY2(clock.elapsed() >= 1000, qPrintable(QString::number(clock.elapsed())));
    QVERIFY2(clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
}

void TestForm1Shutdown::waitSecondsNothingToWait()
{
    QElapsedTimer clock;
    clock.start();
    WaitSeconds(0);
    WaitSeconds(-5);
    QVERIFY(clock.elapsed() < 500);
}

void TestForm1Shutdown::quitPausesThenEnds()
{
    start();
    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(m_form->findChild<QPushButton*>("Command2"), Qt::LeftButton);
    QVERIFY(clock.elapsed() >= 1000);
    QCOMPARE(m_ends, QList<int>{0});
    QVERIFY(m_form->ended());
    QCOMPARE(m_platform->sound.plays.size(), 2); // start-up and quit
    // Once ended, the terminate sequence does nothing more.
    m_form->Form_Terminate();
    QCOMPARE(m_ends, QList<int>{0});
}

void TestForm1Shutdown::quitWithSoundsOff()
{
    m_platform->settings.values.insert("Glyphora/Settings/Sound", "0");
    start();
    QElapsedTimer clock;
    clock.start();
    m_form->Command2_Click();
    QVERIFY(clock.elapsed() >= 1000);
    QVERIFY(m_platform->sound.plays.isEmpty());
    QCOMPARE(m_ends, QList<int>{0});
}

void TestForm1Shutdown::quitHandlesClicksDuringPause()
{
    start();
    QTimer::singleShot(200, m_form.get(), [this] {
        QTest::mouseClick(m_form->findChild<QPushButton*>("cmdOpenEbonic"), Qt::LeftButton);
    });
    m_form->Command2_Click();
    QVERIFY(!m_form->findChild<QPushButton*>("cmdOpenEbonic")->isEnabled());
    QCOMPARE(m_ends, QList<int>{0});
}

void TestForm1Shutdown::secondQuitDuringPause()
{
    start();
    QTimer::singleShot(300, m_form.get(), [this] { m_form->Command2_Click(); });
    QElapsedTimer clock;
    clock.start();
    m_form->Command2_Click();
    // The second pause runs inside the first and ends the program when it is over.
    QVERIFY(clock.elapsed() >= 1300);
    QVERIFY(!m_ends.isEmpty());
}

void TestForm1Shutdown::terminatePausesThenEnds()
{
    start();
    const int sounds = m_platform->sound.plays.size();
    QElapsedTimer clock;
    clock.start();
    m_form->Form_Terminate();
    QVERIFY(clock.elapsed() >= 1000);
    QCOMPARE(m_ends, QList<int>{0});
    QCOMPARE(m_platform->sound.plays.size(), sounds); // no sound on this path
}

void TestForm1Shutdown::pauseEndsWhenApplicationQuits()
{
    QTimer::singleShot(100, [] { QCoreApplication::exit(0); });
    QElapsedTimer clock;
    clock.start();
    WaitSeconds(5);
    QVERIFY(clock.elapsed() < 2000);
}

QTEST_MAIN(TestForm1Shutdown)
#include "tst_form1_shutdown.moc"
