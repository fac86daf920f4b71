// The About and Quick Help windows on a screen that scales everything by two: the pictures
// come from their sharper drawings, no bitmap-only face is asked for sizes it has no bitmap
// for, and the help text's hand-made lines still fit their box.

#include "about/HelpText.h"
#include "about/frmAbout.h"
#include "about/help.h"
#include "platform/fakes/FakePlatform.h"
#include "platform/forms/Fonts.h"
#include "platform/forms/SharpPicture.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>
#include <memory>

using platform::fakes::FakePlatform;

class TestHiDpi : public QObject
{
    Q_OBJECT
private slots:
    void screenIsScaled();
    void sharpPixmap_data();
    void sharpPixmap();
    void windowPictures();
    void noBitmapFaceWhenScaled();
    void helpLinesFit();
};

void TestHiDpi::screenIsScaled()
{
    QCOMPARE(qApp->devicePixelRatio(), 2.0);
}

void TestHiDpi::sharpPixmap_data()
{
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<QSize>("pixels");
    QTest::addColumn<int>("drawing"); // the drawing shown as it is; 0: a scaled one
    QTest::newRow("1") << 1.0 << QSize(32, 32) << 1;
    QTest::newRow("1.25") << 1.25 << QSize(40, 40) << 0;
    QTest::newRow("1.5") << 1.5 << QSize(48, 48) << 0;
    QTest::newRow("2") << 2.0 << QSize(64, 64) << 2;
    QTest::newRow("3") << 3.0 << QSize(96, 96) << 3;
    QTest::newRow("4") << 4.0 << QSize(128, 128) << 0;
}

void TestHiDpi::sharpPixmap()
{
    QFETCH(qreal, ratio);
    QFETCH(QSize, pixels);
    QFETCH(int, drawing);
    const QString path = QStringLiteral(":/about/glyphora32.png");
    const QPixmap pixmap = forms::sharpPixmap(path, ratio);
    QCOMPARE(pixmap.size(), pixels);
    QCOMPARE(pixmap.devicePixelRatio(), ratio);
    QCOMPARE(pixmap.deviceIndependentSize(), QSizeF(32, 32));
    if (drawing > 0) {
        const QString file =
            drawing == 1 ? path : QStringLiteral(":/about/glyphora32@%1x.png").arg(drawing);
        QCOMPARE(pixmap.toImage().convertToFormat(QImage::Format_ARGB32),
                 QImage(file).convertToFormat(QImage::Format_ARGB32));
    }
    QVERIFY(forms::sharpPixmap(QStringLiteral(":/about/none.png"), ratio).isNull());
}

void TestHiDpi::windowPictures()
{
    FakePlatform fakes;
    frmAbout about(fakes.services(), [] { return false; });
    for (const char* name : {"lpAppImage", "Image1"}) {
        const QPixmap picture = qobject_cast<QLabel*>(about.control(name))->pixmap();
        QCOMPARE(picture.devicePixelRatio(), 2.0);
    }
    const QPixmap side = qobject_cast<QLabel*>(about.control("lpAppImage"))->pixmap();
    QCOMPARE(side.size(), QSize(154, 402));
    QCOMPARE(QImage(QStringLiteral(":/about/side@2x.png")).size(), QSize(154, 402));
}

void TestHiDpi::noBitmapFaceWhenScaled()
{
    platform::registerFallbackFonts();
    for (platform::FontFace face : {platform::FontFace::Tahoma, platform::FontFace::MSSansSerif,
                                    platform::FontFace::TimesNewRoman}) {
        const QFont font = platform::makeFont(face, 8.25);
        const QString family = QFontInfo(font).family();
        QVERIFY2(QFontDatabase::isSmoothlyScalable(family), qPrintable(family));
    }
}

void TestHiDpi::helpLinesFit()
{
    FakePlatform fakes;
    help window(fakes.services(), [] { return false; });
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* text = qobject_cast<QPlainTextEdit*>(window.control(QStringLiteral("Text1")));
    // The opening paragraph's lines are the widest of those broken by hand.
    QTextBlock block = text->document()->firstBlock();
    for (int line = 0; line < 9; ++line, block = block.next()) {
        QVERIFY(block.isValid());
        QVERIFY2(block.layout()->lineCount() == 1, qPrintable(block.text()));
    }
}

int main(int argc, char** argv)
{
    // Before the application exists: every screen then has a pixel ratio of two.
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    TestHiDpi test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_hidpi.moc"
