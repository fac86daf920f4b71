// The picture faces as files: each GIF is a single-image GIF89a with one transparent colour,
// of the agreed size and byte count, and the sharper drawings match it in shape.

#include "catalogue/Faces.h"

#include <QFile>
#include <QPainter>
#include <QTest>

namespace {

struct GifFacts
{
    bool ok = false;
    QString problem;
    int width = 0;
    int height = 0;
    int images = 0;
    int transparentFlags = 0;
};

quint16 le16(const QByteArray& d, qsizetype at)
{
    return quint16(quint8(d[at]) | quint8(d[at + 1]) << 8);
}

// Walks the blocks of a GIF file; says what is wrong rather than crashing on a short file.
GifFacts readGif(const QByteArray& d)
{
    GifFacts f;
    auto fail = [&f](const char* why) {
        f.problem = QString::fromLatin1(why);
        return f;
    };
    if (d.size() < 13 || !d.startsWith("GIF89a"))
        return fail("not GIF89a");
    f.width = le16(d, 6);
    f.height = le16(d, 8);
    qsizetype at = 13;
    if (quint8(d[10]) & 0x80)
        at += 3 * (qsizetype(1) << ((quint8(d[10]) & 7) + 1));
    auto skipSubBlocks = [&d, &at]() {
        while (at < d.size() && d[at] != 0)
            at += 1 + quint8(d[at]);
        ++at;
    };
    while (at < d.size()) {
        const quint8 kind = quint8(d[at]);
        if (kind == 0x3B) {
            f.ok = at == d.size() - 1;
            return f.ok ? f : fail("bytes after the trailer");
        }
        if (kind == 0x21) {
            if (at + 3 >= d.size())
                return fail("short extension");
            if (quint8(d[at + 1]) == 0xF9 && (quint8(d[at + 3]) & 1))
                ++f.transparentFlags;
            at += 2;
            skipSubBlocks();
        } else if (kind == 0x2C) {
            if (at + 10 >= d.size())
                return fail("short image descriptor");
            ++f.images;
            const quint8 packed = quint8(d[at + 9]);
            at += 10;
            if (packed & 0x80)
                at += 3 * (qsizetype(1) << ((packed & 7) + 1));
            ++at; // LZW minimum code size
            skipSubBlocks();
        } else {
            return fail("unknown block");
        }
    }
    return fail("no trailer");
}

} // namespace

class TestFaces : public QObject
{
    Q_OBJECT
private slots:
    void buttonOrderAndNames()
    {
        const QStringList expected{
            "Big grin",  "Confuse",          "Cool",  "Surprise", "Frown", "Mad", "Embarrasment",
            "Sarcastic", "Stick out tongue", "Smile", "Wink"};
        QStringList names;
        for (const catalogue::Face& face : catalogue::faces())
            names << face.description.toString();
        QCOMPARE(names, expected);
    }

    void gifFiles_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("height");
        for (int i = 0; i < catalogue::kFaceCount; ++i) {
            const QString name = catalogue::faces()[std::size_t(i)].description.toString();
            QTest::newRow(qPrintable(name)) << i << (i == 1 ? 22 : 15);
        }
    }
    void gifFiles()
    {
        QFETCH(int, index);
        QFETCH(int, height);
        const catalogue::Face& face = catalogue::faces()[std::size_t(index)];
        QFile file(catalogue::facePath(face));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        const QByteArray bytes = file.readAll();
        QVERIFY2(bytes.size() >= 244 && bytes.size() <= 393,
                 qPrintable(QString::number(bytes.size())));

        const GifFacts gif = readGif(bytes);
        QVERIFY2(gif.ok, qPrintable(gif.problem));
        QCOMPARE(gif.width, 15);
        QCOMPARE(gif.height, height);
        QCOMPARE(gif.images, 1);
        QCOMPARE(gif.transparentFlags, 1);

        const QImage image = catalogue::faceImage(face);
        QCOMPARE(image.size(), QSize(15, height));
        QCOMPARE(face.size, image.size()); // the buttons are sized before any picture is read
        QVERIFY(image.hasAlphaChannel());
        QCOMPARE(qAlpha(image.pixel(0, height - 1)), 0);   // outside the round face
        QCOMPARE(qAlpha(image.pixel(7, height - 8)), 255); // the middle of the face
        QCOMPARE(qAlpha(image.pixel(7, height - 1)), 255); // its bottom outline
    }

    void sharperDrawings_data() { gifFiles_data(); }
    void sharperDrawings()
    {
        QFETCH(int, index);
        QFETCH(int, height);
        const catalogue::Face& face = catalogue::faces()[std::size_t(index)];
        for (int scale : {2, 3, 5}) {
            const QImage image(catalogue::facePath(face, scale));
            QCOMPARE(image.size(), QSize(15 * scale, height * scale));
            QCOMPARE(qAlpha(image.pixel(0, image.height() - 1)), 0);
            QCOMPARE(qAlpha(image.pixel(image.width() / 2, image.height() - 8 * scale)), 255);
        }
        const QList<QSize> sizes = catalogue::faceIcon(face).availableSizes();
        for (int scale : {1, 2, 3})
            QVERIFY(sizes.contains(QSize(15 * scale, height * scale)));
        QCOMPARE(catalogue::faceDisplayPixmap(face).size(), QSize(75, height * 5));
    }

    // What a button's style asks of the icon at each pixel ratio: exactly the device pixels
    // of the button's icon, so that nothing is shrunk by dropping pixels when it is painted;
    // the drawing made for that ratio where there is one.
    void iconAtPixelRatio_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<QSize>("pixels");
        QTest::addColumn<int>("drawing"); // the scale of the drawing shown as it is; 0: none
        QTest::newRow("wink 1") << 10 << 1.0 << QSize(15, 15) << 1;
        QTest::newRow("wink 1.5") << 10 << 1.5 << QSize(23, 23) << 0;
        QTest::newRow("wink 2") << 10 << 2.0 << QSize(30, 30) << 2;
        QTest::newRow("wink 3") << 10 << 3.0 << QSize(45, 45) << 3;
        QTest::newRow("confuse 1") << 1 << 1.0 << QSize(15, 22) << 1;
        QTest::newRow("confuse 1.5") << 1 << 1.5 << QSize(22, 33) << 0;
        QTest::newRow("confuse 2") << 1 << 2.0 << QSize(30, 44) << 2;
    }
    void iconAtPixelRatio()
    {
        QFETCH(int, index);
        QFETCH(qreal, ratio);
        QFETCH(QSize, pixels);
        QFETCH(int, drawing);
        const catalogue::Face& face = catalogue::faces()[std::size_t(index)];
        const QPixmap pixmap = catalogue::faceIcon(face).pixmap(face.size, ratio);
        QCOMPARE(pixmap.size(), pixels);
        QCOMPARE(pixmap.devicePixelRatio(), ratio);
        if (drawing > 0) {
            const QImage expected = QImage(catalogue::facePath(face, drawing))
                                        .convertToFormat(QImage::Format_ARGB32_Premultiplied);
            QCOMPARE(pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
                     expected);
        }
        // Painted into the icon's place at that ratio, it fills the same device pixels.
        QImage canvas(pixels, QImage::Format_ARGB32_Premultiplied);
        canvas.setDevicePixelRatio(ratio);
        canvas.fill(Qt::transparent);
        QPainter painter(&canvas);
        catalogue::faceIcon(face).paint(&painter, QRect(QPoint(), face.size));
        painter.end();
        QCOMPARE(qAlpha(canvas.pixel(pixels.width() / 2, pixels.height() - 1 - pixels.width() / 2)),
                 255);
        QCOMPARE(qAlpha(canvas.pixel(0, pixels.height() - 1)), 0);
    }
};

QTEST_MAIN(TestFaces)
#include "tst_Faces.moc"
