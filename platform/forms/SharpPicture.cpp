#include "platform/forms/SharpPicture.h"

#include <QIconEngine>
#include <QPainter>

namespace forms {

SharpPicture::SharpPicture(QSize size, std::vector<Drawing> drawings)
    : m_size(size), m_drawings(std::move(drawings)), m_read(m_drawings.size())
{}

QPixmap SharpPicture::pixmap(QSize pixels)
{
    std::size_t chosen = 0;
    while (chosen + 1 < m_drawings.size() && (m_drawings[chosen].pixels.width() < pixels.width() ||
                                              m_drawings[chosen].pixels.height() < pixels.height()))
        ++chosen;
    QPixmap drawing;
    for (std::size_t i = chosen + 1; i-- > 0 && drawing.isNull();) {
        if (m_read[i].isNull())
            m_read[i] = QPixmap(m_drawings[i].path);
        drawing = m_read[i];
    }
    if (drawing.isNull() || drawing.size() == pixels)
        return drawing;
    return drawing.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

namespace {

/// Reads a drawing only when the icon is painted, and only the one that the screen's pixel
/// ratio needs: reading all of them at start-up was noticeably slow.
class SharpIconEngine final : public QIconEngine
{
public:
    explicit SharpIconEngine(SharpPicture picture) : m_picture(std::move(picture)) {}

    /// @param size the device pixels wanted: QIcon::pixmap() passes the logical size already
    ///             multiplied by `scale`.
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State, qreal scale) override
    {
        // Exactly the device pixels asked for, so the style draws them one to one: a drawing
        // larger than that, shown as it is, would be shrunk by dropping pixels.
        const QSize natural(qRound(m_picture.size().width() * scale),
                            qRound(m_picture.size().height() * scale));
        const QSize target = m_picture.size().scaled(size, Qt::KeepAspectRatio).boundedTo(natural);
        if (target.isEmpty())
            return QPixmap();
        QPixmap result = m_picture.pixmap(target);
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
        return m_picture.size().scaled(size, Qt::KeepAspectRatio).boundedTo(m_picture.size());
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (const Drawing& drawing : m_picture.drawings())
            sizes.append(drawing.pixels);
        return sizes;
    }

    QString key() const override { return QStringLiteral("glyphora-sharp"); }
    QIconEngine* clone() const override { return new SharpIconEngine(*this); }

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

    SharpPicture m_picture;
};

} // namespace

QIcon sharpIcon(SharpPicture picture)
{
    return QIcon(new SharpIconEngine(std::move(picture)));
}

QPixmap sharpPixmap(const QString& path, qreal ratio)
{
    const QPixmap normal(path);
    if (normal.isNull())
        return normal;
    const int dot = int(path.lastIndexOf(QLatin1Char('.')));
    std::vector<Drawing> drawings{{path, normal.size()}};
    for (int scale = 2; scale <= 3; ++scale)
        drawings.push_back({path.left(dot) + QStringLiteral("@%1x").arg(scale) + path.mid(dot),
                            normal.size() * scale});
    QPixmap result =
        SharpPicture(normal.size(), std::move(drawings))
            .pixmap(QSize(qRound(normal.width() * ratio), qRound(normal.height() * ratio)));
    result.setDevicePixelRatio(ratio);
    return result;
}

} // namespace forms
