#include "platform/typing/TypingTarget.h"

namespace platform {

namespace {
struct WindowType
{
    const char* name;
    bool typedInto;
};
// Windows the user goes through on the way to another are passed over: the desktop, docks
// and panels, menus, tooltips, notifications.
constexpr WindowType kWindowTypes[] = {
    {"_NET_WM_WINDOW_TYPE_DESKTOP", false},      {"_NET_WM_WINDOW_TYPE_DOCK", false},
    {"_NET_WM_WINDOW_TYPE_TOOLBAR", false},      {"_NET_WM_WINDOW_TYPE_MENU", false},
    {"_NET_WM_WINDOW_TYPE_UTILITY", true},       {"_NET_WM_WINDOW_TYPE_SPLASH", false},
    {"_NET_WM_WINDOW_TYPE_DIALOG", true},        {"_NET_WM_WINDOW_TYPE_DROPDOWN_MENU", false},
    {"_NET_WM_WINDOW_TYPE_POPUP_MENU", false},   {"_NET_WM_WINDOW_TYPE_TOOLTIP", false},
    {"_NET_WM_WINDOW_TYPE_NOTIFICATION", false}, {"_NET_WM_WINDOW_TYPE_COMBO", false},
    {"_NET_WM_WINDOW_TYPE_DND", false},          {"_NET_WM_WINDOW_TYPE_NORMAL", true},
};
} // namespace

const QList<QByteArray>& windowTypeNames()
{
    static const QList<QByteArray> names = [] {
        QList<QByteArray> list;
        for (const WindowType& type : kWindowTypes)
            list << QByteArray(type.name);
        return list;
    }();
    return names;
}

bool isTypingTarget(bool ours, const QList<QByteArray>& types)
{
    if (ours)
        return false;
    // The first type a window lists is the one it means; the others are fallbacks.
    if (types.isEmpty())
        return true;
    for (const WindowType& type : kWindowTypes) {
        if (types.constFirst() == type.name)
            return type.typedInto;
    }
    return true;
}

bool isTerminal(const QByteArray& instance, const QByteArray& className)
{
    // Most terminals carry "term" in their class (xterm, urxvt's "rxvt", gnome-terminal,
    // xfce4-terminal, wezterm, terminator); the rest are named.
    static const QList<QByteArray> named = {"kitty",
                                            "alacritty",
                                            "foot",
                                            "footclient",
                                            "st",
                                            "st-256color",
                                            "tilix",
                                            "guake",
                                            "tilda",
                                            "yakuake",
                                            "konsole",
                                            "kgx",
                                            "org.gnome.console",
                                            "ghostty",
                                            "com.mitchellh.ghostty",
                                            "contour",
                                            "zutty",
                                            "blackbox",
                                            "com.raggesilver.blackbox",
                                            "sakura",
                                            "kmscon"};
    for (const QByteArray& name : {instance.toLower(), className.toLower()}) {
        if (name.contains("term") || name.contains("rxvt") || named.contains(name))
            return true;
    }
    return false;
}

} // namespace platform
