#include "app/WindowIcon.h"

#include <QIconEngine>
#include <QImageReader>
#include <QPainter>
#include <array>

namespace {

constexpr std::array<int, 4> kSizes{16, 32, 48, 64};

class WindowIconEngine final : public QIconEngine
{
public:
    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        // The smallest drawing that covers the size asked for; a larger one is shrunk
        // smoothly.
        std::size_t chosen = 0;
        while (chosen + 1 < kSizes.size() &&
               (kSizes[chosen] < size.width() || kSizes[chosen] < size.height()))
            ++chosen;
        QPixmap& drawing = m_drawings[chosen];
        if (drawing.isNull()) {
            QImageReader reader(QStringLiteral(":/app/glyphora-%1.png").arg(kSizes[chosen]), "png");
            drawing = QPixmap::fromImage(reader.read());
        }
        if (drawing.isNull() || drawing.size() == size)
            return drawing;
        return drawing.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        const int side = std::min({size.width(), size.height(), kSizes.back()});
        return QSize(side, side);
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (int side : kSizes)
            sizes.append(QSize(side, side));
        return sizes;
    }

    QString key() const override { return QStringLiteral("glyphora-window"); }
    QIconEngine* clone() const override { return new WindowIconEngine(*this); }

private:
    std::array<QPixmap, kSizes.size()> m_drawings;
};

} // namespace

QIcon glyphoraWindowIcon()
{
    return QIcon(new WindowIconEngine);
}
