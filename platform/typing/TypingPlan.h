#pragma once

// Which keys type a text on the keyboard layout in force: a character the layout reaches is
// typed on its key with Shift, AltGr (level 3) or level 5 held as needed; a character it
// lacks goes through a spare keycode, mapped to the character's keysym for the moment.
// Plain logic: the desktop side describes the keyboard, sends the events and maps the keys.

#include <QList>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>

namespace platform {

/// The modifiers a typist holds to reach a key's other levels, and Control for the paste
/// keystroke.
enum KeyModifier : std::uint8_t {
    kShift = 1,
    kLevel3 = 2,
    kLevel5 = 4,
    kControl = 8,
};
using KeyModifiers = std::uint8_t;

/// What a key gives: its keysym and the character a client reads from it (0 for none, as
/// for dead keys and modifiers).
struct KeyOutput
{
    std::uint32_t keysym = 0;
    char32_t character = 0;
};

/// A keyboard as the planner sees it, in the group (layout) in force and with the locks
/// (Caps Lock, Num Lock) as they are.
struct KeyboardLayout
{
    int minKeycode = 8;
    int maxKeycode = 255;
    /// What the key gives with these modifiers held.
    std::function<KeyOutput(int keycode, KeyModifiers held)> key;
    /// The key that holds each modifier (Shift, level 3, level 5, Control, in that order);
    /// 0 where the keyboard has none.
    int modifierKeys[4] = {0, 0, 0, 0};
    /// Keycodes that give nothing at all, free to be lent a keysym for a moment.
    QList<int> spareKeycodes;
};

struct KeyEvent
{
    int keycode = 0;
    bool press = false;
    friend bool operator==(const KeyEvent&, const KeyEvent&) = default;
};

/// One stroke: the key, with the modifiers held around it.
struct Keystroke
{
    int keycode = 0;
    KeyModifiers held = 0;
};

/// Strokes that fit the spare keycodes at hand: the keycodes lent first (keycode, keysym),
/// then the strokes.
struct TypingRound
{
    QList<std::pair<int, std::uint32_t>> lent;
    QList<Keystroke> strokes;
};

struct TypingPlan
{
    QList<TypingRound> rounds;
    /// False when a character has no keysym, or needs a spare keycode and there is none:
    /// then nothing may be typed.
    bool complete = false;
    /// The first character that could not be planned, when not complete.
    char32_t missing = 0;
};

/// The keysym that X clients read as this character, as xkbcommon names it: Latin-1
/// characters are their own keysym, others X's own keysym where it has one (EuroSign for
/// the euro sign), else the Unicode keysym 0x1000000 + code point.
/// @return 0 for a character no keysym should carry: controls (a line break would send a
///         chat message early, a tab move the focus), lone surrogates and noncharacters
std::uint32_t keysymForCharacter(char32_t character);

/// The keysyms of the text's characters, for a service that takes keysyms.
/// @return nothing when a character has none (see keysymForCharacter)
std::optional<QList<std::uint32_t>> keysymsForText(const QString& text);

/// Plans the strokes that type the text on the layout, each character on the key with the
/// fewest modifiers (keypad keys left out: a program may read them as commands).
TypingPlan planTyping(const QString& text, const KeyboardLayout& layout);

/// Control+V, the paste keystroke, on the key that gives "v" (or a spare keycode).
TypingPlan planPaste(const KeyboardLayout& layout);

/// The key presses and releases of a round's strokes: modifiers are pressed before the key
/// that needs them, kept down while the next strokes need them too, and all released at the
/// end.
QList<KeyEvent> keyEvents(const TypingRound& round, const KeyboardLayout& layout);

} // namespace platform
