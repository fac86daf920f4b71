#include "platform/KeyChord.h"

#include <QList>
#include <array>
#include <utility>
#include <xkbcommon/xkbcommon.h>

namespace platform {

namespace {

struct Named
{
    const char* name;
    std::uint32_t keysym;
};

// The keys a chord is most likely made of. The first name of a keysym is the one a chord
// is stored by: X's own, as xdotool spells it.
constexpr std::array<Named, 48> kKeys{{
    {"period", 0x2e},       {".", 0x2e},         {"comma", 0x2c},      {"slash", 0x2f},
    {"backslash", 0x5c},    {"semicolon", 0x3b}, {"apostrophe", 0x27}, {"grave", 0x60},
    {"minus", 0x2d},        {"equal", 0x3d},     {"plus", 0x2b},       {"bracketleft", 0x5b},
    {"bracketright", 0x5d}, {"space", 0x20},     {"return", 0xff0d},   {"enter", 0xff0d},
    {"tab", 0xff09},        {"escape", 0xff1b},  {"esc", 0xff1b},      {"backspace", 0xff08},
    {"delete", 0xffff},     {"del", 0xffff},     {"insert", 0xff63},   {"ins", 0xff63},
    {"home", 0xff50},       {"end", 0xff57},     {"prior", 0xff55},    {"page_up", 0xff55},
    {"pageup", 0xff55},     {"pgup", 0xff55},    {"next", 0xff56},     {"page_down", 0xff56},
    {"pagedown", 0xff56},   {"pgdown", 0xff56},  {"left", 0xff51},     {"up", 0xff52},
    {"right", 0xff53},      {"down", 0xff54},    {"print", 0xff61},    {"pause", 0xff13},
    {"menu", 0xff67},       {"quoteleft", 0x60}, {"dot", 0x2e},        {"asterisk", 0x2a},
    {"numbersign", 0x23},   {"exclam", 0x21},    {"at", 0x40},         {"dollar", 0x24},
}};

constexpr std::uint32_t kF1 = 0xffbe;
constexpr int kLastF = 35;

constexpr std::array<std::pair<const char*, std::uint16_t>, 11> kModifiers{{
    {"ctrl", KeyChord::kControl},
    {"control", KeyChord::kControl},
    {"primary", KeyChord::kControl},
    {"alt", KeyChord::kAlt},
    {"mod1", KeyChord::kAlt},
    {"shift", KeyChord::kShift},
    {"super", KeyChord::kSuper},
    {"meta", KeyChord::kSuper},
    {"win", KeyChord::kSuper},
    {"mod4", KeyChord::kSuper},
    {"logo", KeyChord::kSuper},
}};

std::optional<std::uint32_t> keysymOf(const QString& part)
{
    const QString lower = part.toLower();
    for (const Named& key : kKeys) {
        if (lower == QLatin1StringView(key.name))
            return key.keysym;
    }
    if (lower.size() >= 2 && lower.front() == u'f') {
        bool number = false;
        const int n = lower.sliced(1).toInt(&number);
        if (number && n >= 1 && n <= kLastF && !lower.sliced(1).startsWith(u'0'))
            return kF1 + std::uint32_t(n - 1);
    }
    // One printable ASCII character names its own key, a letter in its small form.
    if (lower.size() == 1 && lower.front().unicode() > 0x20 && lower.front().unicode() < 0x7f)
        return lower.front().unicode();
    return std::nullopt;
}

} // namespace

KeyChordParse parseKeyChord(QStringView text)
{
    const QString trimmed = text.trimmed().toString();
    if (trimmed.isEmpty())
        return {std::nullopt, QStringLiteral("no key was named")};
    // A '+' at the end is the key itself ("ctrl++"), not a separator.
    QStringList parts = trimmed.split(u'+');
    if (trimmed.endsWith(QLatin1String("++"))) {
        parts.removeLast();
        parts.last() = QStringLiteral("+");
    }
    KeyChord chord;
    std::optional<QString> key;
    for (const QString& raw : std::as_const(parts)) {
        const QString part = raw.trimmed();
        if (part.isEmpty())
            return {std::nullopt, QStringLiteral("an empty part in '%1'").arg(trimmed)};
        bool modifier = false;
        for (const auto& [name, mask] : kModifiers) {
            if (part.compare(QLatin1StringView(name), Qt::CaseInsensitive) == 0) {
                chord.modifiers |= mask;
                modifier = true;
            }
        }
        if (modifier)
            continue;
        if (key)
            return {std::nullopt,
                    QStringLiteral("two keys, '%1' and '%2': one key goes with the modifiers")
                        .arg(*key, part)};
        const std::optional<std::uint32_t> keysym = keysymOf(part);
        if (!keysym)
            return {std::nullopt, QStringLiteral("'%1' is not a key Glyphora knows").arg(part)};
        key = part;
        chord.keysym = *keysym;
    }
    if (!key)
        return {std::nullopt, QStringLiteral("'%1' has no key besides its modifiers").arg(trimmed)};
    return {chord, {}};
}

SummonKeySetting summonKeyFromSetting(const QString& stored)
{
    if (stored.trimmed().compare(kNoSummonKey, Qt::CaseInsensitive) == 0)
        return {};
    const KeyChordParse fallback = parseKeyChord(kDefaultSummonKey);
    if (stored.trimmed().isEmpty())
        return {fallback.chord, {}};
    const KeyChordParse parsed = parseKeyChord(stored);
    if (parsed.chord)
        return {parsed.chord, {}};
    return {fallback.chord,
            QStringLiteral("the summon key in the settings, '%1', cannot be used (%2), so %3 "
                           "is; set another with: glyphora shortcut KEY")
                .arg(stored, parsed.problem, kDefaultSummonKey)};
}

/// The chord's modifiers, each followed by '+', named in the fixed order: Control, Alt,
/// Shift, Super.
static QString modifierNames(const KeyChord& chord, const std::array<const char*, 4>& names)
{
    constexpr std::array<std::uint16_t, 4> masks{KeyChord::kControl, KeyChord::kAlt,
                                                 KeyChord::kShift, KeyChord::kSuper};
    QString text;
    for (std::size_t i = 0; i < masks.size(); ++i) {
        if (chord.modifiers & masks[i])
            text += QLatin1StringView(names[i]) + u'+';
    }
    return text;
}

/// X's own name of a key that is no character (Return, Prior, F5), in its own letter case.
static QString keysymName(std::uint32_t keysym)
{
    char name[64];
    return xkb_keysym_get_name(keysym, name, sizeof name) > 0 ? QString::fromLatin1(name)
                                                              : QString();
}

QString keyChordTrigger(const KeyChord& chord)
{
    const QString trigger = modifierNames(chord, {"CTRL", "ALT", "SHIFT", "LOGO"});
    if (chord.keysym > 0xff)
        return trigger + keysymName(chord.keysym);
    // The rest are named as stored: punctuation by X's names, letters and digits as they are.
    return trigger + keyChordName({0, chord.keysym});
}

QString keyChordName(const KeyChord& chord)
{
    const QString name = modifierNames(chord, {"ctrl", "alt", "shift", "super"});
    if (chord.keysym > 0xff)
        return name + keysymName(chord.keysym).toLower();
    for (const Named& key : kKeys) {
        if (key.keysym == chord.keysym)
            return name + QLatin1StringView(key.name);
    }
    return name + QChar(char16_t(chord.keysym));
}

} // namespace platform
