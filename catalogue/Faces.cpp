#include "catalogue/Faces.h"

#include "platform/forms/SharpPicture.h"

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
