// Start-up, the "Play sounds" setting, the click sound and "On Top".

#include "app/Form1.h"
#include "platform/fakes/FakePlatform.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>
#include <memory>

using platform::fakes::FakePlatform;

namespace {
const QString kSoundPath = QStringLiteral("Glyphora/Settings/Sound");
}

class TestForm1Startup : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void storedSetting_data();
    void storedSetting();
    void togglingStoresTheChoice();
    void unwritableSettingKeepsRunning();
    void soundsOffLoadsNothing();
    void missingSoundResource();
    void soundFromMemory();
    void onTopKeepsPlace_data();
    void onTopKeepsPlace();
    void startsInSmileyView();
    void dictionaryFileBeforeTheSound();
    void unwritableDictionaryKeepsRunning();

private:
    Form1& start(std::optional<QString> stored = std::nullopt);
    QAction* action(const char* name) { return m_form->findChild<QAction*>(name); }
    template <typename T> T* child(const char* name) { return m_form->findChild<T*>(name); }
    std::unique_ptr<FakePlatform> m_platform;
    std::unique_ptr<Form1> m_form;
};

void TestForm1Startup::init()
{
    m_platform = std::make_unique<FakePlatform>();
}

void TestForm1Startup::cleanup()
{
    m_form.reset();
    m_platform.reset();
}

Form1& TestForm1Startup::start(std::optional<QString> stored)
{
    if (stored)
        m_platform->settings.values.insert(kSoundPath, *stored);
    m_form = std::make_unique<Form1>(m_platform->services());
    m_form->setProcessEnder([](int) {});
    m_form->Form_Load();
    return *m_form;
}

void TestForm1Startup::storedSetting_data()
{
    QTest::addColumn<std::optional<QString>>("stored");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<QStringList>("writes");
    QTest::addColumn<int>("startupSounds");
    QTest::newRow("first run") << std::optional<QString>() << true << QStringList() << 1;
    QTest::newRow("0") << std::optional<QString>("0") << false << QStringList{kSoundPath + "=0"}
                       << 0;
    QTest::newRow("1") << std::optional<QString>("1") << true << QStringList() << 1;
    QTest::newRow("yes") << std::optional<QString>("yes") << true << QStringList() << 1;
    QTest::newRow("blank 0") << std::optional<QString>(" 0") << true << QStringList() << 1;
    QTest::newRow("empty") << std::optional<QString>("") << true << QStringList() << 1;
}

void TestForm1Startup::storedSetting()
{
    QFETCH(std::optional<QString>, stored);
    QFETCH(bool, checked);
    QFETCH(QStringList, writes);
    QFETCH(int, startupSounds);

    start(stored);
    QCOMPARE(child<QCheckBox>("Check1")->isChecked(), checked);
    QCOMPARE(m_platform->settings.writes, writes);
    QCOMPARE(m_platform->sound.plays.size(), startupSounds);
    QCOMPARE(child<QLineEdit>("txtSound")->text(), QStringLiteral("0"));
    if (startupSounds)
        QCOMPARE(m_platform->sound.plays.first().flags, 5u);
    QCOMPARE(child<QLabel>("Label2")->palette().color(QPalette::WindowText), QColor(0, 0, 128));
}

void TestForm1Startup::togglingStoresTheChoice()
{
    start();
    auto* check = child<QCheckBox>("Check1");
    QTest::mouseClick(check, Qt::LeftButton);
    QVERIFY(!check->isChecked());
    QTest::mouseClick(check, Qt::LeftButton);
    QVERIFY(check->isChecked());
    QCOMPARE(m_platform->settings.writes, QStringList({kSoundPath + "=0", kSoundPath + "=1"}));
    QCOMPARE(child<QLineEdit>("txtSound")->text(), QStringLiteral("1"));
    // The box itself makes no sound: only the start-up sound was played.
    QCOMPARE(m_platform->sound.plays.size(), 1);
}

void TestForm1Startup::unwritableSettingKeepsRunning()
{
    start();
    m_platform->settings.failWrites = true;
    child<QCheckBox>("Check1")->setChecked(false);
    QCOMPARE(m_platform->messageBoxes.shown.size(), 1);
    QVERIFY(m_platform->messageBoxes.shown.first().text.contains("Permission denied"));
    QVERIFY(!m_form->ended());
}

void TestForm1Startup::soundsOffLoadsNothing()
{
    start(QStringLiteral("0"));
    m_form->mnuAcronyms_Click();
    m_form->mnusmile_Click();
    m_form->cmdOpenEbonic_Click();
    m_form->cmdCloseEbonic_Click();
    QCOMPARE(m_platform->resources.loads, 0);
    QVERIFY(m_platform->sound.plays.isEmpty());
    QVERIFY(m_form->soundPlayer().SoundBuffer.isEmpty());
}

void TestForm1Startup::missingSoundResource()
{
    m_platform->resources.items.clear();
    start();
    QCOMPARE(m_platform->messageBoxes.texts(), QStringList{"Can't play sound"});
    const platform::MessageRequest box = m_platform->messageBoxes.shown.first();
    QCOMPARE(box.caption, QStringLiteral("Glyphora"));
    QCOMPARE(box.icon, platform::MsgIcon::None);
    QCOMPARE(box.buttons, platform::MsgButtons::Ok);
    QCOMPARE(box.owner, m_form.get());

    // Each sounding action reports once and still completes.
    m_form->mnuAcronyms_Click();
    QCOMPARE(m_platform->messageBoxes.shown.size(), 2);
    QVERIFY(child<QListWidget>("List2")->isVisibleTo(m_form.get()));
    m_form->cmdOpenEbonic_Click();
    QCOMPARE(m_platform->messageBoxes.shown.size(), 3);
    QVERIFY(!child<QPushButton>("cmdOpenEbonic")->isEnabled());
}

void TestForm1Startup::soundFromMemory()
{
    start();
    m_form->mnuAcronyms_Click();
    QCOMPARE(m_platform->sound.plays.size(), 2);
    // Played straight from the window's own buffer, which holds the resource's bytes.
    const auto& play = m_platform->sound.plays.last();
    QCOMPARE(play.data, m_form->soundPlayer().SoundBuffer.constData());
    QCOMPARE(play.wave, platform::fakes::silentWave());
    // The player stops a sound still playing before it replaces the buffer.
    QVERIFY(m_platform->sound.stops >= 2);
}

void TestForm1Startup::onTopKeepsPlace_data()
{
    QTest::addColumn<double>("twipsPerPixel");
    QTest::newRow("96 dpi") << 15.0;
    QTest::newRow("144 dpi") << 10.0;
    QTest::newRow("100 dpi") << 14.4;
    QTest::newRow("120 dpi") << 12.0;
}

void TestForm1Startup::onTopKeepsPlace()
{
    QFETCH(double, twipsPerPixel);
    m_platform->windows.twipsX = m_platform->windows.twipsY = twipsPerPixel;
    start();
    m_form->move(40, 30);
    const int soundsBefore = m_platform->sound.plays.size();
    auto* onTop = child<QPushButton>("chkOnTop");
    QTest::mouseClick(onTop, Qt::LeftButton);
    QTest::mouseClick(onTop, Qt::LeftButton);
    const auto& calls = m_platform->windows.calls;
    QCOMPARE(calls.size(), 2);
    QCOMPARE(calls[0].topmost, true);
    QCOMPARE(calls[1].topmost, false);
    QCOMPARE(calls[0].window, m_form.get());
    QCOMPARE(calls[0].pixels, m_form->frameGeometry());
    QCOMPARE(calls[1].pixels, m_form->frameGeometry());
    QCOMPARE(m_platform->sound.plays.size(), soundsBefore);
}

void TestForm1Startup::startsInSmileyView()
{
    start();
    QVERIFY(!child<QListWidget>("List1")->isHidden());
    QVERIFY(child<QListWidget>("List2")->isHidden());
    QVERIFY(!child<QPushButton>("chkOnTop")->isChecked());
    QVERIFY(child<QWidget>("translatorPanel")->isHidden());
    QVERIFY(!action("mnusmile")->isEnabled());
    m_form->show();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    QCOMPARE(QApplication::focusWidget(), child<QWidget>("List1"));
}

void TestForm1Startup::dictionaryFileBeforeTheSound()
{
    const QString dictionary = m_platform->paths.windowsDirectory + QStringLiteral("/winup.ico");
    start();
    QCOMPARE(QFileInfo(dictionary).size(), 10806);
    QCOMPARE(m_platform->sound.plays.size(), 1);
    // An existing dictionary, edited by its user, is never rewritten.
    QFile file(dictionary);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("cat\tkitty\r\n");
    file.close();
    m_form.reset();
    start();
    QCOMPARE(QFileInfo(dictionary).size(), 11);
}

void TestForm1Startup::unwritableDictionaryKeepsRunning()
{
    // A folder where the file belongs cannot be replaced by the dictionary.
    QVERIFY(QDir(m_platform->paths.windowsDirectory).mkdir(QStringLiteral("winup.ico")));
    start();
    QCOMPARE(m_platform->messageBoxes.shown.size(), 1);
    QVERIFY(m_platform->messageBoxes.shown[0].text.contains(QStringLiteral("winup.ico")));
    // Start-up goes on to its sound and its view.
    QCOMPARE(m_platform->sound.plays.size(), 1);
    QVERIFY(!child<QListWidget>("List1")->isHidden());
}

QTEST_MAIN(TestForm1Startup)
#include "tst_form1_startup.moc"
