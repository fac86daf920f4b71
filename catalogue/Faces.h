#pragma once

// The picture faces of the catalogue's button row. Each is a small GIF (the picture
// that is copied) with sharper drawings beside it for high-density screens.

#include "catalogue/FaceTable.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QString>
#include <span>

namespace catalogue {

/// @return the faces in button order, left to right (Command4 to Command14).
std::span<const Face, kFaceCount> faces();

/// @param face one of faces().
/// @param scale 1 for the GIF, 2, 3 or 5 for the larger drawings.
/// @return the resource path of that drawing, e.g. ":/faces/wink.gif" or ":/faces/wink@2x.png".
QString facePath(const Face& face, int scale = 1);

/// @param face one of faces().
/// @return the GIF picture as it is stored; a null image if the resource is missing.
QImage faceImage(const Face& face);

/// @param face one of faces().
/// @return an icon holding the GIF and the 2x and 3x drawings, so that the button is
///         painted sharply at any device pixel ratio.
QIcon faceIcon(const Face& face);

/// @param face one of faces().
/// @return the 5x drawing, for a display that stretches its picture: enough pixels to
///         stay sharp at twice its size on a screen of pixel ratio 2.
QPixmap faceDisplayPixmap(const Face& face);

} // namespace catalogue
