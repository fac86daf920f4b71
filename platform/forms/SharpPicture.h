#pragma once

// Pictures that stay sharp on screens of higher pixel density: beside a picture lie larger
// drawings of it, and the one that a screen needs is read when first painted.

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <vector>

namespace forms {

/// One drawing of a picture.
struct Drawing
{
    QString path; ///< resource path
    QSize pixels; ///< its size
};

/// A picture and its drawings at several sizes.
class SharpPicture
{
public:
    /// @param size the picture's size where the screen has a pixel ratio of 1
    /// @param drawings its drawings, smallest first
    SharpPicture(QSize size, std::vector<Drawing> drawings);

    QSize size() const { return m_size; }
    const std::vector<Drawing>& drawings() const { return m_drawings; }

    /// The picture in exactly `pixels` device pixels, so that it is shown one to one: the
    /// smallest drawing that covers them (else the largest), scaled smoothly unless it has
    /// that size already. A drawing is read when first needed; one that cannot be read gives
    /// way to the next smaller one.
    /// @return a null pixmap if no drawing can be read
    QPixmap pixmap(QSize pixels);

private:
    QSize m_size;
    std::vector<Drawing> m_drawings;
    std::vector<QPixmap> m_read;
};

/// An icon painted from the picture's drawings, never larger than the picture at the pixel
/// ratio asked for, greyed when disabled.
QIcon sharpIcon(SharpPicture picture);

/// A picture as sharp as the screen allows. Beside "name.png" may lie "name@2x.png" and
/// "name@3x.png", drawn at twice and three times the size.
/// @param path resource path of the picture at its normal size
/// @param ratio the screen's device pixel ratio
/// @return the picture at the normal size's logical dimensions; null if there is none
QPixmap sharpPixmap(const QString& path, qreal ratio);

} // namespace forms
