// Quitting and terminating: the one-second pause keeps the windows working, then the
// program ends at once. The pause runs on the fakes' clock, whose time passes at once;
// what is posted before a pause runs during it.

#include "app/Form1.h"
#include "app/Module1.h"
#include "platform/fakes/FakePlatform.h"

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QtTest>
#include <limits>
#include <memory>

using platform::fakes::FakePlatform;

class TestForm1Shutdown : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void waitSecondsDispatchesEvents_data();
    void waitSecondsDispatchesEvents();
    void waitSecondsNothingToWait();
    void quitPausesThenEnds();
    void quitWithSoundsOff();
    void quitHandlesClicksDuringPause();
    void secondQuitDuringPause();
    void terminatePausesThenEnds();
    void pauseEndsWhenApplicationQuits();

private:
    Form1& start();
    /// Milliseconds on the fakes' clock since the tick given.
    std::uint32_t since(std::uint32_t tick) const { return m_platform->windows.tick - tick; }
    std::unique_ptr<FakePlatform> m_platform;
    std::unique_ptr<Form1> m_form;
    QList<int> m_ends;
    std::uint32_t m_endTick = 0; ///< the clock when the program was last ended
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
    m_form->setProcessEnder([this](int code) {
        m_ends << code;
        m_endTick = m_platform->windows.tick;
    });
    m_form->Form_Load();
    m_form->show();
    return *m_form;
}

void TestForm1Shutdown::waitSecondsDispatchesEvents_data()
{
    QTest::addColumn<uint>("startTick");
    QTest::newRow("from zero") << 0u;
    QTest::newRow("across the wrap") << std::numeric_limits<uint>::max() - 400;
}

void TestForm1Shutdown::waitSecondsDispatchesEvents()
{
    QFETCH(uint, startTick);
    m_platform->windows.tick = startTick;
    bool handled = false;
    QTimer::singleShot(0, [&handled] { handled = true; });
    WaitSeconds(m_platform->windows, 1);
    QVERIFY(handled);
    QVERIFY2(since(startTick) >= 1000, qPrintable(QString::number(since(startTick))));
    QVERIFY2(since(startTick) < 3000, qPrintable(QString::number(since(startTick))));
}

void TestForm1Shutdown::waitSecondsNothingToWait()
{
    WaitSeconds(m_platform->windows, 0);
    WaitSeconds(m_platform->windows, -5);
    QVERIFY(since(0) < 500);
}

void TestForm1Shutdown::quitPausesThenEnds()
{
    start();
    // The quit click sounds before the pause; during it the program has not ended.
    qsizetype playsInPause = -1;
    bool endedInPause = true;
    QTimer::singleShot(0, m_form.get(), [&] {
        playsInPause = m_platform->sound.plays.size();
        endedInPause = m_form->ended();
    });
    QTest::mouseClick(m_form->findChild<QPushButton*>("Command2"), Qt::LeftButton);
    QCOMPARE(playsInPause, 2);
    QVERIFY(!endedInPause);
    QVERIFY(since(0) >= 1000);
    QCOMPARE(m_endTick, 1000u); // ended once the pause was over
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
    m_form->Command2_Click();
    QVERIFY(since(0) >= 1000);
    QVERIFY(m_platform->sound.plays.isEmpty());
    QCOMPARE(m_ends, QList<int>{0});
}

void TestForm1Shutdown::quitHandlesClicksDuringPause()
{
    start();
    QTimer::singleShot(0, m_form.get(), [this] {
        QTest::mouseClick(m_form->findChild<QPushButton*>("cmdOpenEbonic"), Qt::LeftButton);
    });
    m_form->Command2_Click();
    QVERIFY(!m_form->findChild<QPushButton*>("cmdOpenEbonic")->isEnabled());
    QCOMPARE(m_ends, QList<int>{0});
}

void TestForm1Shutdown::secondQuitDuringPause()
{
    start();
    QTimer::singleShot(0, m_form.get(), [this] {
        m_platform->windows.tick += 300;
        m_form->Command2_Click();
    });
    m_form->Command2_Click();
    // The second pause runs inside the first and ends the program when it is over.
    QVERIFY(since(0) >= 1300);
    QVERIFY(!m_ends.isEmpty());
}

void TestForm1Shutdown::terminatePausesThenEnds()
{
    start();
    // Quick Help stays open through the pause and is closed before the program ends.
    m_form->mnuhelp_Click();
    QPointer<QWidget> help;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->inherits("help"))
            help = window;
    QVERIFY(help);
    bool helpInPause = false;
    QTimer::singleShot(0, m_form.get(), [&] { helpInPause = help && help->isVisible(); });
    const int sounds = m_platform->sound.plays.size();
    m_form->Form_Terminate();
    QVERIFY(helpInPause);
    QVERIFY(!help);
    QVERIFY(since(0) >= 1000);
    QCOMPARE(m_endTick, 1000u);
    QCOMPARE(m_ends, QList<int>{0});
    QCOMPARE(m_platform->sound.plays.size(), sounds); // no sound on this path
}

void TestForm1Shutdown::pauseEndsWhenApplicationQuits()
{
    QTimer::singleShot(0, [this] { m_platform->windows.ending = true; });
    WaitSeconds(m_platform->windows, 5);
    QVERIFY(since(0) < 2000);
}

QTEST_MAIN(TestForm1Shutdown)
#include "tst_form1_shutdown.moc"
