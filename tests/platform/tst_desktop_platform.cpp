// The Linux implementations of the platform services that need no outside program.

#include "platform/QtSettingsStore.h"
#include "platform/WaveFormat.h"
#include "platform/desktop/QtClipboard.h"
#include "platform/desktop/QtFileDialogs.h"
#include "platform/desktop/QtMessageBoxes.h"
#include "platform/desktop/QtSoundOutput.h"
#include "platform/desktop/QtWindowSystem.h"
#include "platform/desktop/WindowSystemChoice.h"
#include "platform/desktop/XdgPaths.h"
#include "platform/fakes/FakePlatform.h"
#include "platform/forms/Fonts.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPointer>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgDefault;

class TestDesktopPlatform : public QObject
{
    Q_OBJECT
private slots:
    void settingsFile();
    void settingsUnwritable();
    void settingsDamaged_data();
    void settingsDamaged();
    void waveHeader_data();
    void waveHeader();
    void silentWithoutSoundServer();
    void dataFolderFollowsXdg_data();
    void dataFolderFollowsXdg();
    void fileDialogFilters_data();
    void fileDialogFilters();
    void messageBoxKeys_data();
    void messageBoxKeys();
    void clipboardText();
    void standInKeepsTahomasWidth();
    void waitDispatchesEventsForItsTime();
    void windowSystemChoice_data();
    void windowSystemChoice();
    // Leaves the application quitting: keep it last.
    void waitEndsWhenApplicationQuits();
};

void TestDesktopPlatform::settingsFile()
{
    platform::QtSettingsStore store;
    QCOMPARE(store.GetSetting("Glyphora", "Settings", "Sound"), QString());
    store.SaveSetting("Glyphora", "Settings", "Sound", "0");
    QCOMPARE(store.GetSetting("Glyphora", "Settings", "Sound"), QStringLiteral("0"));

    // On disk at once, where a Linux user looks for it.
    const QString path = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                         "/Glyphora/Glyphora.conf";
    QFile file(path);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
    const QByteArray content = file.readAll();
    QVERIFY(content.contains("[Settings]"));
    QVERIFY(content.contains("Sound=0"));

    // The same value again leaves the file alone (it would be rewritten as "Sound=0"); a
    // new one reaches it at once.
    file.close();
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("[Settings]\nSound = 0\n");
    file.close();
    store.SaveSetting("Glyphora", "Settings", "Sound", "0");
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("[Settings]\nSound = 0\n"));
    file.close();
    store.SaveSetting("Glyphora", "Settings", "Sound", "1");
    QCOMPARE(store.GetSetting("Glyphora", "Settings", "Sound"), QStringLiteral("1"));
}

void TestDesktopPlatform::settingsUnwritable()
{
    const QString dir =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/Locked";
    QDir().mkpath(dir);
    QFile::setPermissions(dir, QFile::ReadOwner | QFile::ExeOwner);
    if (QFileInfo(dir).isWritable())
        QSKIP("running with rights that ignore folder permissions");
    platform::QtSettingsStore store;
    QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                             store.SaveSetting("Locked", "Settings", "Sound", "1"));
    QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void TestDesktopPlatform::settingsDamaged_data()
{
    QTest::addColumn<QByteArray>("content");
    QByteArray noise(300, Qt::Uninitialized);
    QRandomGenerator random(7);
    for (char& c : noise)
        c = char(random.bounded(256));
    QTest::newRow("binary garbage") << noise;
    QTest::newRow("garbage after the setting")
        << QByteArray("[Settings]\nSound=1\n\0\xFF garbage\n", 31);
}

// A damaged settings file is reported and left byte for byte as it was: the user is told
// the choice was not saved, and the next start does not find it saved either.
void TestDesktopPlatform::settingsDamaged()
{
    QFETCH(QByteArray, content);
    const QString dir =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/Damaged";
    QDir().mkpath(dir);
    QFile file(dir + "/Damaged.conf");
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();
    platform::QtSettingsStore store;
    try {
        store.SaveSetting("Damaged", "Settings", "Sound", "0");
        QFAIL("a damaged file was written to without a word");
    } catch (const std::runtime_error& error) {
        const QString what = QString::fromUtf8(error.what());
        QVERIFY2(what.contains(file.fileName()) && what.contains("damaged"), qPrintable(what));
    }
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), content);
}

void TestDesktopPlatform::waveHeader_data()
{
    QTest::addColumn<QByteArray>("image");
    QTest::addColumn<bool>("valid");
    const QByteArray good = platform::fakes::silentWave();
    QTest::newRow("click") << good << true;
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("not riff") << QByteArray("RIFX") + good.mid(4) << false;
    QTest::newRow("header only") << good.left(44) << true;
    QTest::newRow("cut in fmt") << good.left(24) << false;
    QByteArray compressed = good;
    compressed[20] = 2; // ADPCM
    QTest::newRow("not pcm") << compressed << false;
    QByteArray huge = good;
    huge[40] = '\xff';
    huge[41] = '\xff';
    huge[42] = '\xff';
    huge[43] = '\x7f';
    QTest::newRow("data size past end") << huge << true;
}

void TestDesktopPlatform::waveHeader()
{
    QFETCH(QByteArray, image);
    QFETCH(bool, valid);
    const auto info = platform::parseWave(image);
    QCOMPARE(info.has_value(), valid);
    if (info) {
        QCOMPARE(info->channels, 1);
        QCOMPARE(info->sampleRate, 11025u);
        QCOMPARE(info->bitsPerSample, 8);
        QCOMPARE(info->dataOffset, 44);
        QVERIFY(info->dataOffset + info->dataSize <= image.size());
    }
}

void TestDesktopPlatform::silentWithoutSoundServer()
{
    // This test runs with no sound server: playing must neither block nor pretend.
    platform::QtSoundOutput output;
    const QByteArray wave = platform::fakes::silentWave();
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!output.sndPlaySound(wave, platform::SND_ASYNC | platform::SND_MEMORY));
    QVERIFY(clock.elapsed() < 2000);
    output.stop();
}

void TestDesktopPlatform::dataFolderFollowsXdg_data()
{
    QTest::addColumn<QString>("xdgFolders"); // "absolute", "relative" or "none"
    QTest::newRow("absolute XDG folders") << "absolute";
    QTest::newRow("relative XDG folders are ignored") << "relative";
    // Qt would take "/" for the home: the folders would appear under the root.
    QTest::newRow("no HOME: no folders at all") << "none";
}

void TestDesktopPlatform::dataFolderFollowsXdg()
{
    QFETCH(QString, xdgFolders);
    const QByteArray home = qgetenv("HOME"), data = qgetenv("XDG_DATA_HOME"),
                     config = qgetenv("XDG_CONFIG_HOME");
    const QString folder = QDir::currentPath();
    const auto restore = qScopeGuard([&] {
        QDir::setCurrent(folder);
        qputenv("HOME", home);
        qputenv("XDG_DATA_HOME", data);
        qputenv("XDG_CONFIG_HOME", config);
    });
    QTemporaryDir work;
    QVERIFY(QDir::setCurrent(work.path())); // where a relative folder would land
    QString dataFolder = QString::fromLocal8Bit(data) + "/Glyphora";
    QString settings = QString::fromLocal8Bit(config) + "/Glyphora/Glyphora.conf";
    if (xdgFolders == "relative") {
        qputenv("XDG_DATA_HOME", "data");
        qputenv("XDG_CONFIG_HOME", "config");
        dataFolder = QString::fromLocal8Bit(home) + "/.local/share/Glyphora";
        settings = QString::fromLocal8Bit(home) + "/.config/Glyphora/Glyphora.conf";
    } else if (xdgFolders == "none") {
        qunsetenv("HOME");
        qunsetenv("XDG_DATA_HOME");
        qunsetenv("XDG_CONFIG_HOME");
        dataFolder.clear();
        settings.clear();
    }
    platform::XdgPaths paths;
    QCOMPARE(paths.GetWindowsDirectory(), dataFolder);
    QVERIFY(dataFolder.isEmpty() || QFileInfo(dataFolder).isDir());
    QVERIFY(paths.GetTempPath().endsWith('/'));

    platform::QtSettingsStore store;
    if (settings.isEmpty()) {
        QCOMPARE(store.GetSetting("Glyphora", "Settings", "Sound"), QString());
        try {
            store.SaveSetting("Glyphora", "Settings", "Sound", "0");
            QFAIL("a setting was stored without a folder for it");
        } catch (const std::runtime_error& error) {
            QVERIFY2(QByteArray(error.what()).contains("HOME is not set"), error.what());
        }
    } else {
        store.SaveSetting("Glyphora", "Settings", "Sound", "0");
        QVERIFY2(QFileInfo(settings).isFile(), qPrintable(settings));
    }
    QCOMPARE(QDir(work.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

void TestDesktopPlatform::fileDialogFilters_data()
{
    QTest::addColumn<QString>("pipes");
    QTest::addColumn<QStringList>("filters");
    QTest::newRow("one") << "Text file (*.txt)|*.txt" << QStringList{"Text file (*.txt)"};
    QTest::newRow("two") << "Text (*.txt)|*.txt|All files|*.*"
                         << QStringList{"Text (*.txt)", "All files (*.*)"};
    QTest::newRow("several patterns")
        << "Documents|*.txt;*.log" << QStringList{"Documents (*.txt *.log)"};
    QTest::newRow("empty") << "" << QStringList{};
}

void TestDesktopPlatform::fileDialogFilters()
{
    QFETCH(QString, pipes);
    QFETCH(QStringList, filters);
    QCOMPARE(platform::nameFiltersFromPipes(pipes), filters);
}

void TestDesktopPlatform::messageBoxKeys_data()
{
    QTest::addColumn<MsgButtons>("buttons");
    QTest::addColumn<MsgDefault>("defaultButton");
    QTest::addColumn<int>("key");
    QTest::addColumn<MsgAnswer>("answer");
    QTest::newRow("yes/no, Enter")
        << MsgButtons::YesNo << MsgDefault::Button1 << int(Qt::Key_Return) << MsgAnswer::Yes;
    QTest::newRow("yes/no, second default, Enter")
        << MsgButtons::YesNo << MsgDefault::Button2 << int(Qt::Key_Return) << MsgAnswer::No;
    QTest::newRow("yes/no/cancel, third default, Enter")
        << MsgButtons::YesNoCancel << MsgDefault::Button3 << int(Qt::Key_Return)
        << MsgAnswer::Cancel;
    QTest::newRow("ok, no second button, Enter")
        << MsgButtons::Ok << MsgDefault::Button2 << int(Qt::Key_Return) << MsgAnswer::Ok;
    QTest::newRow("yes/no, Escape")
        << MsgButtons::YesNo << MsgDefault::Button1 << int(Qt::Key_Escape) << MsgAnswer::No;
}

void TestDesktopPlatform::messageBoxKeys()
{
    QFETCH(MsgButtons, buttons);
    QFETCH(MsgDefault, defaultButton);
    QFETCH(int, key);
    QFETCH(MsgAnswer, answer);
    QWidget owner;
    owner.show();
    // The user's key goes to the box once it is up, to the button that has the focus.
    QPointer<QWidget> parent;
    QTimer user;
    user.setInterval(10);
    connect(&user, &QTimer::timeout, this, [&] {
        QWidget* box = QApplication::activeModalWidget();
        if (!box)
            return;
        user.stop();
        parent = box->parentWidget();
        QTest::keyClick(box->focusWidget() ? box->focusWidget() : box, Qt::Key(key));
    });
    user.start();
    platform::QtMessageBoxes boxes;
    QCOMPARE(boxes.show({.text = QStringLiteral("Replace it?"),
                         .buttons = buttons,
                         .owner = &owner,
                         .defaultButton = defaultButton}),
             answer);
    QCOMPARE(parent.data(), &owner);
}

void TestDesktopPlatform::clipboardText()
{
    platform::QtClipboard clipboard;
    clipboard.Clear();
    QCOMPARE(clipboard.GetText(), QString()); // an empty clipboard has no data at all
    clipboard.SetText("IMO ");
    QCOMPARE(clipboard.GetText(), QStringLiteral("IMO "));
}

void TestDesktopPlatform::standInKeepsTahomasWidth()
{
    platform::registerFallbackFonts();
    if (!QFontDatabase::hasFamily(QStringLiteral("Tahoma")) ||
        !QFontDatabase::hasFamily(QStringLiteral("DejaVu Sans")))
        QSKIP("needs Tahoma (fonts-wine) and DejaVu Sans to compare");
    QCOMPARE(platform::stretchToTahomaWidth(QStringLiteral("Tahoma")), 100);

    // The wider stand-in, narrowed, takes the room Tahoma takes at the windows' sizes.
    const int stretch = platform::stretchToTahomaWidth(QStringLiteral("DejaVu Sans"));
    QVERIFY2(stretch >= 80 && stretch < 95, QByteArray::number(stretch));
    const QString caption = QStringLiteral("English to ebonic translator");
    for (int pixels : {11, 12, 16}) {
        QFont tahoma(QStringLiteral("Tahoma"));
        tahoma.setPixelSize(pixels);
        QFont standIn(QStringLiteral("DejaVu Sans"));
        standIn.setPixelSize(pixels);
        standIn.setStretch(stretch);
        const qreal expected = QFontMetricsF(tahoma).horizontalAdvance(caption);
        const qreal actual = QFontMetricsF(standIn).horizontalAdvance(caption);
        QVERIFY2(qAbs(actual - expected) < expected * 0.05,
                 qPrintable(
                     QStringLiteral("%1 px: %2 against %3").arg(pixels).arg(actual).arg(expected)));
    }
}

void TestDesktopPlatform::waitDispatchesEventsForItsTime()
{
    platform::QtWindowSystem windows;
    bool posted = false;
    bool due = false;
    QTimer::singleShot(0, [&posted] { posted = true; });
    // Due before the wait's end: a wait that returned at once would not see it.
    QTimer::singleShot(20, Qt::PreciseTimer, [&due] { due = true; });
    QVERIFY(windows.dispatchEventsFor(50));
    QVERIFY(posted);
    QVERIFY(due);
}

void TestDesktopPlatform::windowSystemChoice_data()
{
    using Args = QList<QByteArray>;
    QTest::addColumn<QByteArray>("qtPlatform");
    QTest::addColumn<QByteArray>("display");
    QTest::addColumn<QByteArray>("wayland");
    QTest::addColumn<QByteArray>("sessionType");
    QTest::addColumn<Args>("arguments");
    QTest::addColumn<Args>("toQt");

    const Args plain{"glyphora"};
    const Args onX11{"glyphora", "-platform", "xcb;wayland"};
    QTest::newRow("X11 session") << QByteArray() << QByteArray(":0") << QByteArray()
                                 << QByteArray("x11") << plain << plain;
    QTest::newRow("Wayland with XWayland")
        << QByteArray() << QByteArray(":0") << QByteArray("wayland-0") << QByteArray("wayland")
        << plain << onX11;
    QTest::newRow("Wayland session type, XWayland")
        << QByteArray() << QByteArray(":1") << QByteArray() << QByteArray("wayland") << plain
        << onX11;
    QTest::newRow("Wayland without X server")
        << QByteArray() << QByteArray() << QByteArray("wayland-0") << QByteArray("wayland") << plain
        << plain;
    QTest::newRow("user's QT_QPA_PLATFORM")
        << QByteArray("wayland") << QByteArray(":0") << QByteArray("wayland-0") << QByteArray()
        << plain << plain;
    QTest::newRow("user's -platform")
        << QByteArray() << QByteArray(":0") << QByteArray("wayland-0") << QByteArray()
        << Args{"glyphora", "-style", "fusion", "-platform", "wayland"}
        << Args{"glyphora", "-style", "fusion", "-platform", "wayland"};
    QTest::newRow("user's --platform")
        << QByteArray() << QByteArray(":0") << QByteArray("wayland-0") << QByteArray()
        << Args{"glyphora", "--platform", "wayland"} << Args{"glyphora", "--platform", "wayland"};
    QTest::newRow("other options kept after the choice")
        << QByteArray() << QByteArray(":0") << QByteArray("wayland-0") << QByteArray()
        << Args{"glyphora", "-style", "fusion"}
        << Args{"glyphora", "-platform", "xcb;wayland", "-style", "fusion"};
}

void TestDesktopPlatform::windowSystemChoice()
{
    QFETCH(QByteArray, qtPlatform);
    QFETCH(QByteArray, display);
    QFETCH(QByteArray, wayland);
    QFETCH(QByteArray, sessionType);
    QFETCH(QList<QByteArray>, arguments);
    QFETCH(QList<QByteArray>, toQt);

    std::vector<char*> argv;
    for (QByteArray& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    platform::QtArguments qt(int(arguments.size()), argv.data(),
                             {qtPlatform, display, wayland, sessionType});
    QList<QByteArray> given;
    for (int i = 0; i < qt.argc(); ++i)
        given.append(qt.argv()[i]);
    QCOMPARE(given, toQt);
    QCOMPARE(qt.argv()[qt.argc()], nullptr); // ends as a C command line does
}

void TestDesktopPlatform::waitEndsWhenApplicationQuits()
{
    platform::QtWindowSystem windows;
    QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
    QVERIFY(!windows.dispatchEventsFor(5000));
    QVERIFY(!windows.dispatchEventsFor(5000)); // and any wait after it
}

QTEST_MAIN(TestDesktopPlatform)
#include "tst_desktop_platform.moc"
