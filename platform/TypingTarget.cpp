#include "platform/TypingTarget.h"

namespace platform {

bool isTypingTarget(bool ours, const QList<QByteArray>& types)
{
    if (ours)
        return false;
    static const QList<QByteArray> passing = {"_NET_WM_WINDOW_TYPE_DESKTOP",
                                              "_NET_WM_WINDOW_TYPE_DOCK",
                                              "_NET_WM_WINDOW_TYPE_TOOLBAR",
                                              "_NET_WM_WINDOW_TYPE_MENU",
                                              "_NET_WM_WINDOW_TYPE_DROPDOWN_MENU",
                                              "_NET_WM_WINDOW_TYPE_POPUP_MENU",
                                              "_NET_WM_WINDOW_TYPE_TOOLTIP",
                                              "_NET_WM_WINDOW_TYPE_NOTIFICATION",
                                              "_NET_WM_WINDOW_TYPE_SPLASH",
                                              "_NET_WM_WINDOW_TYPE_COMBO",
                                              "_NET_WM_WINDOW_TYPE_DND"};
    // The first type a window lists is the one it means; the others are fallbacks.
    return types.isEmpty() || !passing.contains(types.constFirst());
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
