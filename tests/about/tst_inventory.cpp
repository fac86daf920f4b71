// Every control of the About and Quick Help windows where it was designed, in twips.

#include "about/AboutTexts.h"
#include "about/frmAbout.h"
#include "about/help.h"
#include "platform/fakes/FakePlatform.h"
#include "platform/forms/FormBuilder.h"

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

using platform::fakes::FakePlatform;

namespace {

QString kindOf(QWidget* w)
{
    if (qobject_cast<QPushButton*>(w))
        return QStringLiteral("CommandButton");
    if (qobject_cast<QGroupBox*>(w))
        return QStringLiteral("Frame");
    if (qobject_cast<QPlainTextEdit*>(w))
        return QStringLiteral("TextBox");
    if (dynamic_cast<forms::LineControl*>(w))
        return QStringLiteral("Line");
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->pixmap().isNull() ? QStringLiteral("Label") : QStringLiteral("Image");
    if (qobject_cast<QFrame*>(w))
        return QStringLiteral("PictureBox");
    return QStringLiteral("?");
}

QString textOf(QWidget* w)
{
    if (auto* b = qobject_cast<QPushButton*>(w))
        return b->text();
    if (auto* g = qobject_cast<QGroupBox*>(w))
        return g->title();
    if (auto* l = qobject_cast<QLabel*>(w))
        return l->text();
    return {};
}

} // namespace

class TestInventory : public QObject
{
    Q_OBJECT
private slots:
    void controls_data();
    void controls();
    void windows();
    void scalesWithDpi();
};

void TestInventory::controls_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("container");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QList<int>>("twips"); // left, top, width, height; a line's end points
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("autoSize");
    QTest::addColumn<bool>("visible");

    auto about = [](const char* name, const char* container, const char* kind, QList<int> twips,
                    const QString& text, bool autoSize = false, bool visible = true) {
        QTest::newRow(qPrintable(QStringLiteral("about ") + QLatin1String(name)))
            << QStringLiteral("frmAbout") << QString::fromLatin1(container) << kind << twips << text
            << autoSize << visible;
    };
    about("lpAppImage", "", "Image", {0, 240, 1215, 3075}, {});
    about("lbAppTitle", "", "Label", {1440, 360, 2310, 210}, "Verot Glyphora", true);
    about("lbAppVersion(0)", "", "Label", {2760, 720, 960, 195}, about::kVersionText, false, false);
    about("lbAppVersion(1)", "", "Label", {1440, 120, 1005, 195}, "", true);
    about("Label6", "", "Label", {1440, 720, 1215, 255}, "");
    about("Label7", "", "Label", {1440, 1080, 615, 255}, "Email    :");
    about("Label1", "", "Label", {2040, 1080, 1815, 255}, about::kAuthorEmail);
    about("Label2", "", "Label", {1440, 1320, 615, 255}, "URL1     :");
    about("Label5", "", "Label", {2040, 1320, 2775, 255}, about::kWebPage1);
    about("Label9", "", "Label", {1440, 1560, 495, 255}, "URL2     :");
    about("Label8", "", "Label", {2040, 1560, 3375, 255}, about::kWebPage2);
    about("Label3", "", "Label", {1440, 1800, 1695, 255}, "ICQ      : " + about::kIcqNumber);
    about("Label4", "", "Label", {1440, 2040, 2775, 255}, "Mobile  : " + about::kMobileNumber);
    about("Picture1", "", "PictureBox", {1320, 2400, 3855, 1095}, {});
    about("lbAppCopyright", "Picture1", "Label", {120, 120, 3285, 195}, about::kRightsLine, true);
    about("lbAInfo", "Picture1", "Label", {120, 360, 2640, 195}, about::kAuthorCredit, true);
    about("Label10", "Picture1", "Label", {120, 600, 3255, 195}, about::kTranslatorCredit, true);
    about("Line1(0)", "", "Line", {120, 3600, 5640, 3600}, {});
    about("Line1(1)", "", "Line", {-120, 3600, 5640, 3600}, {});
    about("lbTemp(1)", "", "Label", {240, 3720, 2925, 1155}, about::kDistributionNotice);
    about("Command1", "", "CommandButton", {3840, 4080, 1275, 375}, "&Ok");
    about("Command2", "", "CommandButton", {3840, 4560, 1275, 375}, "&System Info...");
    about("Image1", "", "Image", {4080, 480, 480, 480}, {});
    about("Line2", "", "Line", {-360, 5040, 5760, 5040}, {});

    auto help = [](const char* name, const char* container, const char* kind, QList<int> twips,
                   const QString& text) {
        QTest::newRow(qPrintable(QStringLiteral("help ") + QLatin1String(name)))
            << QStringLiteral("help") << QString::fromLatin1(container) << kind << twips << text
            << false << true;
    };
    help("Frame1", "", "Frame", {45, 0, 5550, 6420}, "");
    help("Image1", "Frame1", "Image", {135, 225, 480, 480}, {});
    help("Label14", "Frame1", "Label", {3720, 600, 1695, 255}, about::kVersionText);
    help("Label16", "Frame1", "Label", {3720, 840, 1575, 255}, "10th June 2003");
    help("Text1", "Frame1", "TextBox", {240, 1320, 5055, 4215}, {});
    help("cmdCLOSE", "Frame1", "CommandButton", {2160, 5880, 975, 405}, "Ok");
}

void TestInventory::controls()
{
    QFETCH(QString, window);
    QFETCH(QString, container);
    QFETCH(QString, kind);
    QFETCH(QList<int>, twips);
    QFETCH(QString, text);
    QFETCH(bool, autoSize);
    QFETCH(bool, visible);

    FakePlatform fakes; // 15 twips to the pixel
    std::unique_ptr<QWidget> form;
    QWidget* control = nullptr;
    const QString name = QString::fromLatin1(QTest::currentDataTag()).section(' ', 1);
    if (window == "frmAbout") {
        auto* w = new frmAbout(fakes.services(), [] { return true; });
        form.reset(w);
        control = w->control(name);
    } else {
        auto* w = new help(fakes.services(), [] { return true; });
        form.reset(w);
        control = w->control(name);
    }
    QVERIFY(control);
    QCOMPARE(control->objectName(), name);
    QCOMPARE(kindOf(control), kind);
    QCOMPARE(control->parentWidget()->objectName(), container.isEmpty() ? window : container);
    QCOMPARE(textOf(control), text);
    QCOMPARE(!control->isHidden(), visible);

    if (kind == "Line") {
        auto* line = static_cast<forms::LineControl*>(control);
        QCOMPARE(line->ends(), QLine(twips[0] / 15, twips[1] / 15, twips[2] / 15, twips[3] / 15));
        return;
    }
    const QRect expected(twips[0] / 15, twips[1] / 15, twips[2] / 15, twips[3] / 15);
    if (!autoSize) {
        QCOMPARE(control->geometry(), expected);
        return;
    }
    // An auto-size label keeps its corner and fits its text, whatever the face.
    QCOMPARE(control->pos(), expected.topLeft());
    QVERIFY(control->width() >= control->fontMetrics().horizontalAdvance(text));
}

void TestInventory::windows()
{
    FakePlatform fakes;
    frmAbout about(fakes.services(), [] { return true; });
    QCOMPARE(about.windowTitle(), QStringLiteral("About This Freeware ..."));
    QCOMPARE(about.size(), QSize(5700 / 15, 5310 / 15));
    QCOMPARE(about.minimumSize(), about.maximumSize());
    QVERIFY(!about.parentWidget());
    QVERIFY(about.testAttribute(Qt::WA_DeleteOnClose));
    QVERIFY(!(about.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(about.windowFlags() & Qt::WindowCloseButtonHint);
    QCOMPARE(QFontInfo(about.font()).bold(), true);

    help quick(fakes.services(), [] { return true; });
    QCOMPARE(quick.windowTitle(), QStringLiteral("Quick Help"));
    QCOMPARE(quick.size(), QSize(5640 / 15, 6495 / 15));
    QCOMPARE(quick.minimumSize(), quick.maximumSize());
    QVERIFY(!quick.parentWidget());
    QVERIFY(quick.testAttribute(Qt::WA_DeleteOnClose));
    QVERIFY(!(quick.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(!quick.windowIcon().isNull());

    // The logo spells the name in initials and rests, left to right, clear of the version.
    QString logo;
    int right = 720 / 15;
    for (int n = 1; n <= 6; ++n) {
        auto* label = qobject_cast<QLabel*>(quick.control(QStringLiteral("Label%1").arg(n)));
        QVERIFY(label);
        QVERIFY(label->x() >= right);
        right = label->geometry().right() + 1;
        logo += (n % 2 == 1 && n > 1 ? QStringLiteral(" ") : QString()) + label->text();
        const QColor colour = n % 2 == 1 ? QColor(0, 0, 255) : QColor(255, 0, 0);
        QCOMPARE(label->palette().color(QPalette::WindowText), colour);
    }
    QCOMPARE(logo, QStringLiteral("Verot Glyphora Help"));
    QCOMPARE(quick.control("Label1")->pos(), QPoint(720 / 15, 240 / 15));
    QVERIFY(right <= quick.control("Label14")->x());
}

void TestInventory::scalesWithDpi()
{
    // At 120 dpi a pixel is 12 twips: the same design, more pixels.
    FakePlatform fakes;
    fakes.windows.twipsX = 12;
    fakes.windows.twipsY = 12;
    frmAbout about(fakes.services(), [] { return true; });
    QCOMPARE(about.size(), QSize(475, 443)); // 5700 / 12, 5310 / 12 rounded
    QCOMPARE(about.control("Command1")->geometry(), QRect(320, 340, 106, 31));
    help quick(fakes.services(), [] { return true; });
    QCOMPARE(quick.control("Text1")->geometry(), QRect(20, 110, 421, 351));
}

QTEST_MAIN(TestInventory)
#include "tst_inventory.moc"
