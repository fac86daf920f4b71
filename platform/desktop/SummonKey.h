#pragma once

#include "platform/KeyChord.h"

#include <QList>
#include <QObject>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

class QSocketNotifier;

namespace platform {

struct XConnection;

/// Glyphora's own summon key on X11: a passive grab of the key on the root window, on a
/// connection of its own, with Caps Lock and Num Lock on or off. Elsewhere it grabs nothing.
class SummonKey final : public QObject
{
    Q_OBJECT
public:
    SummonKey();
    ~SummonKey() override;

    enum class Grab {
        Grabbed,
        None,        ///< no key asked for
        Taken,       ///< another program holds the key
        NoKey,       ///< the keyboard layout has no key that gives it
        Unavailable, ///< not on X11
    };
    /// Grabs this key in place of the one grabbed before; none lets go.
    Grab grab(const std::optional<KeyChord>& chord);

signals:
    /// The key was pressed, at this server time.
    void pressed(std::uint32_t time);

private:
    /// A key as it is grabbed: its keycode and the modifiers held.
    struct Key
    {
        std::uint8_t keycode = 0;
        std::uint16_t modifiers = 0;
    };
    /// The key that gives the keysym on the layout in force, with Shift where it is on the
    /// key's second level; none where the layout lacks it.
    std::optional<Key> keyFor(std::uint32_t keysym) const;
    void readEvents();
    void release();

    std::unique_ptr<XConnection> m_x;
    QList<Key> m_grabbed;
    QSocketNotifier* m_notifier = nullptr;
    std::optional<KeyChord> m_chord; ///< the key asked for, grabbed again when the map changes
};

} // namespace platform
