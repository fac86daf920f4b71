#include "app/WindowIcon.h"

#include "platform/forms/SharpPicture.h"

QIcon glyphoraWindowIcon()
{
    std::vector<forms::Drawing> drawings;
    for (int side : {16, 32, 48, 64})
        drawings.push_back({QStringLiteral(":/app/glyphora-%1.png").arg(side), QSize(side, side)});
    return forms::sharpIcon(forms::SharpPicture(QSize(64, 64), std::move(drawings)));
}
