// Draws the About and Quick Help windows' pictures at build time, so the artwork lives as
// code next to the windows instead of as opaque binaries:
//   side.png        77 x 201, 24-bit: the strip down the About window's left side
//   glyphora32.png  32 x 32: the program's face, used as icon and picture
//   side@2x.png, side@3x.png, glyphora32@2x.png, glyphora32@3x.png: the same, drawn at twice
//                   and three times the size for screens of those pixel ratios
//   hand.png        32 x 32: the link pointer, finger tip at (12, 1)
//   mailhand.png    32 x 32: the e-mail link pointer, the hand holding a letter
// Usage: about_artwork <output folder>

#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTextStream>
#include <cstdio>

namespace {

const QColor kInk(58, 38, 0);

/// A smiling face of radius r centred on c; `wink` closes the right eye.
void drawFace(QPainter& p, QPointF c, double r, bool wink = false)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient skin(c + QPointF(-r * 0.35, -r * 0.4), r * 1.5);
    skin.setColorAt(0.0, QColor(255, 250, 190));
    skin.setColorAt(0.45, QColor(252, 212, 40));
    skin.setColorAt(1.0, QColor(214, 148, 0));
    p.setBrush(skin);
    p.setPen(QPen(QColor(138, 90, 0), std::max(1.0, r / 12)));
    p.drawEllipse(c, r, r);

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 110));
    p.drawEllipse(QRectF(c.x() - r * 0.62, c.y() - r * 0.78, r * 0.62, r * 0.34));

    p.setBrush(kInk);
    const double ew = r * 0.2;
    const double eh = r * 0.34;
    p.drawEllipse(QRectF(c.x() - r * 0.38 - ew / 2, c.y() - r * 0.42, ew, eh));
    QPen ink(kInk, std::max(1.2, r / 7), Qt::SolidLine, Qt::RoundCap);
    if (wink) {
        p.setPen(ink);
        p.setBrush(Qt::NoBrush);
        p.drawLine(QPointF(c.x() + r * 0.26, c.y() - r * 0.22),
                   QPointF(c.x() + r * 0.52, c.y() - r * 0.22));
    } else {
        p.drawEllipse(QRectF(c.x() + r * 0.38 - ew / 2, c.y() - r * 0.42, ew, eh));
    }
    p.setPen(ink);
    p.setBrush(Qt::NoBrush);
    QPainterPath smile(QPointF(c.x() - r * 0.55, c.y() + r * 0.18));
    smile.quadTo(QPointF(c.x(), c.y() + r * 0.95), QPointF(c.x() + r * 0.55, c.y() + r * 0.18));
    p.drawPath(smile);
    p.restore();
}

QImage sideStrip(int scale)
{
    QImage image(77 * scale, 201 * scale, QImage::Format_RGB888);
    QPainter p(&image);
    p.scale(scale, scale);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QLinearGradient sky(0, 0, 0, 201);
    sky.setColorAt(0.0, QColor(10, 28, 92));
    sky.setColorAt(0.55, QColor(36, 86, 176));
    sky.setColorAt(1.0, QColor(118, 170, 232));
    p.fillRect(QRect(0, 0, 77, 201), sky);

    // Faint diagonal bands give the strip some depth.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 14));
    for (int x = -200; x < 77; x += 22) {
        QPolygonF band;
        band << QPointF(x, 201) << QPointF(x + 9, 201) << QPointF(x + 209, 0)
             << QPointF(x + 200, 0);
        p.drawPolygon(band);
    }

    drawFace(p, QPointF(38.5, 33), 23);

    // The name, reading upwards along the right half.
    QFont name(QStringLiteral("DejaVu Sans"));
    name.setPixelSize(21);
    name.setBold(true);
    p.save();
    p.translate(63, 196);
    p.rotate(-90);
    p.setFont(name);
    p.setPen(QColor(0, 0, 40, 150));
    p.drawText(QPointF(1, 1), QStringLiteral("Glyphora"));
    p.setPen(QColor(255, 255, 255));
    p.drawText(QPointF(0, 0), QStringLiteral("Glyphora"));
    p.restore();

    // A column of text faces down the left side, turned like a reader tilts the head.
    QFont faces(QStringLiteral("DejaVu Sans Mono"));
    faces.setPixelSize(11);
    faces.setBold(true);
    p.setFont(faces);
    const char* const texts[] = {":-)", ";-)", ":-D", ":-P"};
    int y = 74;
    bool yellow = true;
    for (const char* text : texts) {
        p.save();
        p.translate(13, y);
        p.rotate(90);
        p.setPen(yellow ? QColor(255, 222, 60) : QColor(235, 242, 255));
        p.drawText(QPointF(0, 0), QString::fromLatin1(text));
        p.restore();
        y += 31;
        yellow = !yellow;
    }

    p.setPen(QColor(6, 16, 56));
    p.drawLine(76, 0, 76, 200);
    return image;
}

QImage faceIcon(int scale)
{
    QImage image(32 * scale, 32 * scale, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.scale(scale, scale);
    drawFace(p, QPointF(16, 16), 14.5);
    return image;
}

/// The pointing hand, outlined in black; the finger tip's top pixel is (12, 1).
QPainterPath handOutline()
{
    QPainterPath hand;
    hand.addRoundedRect(QRectF(10, 1, 5, 16), 2.5, 2.5);       // index finger
    hand.addRoundedRect(QRectF(15, 9, 4.5, 9), 2.2, 2.2);      // middle
    hand.addRoundedRect(QRectF(19.5, 10.5, 4.5, 8), 2.2, 2.2); // ring
    hand.addRoundedRect(QRectF(24, 12.5, 4, 7), 2, 2);         // little
    QPainterPath palm;
    palm.moveTo(10, 14);
    palm.lineTo(28, 16);
    palm.lineTo(28, 21);
    palm.quadTo(27.5, 26, 24, 28);
    palm.lineTo(14, 28);
    palm.quadTo(12, 27, 10, 24);
    palm.lineTo(4.5, 18.5);
    palm.quadTo(3.5, 16, 6, 15.5);
    palm.quadTo(7.5, 15.5, 10, 18);
    palm.closeSubpath();
    return hand.united(palm).simplified();
}

QImage handPointer(bool letter)
{
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(0.5, 0.5); // crisp one-pixel outlines on whole pixels
    p.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::white);
    p.drawPath(handOutline());
    // Creases between the fingers.
    p.drawLine(QPointF(15, 12), QPointF(15, 16));
    p.drawLine(QPointF(19.5, 13), QPointF(19.5, 17));
    p.drawLine(QPointF(24, 15), QPointF(24, 18));
    if (letter) {
        const QRectF envelope(17, 21, 13, 9);
        p.setPen(QPen(QColor(20, 30, 90), 1));
        p.setBrush(QColor(255, 246, 214));
        p.drawRect(envelope);
        p.drawLine(envelope.topLeft(), envelope.center() + QPointF(0, 1));
        p.drawLine(envelope.topRight(), envelope.center() + QPointF(0, 1));
        p.fillRect(QRectF(26, 22, 2, 2), QColor(200, 30, 30)); // the stamp
    }
    return image;
}

bool save(const QImage& image, const QDir& folder, const QString& name)
{
    const QString path = folder.filePath(name);
    if (image.save(path, "PNG"))
        return true;
    std::fprintf(stderr, "about_artwork: cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: about_artwork <output folder>\n");
        return 2;
    }
    QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "about_artwork: cannot create %s\n", argv[1]);
        return 1;
    }
    bool ok = save(handPointer(false), folder, QStringLiteral("hand.png")) &&
              save(handPointer(true), folder, QStringLiteral("mailhand.png"));
    for (int scale = 1; ok && scale <= 3; ++scale) {
        const QString suffix = scale == 1 ? QString() : QStringLiteral("@%1x").arg(scale);
        ok = save(sideStrip(scale), folder, QStringLiteral("side%1.png").arg(suffix)) &&
             save(faceIcon(scale), folder, QStringLiteral("glyphora32%1.png").arg(suffix));
    }
    return ok ? 0 : 1;
}
