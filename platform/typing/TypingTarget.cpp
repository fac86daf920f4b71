#include "platform/typing/TypingTarget.h"

#include <QList>

namespace platform {

bool isTypingTarget(bool ours, std::optional<WindowType> type)
{
    return !ours && type.value_or(WindowType::Normal) <= WindowType::Other;
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
