#pragma once

// Which windows Glyphora types into: the rules, apart from the window system that reports
// the windows.

#include <QByteArray>
#include <QList>

namespace platform {

/// The window types a window manager gives windows, by their atoms' names
/// (_NET_WM_WINDOW_TYPE_*), for the window system to look them up.
const QList<QByteArray>& windowTypeNames();

/// Whether a window the user went to is one to type into later: not one of Glyphora's own,
/// and not the desktop, a dock or panel, a menu, a tooltip or a notification.
/// @param types the names of its _NET_WM_WINDOW_TYPE atoms, as the window lists them
bool isTypingTarget(bool ours, const QList<QByteArray>& types);

/// Whether a window of this WM_CLASS is a terminal, which takes text only: a picture pasted
/// there would be lost.
bool isTerminal(const QByteArray& instance, const QByteArray& className);

} // namespace platform
