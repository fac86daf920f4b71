#pragma once

// Which windows Glyphora types into: the rules, apart from the window system that reports
// the windows.

#include <QByteArray>
#include <optional>

namespace platform {

/// The types a window manager tells windows apart by: first those typed into, with Other
/// for a type not known here; then the windows the user passes through on the way to another.
enum class WindowType {
    Normal,
    Dialog,
    Utility,
    Other,
    Desktop,
    Dock,
    Toolbar,
    Menu,
    DropdownMenu,
    PopupMenu,
    Combo,
    Splash,
    Tooltip,
    Notification,
    Dnd
};

/// Whether a window the user went to is one to type into later: not one of Glyphora's own,
/// and not the desktop, a dock or panel, a menu, a tooltip or a notification.
/// @param type the type the window means (the first it lists), none where it lists none
bool isTypingTarget(bool ours, std::optional<WindowType> type);

/// Whether a window of this WM_CLASS is a terminal, which takes text only: a picture pasted
/// there would be lost.
bool isTerminal(const QByteArray& instance, const QByteArray& className);

} // namespace platform
