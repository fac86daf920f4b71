#include "catalogue/Faces.h"

#include "platform/forms/SharpPicture.h"

namespace catalogue {

namespace {

constexpr int kLargestScale = 3;
/// The picture display stretches a face to 33 of its pixels; at a pixel ratio of 2 that is
/// 66 device pixels, more than the 3x drawing has.
constexpr int kDisplayScale = 5;

} // namespace

std::span<const Face, kFaceCount> faces()
{
    return kFaceTable;
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

QIcon faceIcon(const Face& face)
{
    std::vector<forms::Drawing> drawings;
    for (int scale = 1; scale <= kLargestScale; ++scale)
        drawings.push_back({facePath(face, scale), face.size * scale});
    return forms::sharpIcon(forms::SharpPicture(face.size, std::move(drawings)));
}

QPixmap faceDisplayPixmap(const Face& face)
{
    return QPixmap(facePath(face, kDisplayScale));
}

} // namespace catalogue
