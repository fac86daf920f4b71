#include "catalogue/Faces.h"

#include <array>

namespace catalogue {

namespace {

constexpr std::array<Face, kFaceCount> kFaces{{
    {u"Big grin", u"biggrin"},
    {u"Confuse", u"confuse"},
    {u"Cool", u"cool"},
    {u"Surprise", u"surprise"},
    {u"Frown", u"frown"},
    {u"Mad", u"mad"},
    {u"Embarrasment", u"embarrassed"},
    {u"Sarcastic", u"sarcastic"},
    {u"Stick out tongue", u"tongue"},
    {u"Smile", u"smile"},
    {u"Wink", u"wink"},
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

QIcon faceIcon(const Face& face)
{
    QIcon icon;
    for (int scale = 1; scale <= kLargestScale; ++scale)
        icon.addFile(facePath(face, scale));
    return icon;
}

QPixmap faceDisplayPixmap(const Face& face)
{
    return QPixmap(facePath(face, kLargestScale));
}

} // namespace catalogue
