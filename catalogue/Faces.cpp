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

    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State, qreal scale) override
    {
        // The smallest drawing that covers the requested device pixels.
        int chosen = 1;
        while (chosen < kLargestScale && (m_face.size.width() * chosen < size.width() * scale ||
                                          m_face.size.height() * chosen < size.height() * scale))
            ++chosen;
        QPixmap& drawing = m_drawings[std::size_t(chosen - 1)];
        if (drawing.isNull())
            drawing = QPixmap(facePath(m_face, chosen));
        QPixmap result = drawing;
        result.setDevicePixelRatio(chosen);
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
        painter->drawPixmap(rect, scaledPixmap(rect.size(), mode, state, ratio));
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
    return QPixmap(facePath(face, kLargestScale));
}

} // namespace catalogue
