// Every control of the About and Quick Help windows built as its window's table designs it,
// and the places a user would notice, in twips.

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

using forms::ControlKind;
using platform::fakes::FakePlatform;

namespace {

ControlKind kindOf(QWidget* w)
{
    if (qobject_cast<QPushButton*>(w))
        return ControlKind::CommandButton;
    if (qobject_cast<QGroupBox*>(w))
        return ControlKind::Frame;
    if (qobject_cast<QPlainTextEdit*>(w))
        return ControlKind::MultiLineTextBox;
    if (qobject_cast<forms::LineControl*>(w))
        return ControlKind::Line;
    if (qobject_cast<forms::LinkLabel*>(w))
        return ControlKind::Link;
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->pixmap().isNull() ? ControlKind::Label : ControlKind::Image;
    if (qobject_cast<QFrame*>(w))
        return ControlKind::PictureBox;
    return ControlKind::Panel;
}

QString textOf(QWidget* w)
{
    if (auto* b = qobject_cast<QPushButton*>(w))
        return b->text();
    if (auto* g = qobject_cast<QGroupBox*>(w))
        return g->title();
    if (auto* l = qobject_cast<QLabel*>(w))
        return l->text();
    if (auto* t = qobject_cast<QPlainTextEdit*>(w))
        return t->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return {};
}

/// A window of the kind the test names, over `fakes`.
std::unique_ptr<forms::SecondaryWindow> open(const QString& window, FakePlatform& fakes)
{
    if (window == "frmAbout")
        return std::make_unique<frmAbout>(fakes.services(), [] { return true; });
    return std::make_unique<help>(fakes.services(), [] { return true; });
}

} // namespace

class TestInventory : public QObject
{
    Q_OBJECT
private slots:
    void controls_data();
    void controls();
    void places_data();
    void places();
    void windows();
    void scalesWithDpi();
};

void TestInventory::controls_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("index"); // in the window's table

    for (const auto& [window, design] :
         {std::pair{QStringLiteral("frmAbout"), frmAbout::design()}, {"help", help::design()}}) {
        for (std::size_t i = 0; i < design.controls.size(); ++i) {
            const QString& name = design.controls[i].name;
            // The window sets the logo's labels side by side itself; see windows().
            if (window == "help" && design.controls[i].autoSize)
                continue;
            QTest::newRow(qPrintable(window + ' ' + name)) << window << int(i);
        }
    }
}

void TestInventory::controls()
{
    QFETCH(QString, window);
    QFETCH(int, index);
    const forms::ControlDesign design =
        (window == "frmAbout" ? frmAbout::design() : help::design()).controls[std::size_t(index)];

    FakePlatform fakes; // 15 twips to the pixel
    const std::unique_ptr<forms::SecondaryWindow> form = open(window, fakes);
    QWidget* control = form->control(design.name);
    QVERIFY(control);
    QCOMPARE(control->objectName(), design.name);
    QCOMPARE(kindOf(control), design.kind);
    QCOMPARE(control->parentWidget()->objectName(),
             design.container.isEmpty() ? window : design.container);
    QCOMPARE(textOf(control), design.text);
    QCOMPARE(!control->isHidden(), design.visible);

    const std::array<int, 4>& twips = design.twips;
    if (design.kind == ControlKind::Line) {
        auto* line = static_cast<forms::LineControl*>(control);
        QCOMPARE(line->ends(), QLine(twips[0] / 15, twips[1] / 15, twips[2] / 15, twips[3] / 15));
        QCOMPARE(line->colour(), design.foreColor);
        return;
    }
    const QRect expected(twips[0] / 15, twips[1] / 15, twips[2] / 15, twips[3] / 15);
    if (!design.autoSize) {
        QCOMPARE(control->geometry(), expected);
        return;
    }
    // An auto-size label keeps its corner and fits its text, whatever the face.
    QCOMPARE(control->pos(), expected.topLeft());
    QVERIFY(control->width() >= control->fontMetrics().horizontalAdvance(design.text));
}

void TestInventory::places_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QRect>("twips"); // within the control's container
    QTest::newRow("lpAppImage") << "frmAbout" << QRect(0, 240, 1215, 3075);
    QTest::newRow("Label1") << "frmAbout" << QRect(2040, 1080, 1815, 255);
    QTest::newRow("Command1") << "frmAbout" << QRect(3840, 4080, 1275, 375);
    QTest::newRow("Frame1") << "help" << QRect(45, 0, 5550, 6420);
    QTest::newRow("Text1") << "help" << QRect(240, 1320, 5055, 4215);
    QTest::newRow("cmdCLOSE") << "help" << QRect(2160, 5880, 975, 405);
}

void TestInventory::places()
{
    QFETCH(QString, window);
    QFETCH(QRect, twips);
    FakePlatform fakes;
    const std::unique_ptr<forms::SecondaryWindow> form = open(window, fakes);
    QWidget* control = form->control(QLatin1String(QTest::currentDataTag()));
    QVERIFY(control);
    const QRect pixels = control->geometry();
    QCOMPARE(QRect(pixels.x() * 15, pixels.y() * 15, pixels.width() * 15, pixels.height() * 15),
             twips);
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
