#pragma once

// A key with the modifiers held around it, as the user names it for Glyphora's summon key:
// "super+period", "ctrl+alt+e", "Meta+.", the names xdotool and Qt's key sequences use,
// letter case ignored. Plain logic; the desktop side finds the keys and grabs them.

#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

namespace platform {

struct KeyChord
{
    /// The X modifier masks, so that the desktop side passes them on as they are.
    enum Modifier : std::uint16_t {
        kShift = 1,
        kControl = 4,
        kAlt = 8,    ///< Mod1
        kSuper = 64, ///< Mod4: the Windows key, Qt's Meta
    };
    std::uint16_t modifiers = 0;
    std::uint32_t keysym = 0; ///< the key itself, a letter in its small form

    friend bool operator==(const KeyChord&, const KeyChord&) = default;
};

/// The summon key where the user has chosen none: the Windows emoji panel's Win+period.
inline constexpr QStringView kDefaultSummonKey = u"super+period";
/// The word that turns the summon key off.
inline constexpr QStringView kNoSummonKey = u"none";

struct KeyChordParse
{
    std::optional<KeyChord> chord;
    QString problem; ///< what was not understood, when there is no chord
};

/// Reads a key as the user names it: modifiers and one key, joined by '+'.
KeyChordParse parseKeyChord(QStringView text);

/// The summon key a setting names: the default where none is stored, none for "none", and
/// the default with the reason where the stored text is not a key.
struct SummonKeySetting
{
    std::optional<KeyChord> chord;
    QString problem;
};
SummonKeySetting summonKeyFromSetting(const QString& stored);

/// The chord as the desktop portal's global shortcuts take it for a preferred trigger:
/// "LOGO+period", "CTRL+ALT+e", keys by their X names.
QString keyChordTrigger(const KeyChord& chord);

/// The name a chord is stored and shown by: its modifiers in a fixed order, then the key,
/// in small letters ("ctrl+alt+e", "super+period"); parseKeyChord reads it back.
QString keyChordName(const KeyChord& chord);

} // namespace platform
