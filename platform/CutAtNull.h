#pragma once

#include <QString>

namespace platform {

/// Text from a desktop call may carry a NUL and buffer padding after its end.
/// @param text any text
/// @return the text before its first NUL character, or all of it when it holds none
inline QString CutAtNull(const QString& text)
{
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.left(nul);
}

} // namespace platform
