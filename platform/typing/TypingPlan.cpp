#include "platform/typing/TypingPlan.h"

#include <QHash>
#include <QSet>
#include <array>
#include <xkbcommon/xkbcommon.h>

namespace platform {

namespace {
// The modifier sets a character may need, cheapest first: a character on two keys is typed
// on the one with fewer modifiers held.
constexpr std::array<KeyModifiers, 8> kByCost = {
    0,       kShift,           kLevel3,           kShift | kLevel3,
    kLevel5, kShift | kLevel5, kLevel3 | kLevel5, kShift | kLevel3 | kLevel5};
constexpr std::array<KeyModifier, 4> kModifierOrder = {kShift, kLevel3, kLevel5, kControl};

int modifierKey(const KeyboardLayout& layout, KeyModifier modifier)
{
    for (std::size_t i = 0; i < kModifierOrder.size(); ++i) {
        if (kModifierOrder[i] == modifier)
            return layout.modifierKeys[i];
    }
    return 0;
}

bool canHold(const KeyboardLayout& layout, KeyModifiers held)
{
    for (KeyModifier modifier : kModifierOrder) {
        if ((held & modifier) && modifierKey(layout, modifier) == 0)
            return false;
    }
    return true;
}

bool isKeypad(std::uint32_t keysym)
{
    return keysym >= 0xff80 && keysym <= 0xffbd; // KP_Space .. KP_Equal
}

/// The text's characters; a surrogate without its partner stays a character of its own,
/// which no keysym carries.
QList<char32_t> charactersOf(const QString& text)
{
    QList<char32_t> characters;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            characters << QChar::surrogateToUcs4(c, text.at(i + 1));
            ++i;
        } else {
            characters << char32_t(c.unicode());
        }
    }
    return characters;
}

/// The characters the layout reaches, each on its cheapest key.
QHash<char32_t, Keystroke> reachable(const KeyboardLayout& layout,
                                     const QList<char32_t>& characters)
{
    const QSet<char32_t> wanted(characters.begin(), characters.end());
    QHash<char32_t, Keystroke> found;
    if (!layout.key)
        return found;
    for (KeyModifiers held : kByCost) {
        if (!canHold(layout, held))
            continue;
        for (int keycode = layout.minKeycode; keycode <= layout.maxKeycode; ++keycode) {
            const KeyOutput out = layout.key(keycode, held);
            if (out.character == 0 || isKeypad(out.keysym) || found.contains(out.character) ||
                !wanted.contains(out.character))
                continue;
            found.insert(out.character, {keycode, held});
        }
    }
    return found;
}

/// Plans the characters; `extra` is held around every stroke (Control for the paste).
TypingPlan plan(const QList<char32_t>& characters, const KeyboardLayout& layout, KeyModifiers extra)
{
    TypingPlan result;
    if (!canHold(layout, extra)) {
        result.missing = characters.value(0);
        return result;
    }
    const QHash<char32_t, Keystroke> onKeys = reachable(layout, characters);
    TypingRound round;
    QHash<char32_t, int> lent; // in this round
    for (char32_t character : characters) {
        const std::uint32_t keysym = keysymForCharacter(character);
        if (keysym == 0) {
            result.missing = character;
            return result;
        }
        if (const auto on = onKeys.constFind(character); on != onKeys.constEnd()) {
            round.strokes << Keystroke{on->keycode, KeyModifiers(on->held | extra)};
            continue;
        }
        if (!lent.contains(character)) {
            if (layout.spareKeycodes.isEmpty()) {
                result.missing = character;
                return result;
            }
            // The spare keycodes are all lent: type what is planned, then lend them again.
            if (round.lent.size() == layout.spareKeycodes.size()) {
                result.rounds << round;
                round = {};
                lent.clear();
            }
            const int keycode = layout.spareKeycodes.at(round.lent.size());
            round.lent << std::pair{keycode, keysym};
            lent.insert(character, keycode);
        }
        // A lent key gives its keysym on every level, whatever the locks.
        round.strokes << Keystroke{lent.value(character), extra};
    }
    result.rounds << round;
    result.complete = true;
    return result;
}
} // namespace

std::uint32_t keysymForCharacter(char32_t c)
{
    // Controls are keys of their own to xkbcommon (a line end is Return): never typed here.
    if (c < 0x20 || (c >= 0x7f && c < 0xa0))
        return 0;
    // Nor lone surrogates and noncharacters, whatever this xkbcommon makes of them.
    if ((c >= 0xd800 && c <= 0xdfff) || c > 0x10ffff)
        return 0;
    if ((c & 0xfffe) == 0xfffe || (c >= 0xfdd0 && c <= 0xfdef))
        return 0;
    return xkb_utf32_to_keysym(std::uint32_t(c));
}

std::optional<QList<std::uint32_t>> keysymsForText(const QString& text)
{
    QList<std::uint32_t> keysyms;
    for (char32_t character : charactersOf(text)) {
        const std::uint32_t keysym = keysymForCharacter(character);
        if (keysym == 0)
            return std::nullopt;
        keysyms << keysym;
    }
    return keysyms;
}

TypingPlan planTyping(const QString& text, const KeyboardLayout& layout)
{
    return plan(charactersOf(text), layout, 0);
}

TypingPlan planPaste(const KeyboardLayout& layout)
{
    return plan({U'v'}, layout, kControl);
}

QList<KeyEvent> keyEvents(const TypingRound& round, const KeyboardLayout& layout)
{
    QList<KeyEvent> events;
    KeyModifiers down = 0;
    auto change = [&](KeyModifiers to) {
        for (KeyModifier modifier : kModifierOrder) {
            if ((down & modifier) && !(to & modifier))
                events << KeyEvent{modifierKey(layout, modifier), false};
        }
        for (KeyModifier modifier : kModifierOrder) {
            if (!(down & modifier) && (to & modifier))
                events << KeyEvent{modifierKey(layout, modifier), true};
        }
        down = to;
    };
    for (const Keystroke& stroke : round.strokes) {
        change(stroke.held);
        events << KeyEvent{stroke.keycode, true} << KeyEvent{stroke.keycode, false};
    }
    change(0);
    return events;
}

} // namespace platform
