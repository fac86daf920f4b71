#include "catalogue/Faces.h"

#include <QIconEngine>
#include <QPainter>
#include <array>

namespace catalogue {

namespace {

constexpr std::array<Face, kFaceCount> kFaces{{
    {u"Big grin", u"biggrin", {15, 15}},
    {u"Confuse", u"confuse", {15, 22}},
    {u"Cool", u"cool", {15, 15}},
    {u"Surprise", u"surprise", {15, 15}},
    {u"Frown", u"frown", {15, 15}},
    {u"Mad", u"mad", {15, 15}},
    {u"Embarrasment", u"embarrassed", {15, 15}},
    {u"Sarcastic", u"sarcastic", {15, 15}},
    {u"Stick out tongue", u"tongue", {15, 15}},
    {u"Smile", u"smile", {15, 15}},
    {u"Wink", u"wink", {15, 15}},
}};

constexpr int kLargestScale = 3;
/// The picture display stretches a face to 33 of its pixels; at a pixel ratio of 2 that is
/// 66 device pixels, more than the 3x drawing has.
constexpr int kDisplayScale = 5;

} // namespace

std::span<const Face, kFaceCount> faces()
{
    return kFaces;
}

QString facePath(const Face& face, int scale)
{
    if (scale <= 1)
        return QStringLiteral(":/faces/%1.gif").arg(face.fileName);
    return QStringLiteral(":/faces/%1@%2x.png").arg(face.fileName).arg(scale);
}

QImage faceImage(const Face& face)
{
    return QImage(facePath(face));
}

namespace {
/// Reads a face's drawing only when a button is painted, and only the one that the
/// screen's pixel ratio needs: reading all of them made start-up noticeably slower.
class FaceIconEngine final : public QIconEngine
{
public:
    explicit FaceIconEngine(const Face& face) : m_face(face) {}

    /// @param size the device pixels wanted: QIcon::pixmap() passes the logical size already
    ///             multiplied by `scale`.
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State, qreal scale) override
    {
        // Exactly the device pixels asked for, so the style draws them one to one: a drawing
        // larger than that, shown as it is, would be shrunk by dropping pixels.
        const QSize natural(qRound(m_face.size.width() * scale),
                            qRound(m_face.size.height() * scale));
        const QSize target = m_face.size.scaled(size, Qt::KeepAspectRatio).boundedTo(natural);
        if (target.isEmpty())
            return QPixmap();
        // The smallest drawing that covers it; a larger one is shrunk smoothly.
        int chosen = 1;
        while (chosen < kLargestScale && (m_face.size.width() * chosen < target.width() ||
                                          m_face.size.height() * chosen < target.height()))
            ++chosen;
        QPixmap& drawing = m_drawings[std::size_t(chosen - 1)];
        if (drawing.isNull())
            drawing = QPixmap(facePath(m_face, chosen));
        QPixmap result =
            drawing.size() == target || drawing.isNull()
                ? drawing
                : drawing.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        result.setDevicePixelRatio(scale);
        if (mode == QIcon::Disabled)
            result = disabledCopy(result);
        return result;
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        const QSize device(qRound(rect.width() * ratio), qRound(rect.height() * ratio));
        painter->drawPixmap(rect, scaledPixmap(device, mode, state, ratio));
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        return m_face.size.scaled(size, Qt::KeepAspectRatio).boundedTo(m_face.size);
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (int scale = 1; scale <= kLargestScale; ++scale)
            sizes.append(m_face.size * scale);
        return sizes;
    }

    QString key() const override { return QStringLiteral("glyphora-face"); }
    QIconEngine* clone() const override { return new FaceIconEngine(*this); }

private:
    static QPixmap disabledCopy(const QPixmap& source)
    {
        QImage image = source.toImage().convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                const int grey = qGray(line[x]);
                line[x] = qRgba(grey, grey, grey, qAlpha(line[x]) / 2);
            }
        }
        QPixmap result = QPixmap::fromImage(image);
        result.setDevicePixelRatio(source.devicePixelRatio());
        return result;
    }

    Face m_face;
    std::array<QPixmap, kLargestScale> m_drawings;
};
} // namespace

QIcon faceIcon(const Face& face)
{
    return QIcon(new FaceIconEngine(face));
}

QPixmap faceDisplayPixmap(const Face& face)
{
    return QPixmap(facePath(face, kDisplayScale));
}

} // namespace catalogue
