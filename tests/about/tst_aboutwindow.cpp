// The About window's behaviour: the version blink, the link highlight along pointer paths,
// the pointers, the links and the two buttons.

#include "about/AboutTexts.h"
#include "about/SysInfo.h"
#include "about/frmAbout.h"
#include "platform/Version.h"
#include "platform/fakes/FakePlatform.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

using platform::fakes::FakePlatform;

namespace {
const QColor kNavy(0, 0, 128);
const QColor kBlack(0, 0, 0);
const QString kVersionLine = QStringLiteral("Version ") + QLatin1String(platform::kVersion);

QColor colourOf(frmAbout& w, const char* name)
{
    return w.control(QString::fromLatin1(name))->palette().color(QPalette::WindowText);
}

QString textOf(frmAbout& w, const char* name)
{
    return qobject_cast<QLabel*>(w.control(QString::fromLatin1(name)))->text();
}
} // namespace

class TestAboutWindow : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void blinkSteps();
    void blinkFollowsTheTimer();
    void linkHighlight_data();
    void linkHighlight();
    void linkPointers();
    void emailLink();
    void webLinks();
    void okPlaysAndCloses_data();
    void okPlaysAndCloses();
    void systemInfoButton();

private:
    std::unique_ptr<FakePlatform> m_owned;
    FakePlatform& fakes() { return *m_owned; }
    QTemporaryDir m_temp;
};

void TestAboutWindow::init()
{
    m_owned = std::make_unique<FakePlatform>();
    m_owned->paths.tempPath = m_temp.path() + QLatin1Char('/');
}

void TestAboutWindow::blinkSteps()
{
    frmAbout w(fakes().services(), [] { return true; });
    QCOMPARE(textOf(w, "Label6"), QString());
    const QStringList expected = {kVersionLine, "", kVersionLine, ""};
    for (const QString& text : expected) {
        w.Timer1_Timer();
        QCOMPARE(textOf(w, "Label6"), text);
    }
}

void TestAboutWindow::blinkFollowsTheTimer()
{
    frmAbout w(fakes().services(), [] { return true; });
    auto* timer = w.findChild<QTimer*>("Timer1");
    QVERIFY(timer);
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 500);
    QSignalSpy ticks(timer, &QTimer::timeout);
    QVERIFY(ticks.wait(2000));
    QCOMPARE(textOf(w, "Label6"), kVersionLine);
    QVERIFY(ticks.wait(2000));
    QCOMPARE(textOf(w, "Label6"), QString());
}

void TestAboutWindow::linkHighlight_data()
{
    QTest::addColumn<QStringList>("path"); // controls the pointer moves onto, in order
    QTest::addColumn<QColor>("label1");
    QTest::addColumn<QColor>("label5");
    QTest::addColumn<QColor>("label8");
    const QColor buttonText = QPalette().color(QPalette::ButtonText);

    QTest::newRow("untouched") << QStringList{} << buttonText << kBlack << kBlack;
    QTest::newRow("background") << QStringList{"background"} << kBlack << kBlack << kBlack;
    QTest::newRow("e-mail") << QStringList{"Label1"} << kNavy << kBlack << kBlack;
    QTest::newRow("page 1") << QStringList{"Label5"} << kBlack << kNavy << kBlack;
    QTest::newRow("page 2") << QStringList{"Label8"} << kBlack << kBlack << kNavy;
    QTest::newRow("page 1 to background")
        << QStringList{"Label5", "background"} << kBlack << kBlack << kBlack;
    QTest::newRow("e-mail to background")
        << QStringList{"Label1", "background"} << kBlack << kBlack << kBlack;
    // The background does not reset the second web link.
    QTest::newRow("page 2 to background")
        << QStringList{"Label8", "background"} << kBlack << kBlack << kNavy;
    QTest::newRow("page 2 to page 1")
        << QStringList{"Label8", "Label5"} << kBlack << kNavy << kBlack;
    QTest::newRow("page 2 to e-mail")
        << QStringList{"Label8", "Label1"} << kNavy << kBlack << kBlack;
    QTest::newRow("e-mail to page 2")
        << QStringList{"Label1", "Label8"} << kBlack << kBlack << kNavy;
    // Another control is not the background; a drawn line is.
    QTest::newRow("page 1 to a caption")
        << QStringList{"Label5", "Label3"} << kBlack << kNavy << kBlack;
    QTest::newRow("page 1 to the picture box")
        << QStringList{"Label5", "Picture1"} << kBlack << kNavy << kBlack;
    QTest::newRow("page 1 to a line")
        << QStringList{"Label5", "Line2"} << kBlack << kBlack << kBlack;
}

void TestAboutWindow::linkHighlight()
{
    QFETCH(QStringList, path);
    QFETCH(QColor, label1);
    QFETCH(QColor, label5);
    QFETCH(QColor, label8);

    frmAbout w(fakes().services(), [] { return true; });
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    for (const QString& target : path) {
        QPoint at(330, 20); // bare window, right of the title
        if (target == "Line2")
            at = QPoint(200, 5040 / 15);
        else if (target != "background")
            at = w.control(target)->mapTo(&w, QPoint(3, 3));
        QTest::mouseMove(&w, at);
    }
    QCOMPARE(colourOf(w, "Label1"), label1);
    QCOMPARE(colourOf(w, "Label5"), label5);
    QCOMPARE(colourOf(w, "Label8"), label8);
}

void TestAboutWindow::linkPointers()
{
    frmAbout w(fakes().services(), [] { return true; });
    for (const char* name : {"Label1", "Label5", "Label8"}) {
        const QCursor cursor = w.control(name)->cursor();
        QCOMPARE(cursor.shape(), Qt::BitmapCursor);
        QCOMPARE(cursor.hotSpot(), QPoint(12, 1));
        QCOMPARE(cursor.pixmap().size(), QSize(32, 32));
    }
    QCOMPARE(w.control("Label5")->cursor().pixmap().toImage(),
             w.control("Label8")->cursor().pixmap().toImage());
    QVERIFY(w.control("Label1")->cursor().pixmap().toImage() !=
            w.control("Label5")->cursor().pixmap().toImage());
}

void TestAboutWindow::emailLink()
{
    frmAbout w(fakes().services(), [] { return true; });
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTest::mouseClick(w.control("Label1"), Qt::RightButton);
    QVERIFY(fakes().shell.executed.isEmpty());
    QTest::mouseClick(w.control("Label1"), Qt::LeftButton);
    QCOMPARE(fakes().shell.executed, QStringList{"mailto:" + about::kAuthorEmail});
    QVERIFY(fakes().shell.started.isEmpty());
}

void TestAboutWindow::webLinks()
{
    fakes().shell.browser = QStringLiteral("/usr/bin/browser");
    frmAbout w(fakes().services(), [] { return true; });
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTest::mouseClick(w.control("Label5"), Qt::LeftButton);
    QTest::mouseClick(w.control("Label8"), Qt::LeftButton);
    QCOMPARE(fakes().shell.started.size(), 2);
    QCOMPARE(fakes().shell.started[0].program, QStringLiteral("/usr/bin/browser"));
    QCOMPARE(fakes().shell.started[0].arguments, QStringList{about::kWebPage1});
    QCOMPARE(fakes().shell.started[1].arguments, QStringList{about::kWebPage2});
    QVERIFY(QDir(m_temp.path()).isEmpty()); // no probe left behind

    // No association: nothing starts and nothing is said.
    fakes().shell.findCode = 31;
    QTest::mouseClick(w.control("Label5"), Qt::LeftButton);
    QCOMPARE(fakes().shell.started.size(), 2);
    QVERIFY(fakes().messageBoxes.shown.isEmpty());
}

void TestAboutWindow::okPlaysAndCloses_data()
{
    QTest::addColumn<bool>("soundsOn");
    QTest::addColumn<bool>("resourceMissing");
    QTest::addColumn<int>("plays");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("sounds on") << true << false << 1 << QStringList{};
    QTest::newRow("sounds off") << false << false << 0 << QStringList{};
    QTest::newRow("sound missing") << true << true << 0 << QStringList{"Can't play sound"};
}

void TestAboutWindow::okPlaysAndCloses()
{
    QFETCH(bool, soundsOn);
    QFETCH(bool, resourceMissing);
    QFETCH(int, plays);
    QFETCH(QStringList, messages);
    if (resourceMissing)
        fakes().resources.items.clear();

    QPointer<frmAbout> w = new frmAbout(fakes().services(), [soundsOn] { return soundsOn; });
    w->show();
    QTest::mouseClick(qobject_cast<QPushButton*>(w->control("Command1")), Qt::LeftButton);
    QCOMPARE(fakes().sound.plays.size(), plays);
    if (plays)
        QCOMPARE(fakes().sound.plays[0].flags, 5u);
    QCOMPARE(fakes().messageBoxes.texts(), messages);
    QTRY_VERIFY(w.isNull()); // unloaded: the main window makes a new one next time
}

void TestAboutWindow::systemInfoButton()
{
    fakes().registry.keys[about::kMsInfoKey]["PATH"] = {platform::REG_SZ,
                                                        QByteArray("/opt/info/tool") + '\0'};
    frmAbout w(fakes().services(), [] { return true; });
    QTest::mouseClick(qobject_cast<QPushButton*>(w.control("Command2")), Qt::LeftButton);
    QCOMPARE(fakes().shell.started.size(), 1);
    QCOMPARE(fakes().shell.started[0].program, QStringLiteral("/opt/info/tool"));
    QVERIFY(fakes().shell.started[0].arguments.isEmpty());

    fakes().registry.keys.clear();
    w.Command2_Click();
    QCOMPARE(fakes().messageBoxes.texts(), QStringList{about::kSysInfoUnavailable});
    QCOMPARE(fakes().messageBoxes.shown[0].owner, &w);
}

QTEST_MAIN(TestAboutWindow)
#include "tst_aboutwindow.moc"
