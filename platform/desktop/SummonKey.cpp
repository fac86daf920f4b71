#include "platform/desktop/SummonKey.h"

#include "platform/x11/XConnection.h"

#include <QGuiApplication>
#include <QList>
#include <QSocketNotifier>
#include <cstdlib>
#include <xcb/xcb.h>
#include <xkbcommon/xkbcommon-x11.h>

namespace platform {

namespace {
// Caps Lock and, on every common layout, Num Lock: a grab names the exact modifiers, so the
// key is grabbed with each of them on and off.
constexpr std::uint16_t kLocks[] = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2,
                                    XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};
constexpr std::uint8_t kBadAccess = 10;
} // namespace

SummonKey::SummonKey()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    std::unique_ptr<XConnection> x = XConnection::open();
    if (!x || !x->xkb || x->keyboard < 0)
        return;
    m_x = std::move(x);
    m_notifier = new QSocketNotifier(xcb_get_file_descriptor(m_x->c), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &SummonKey::readEvents);
}

SummonKey::~SummonKey() = default;

std::optional<SummonKey::Key> SummonKey::keyFor(std::uint32_t keysym) const
{
    xkb_keymap* keymap = xkb_x11_keymap_new_from_device(m_x->xkb, m_x->c, m_x->keyboard,
                                                        XKB_KEYMAP_COMPILE_NO_FLAGS);
    if (!keymap)
        return std::nullopt;
    std::optional<Key> found;
    for (xkb_level_index_t level = 0; level < 2 && !found; ++level) {
        for (xkb_keycode_t key = xkb_keymap_min_keycode(keymap);
             key <= xkb_keymap_max_keycode(keymap) && key <= 255 && !found; ++key) {
            const xkb_keysym_t* syms = nullptr;
            const int count = xkb_keymap_key_get_syms_by_level(keymap, key, 0, level, &syms);
            for (int i = 0; i < count && !found; ++i) {
                if (syms[i] == keysym)
                    found = Key{std::uint8_t(key), std::uint16_t(level ? XCB_MOD_MASK_SHIFT : 0)};
            }
        }
    }
    xkb_keymap_unref(keymap);
    return found;
}

void SummonKey::release()
{
    for (const Key& key : std::as_const(m_grabbed)) {
        for (std::uint16_t locks : kLocks)
            xcb_ungrab_key(m_x->c, key.keycode, m_x->root, std::uint16_t(key.modifiers | locks));
    }
    m_grabbed.clear();
    xcb_flush(m_x->c);
}

SummonKey::Grab SummonKey::grab(const std::optional<KeyChord>& chord)
{
    m_chord = chord;
    if (!m_x || m_x->broken())
        return Grab::Unavailable;
    release();
    if (!chord)
        return Grab::None;
    const std::optional<Key> key = keyFor(chord->keysym);
    if (!key)
        return Grab::NoKey;
    const Key wanted{key->keycode, std::uint16_t(key->modifiers | chord->modifiers)};
    QList<xcb_void_cookie_t> cookies;
    for (std::uint16_t locks : kLocks)
        cookies << xcb_grab_key_checked(m_x->c, 1, m_x->root,
                                        std::uint16_t(wanted.modifiers | locks), wanted.keycode,
                                        XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
    bool taken = false;
    for (xcb_void_cookie_t cookie : cookies) {
        if (xcb_generic_error_t* error = xcb_request_check(m_x->c, cookie)) {
            taken = taken || error->error_code == kBadAccess;
            free(error);
        }
    }
    m_grabbed << wanted;
    if (taken) {
        // Half a key would answer with Caps Lock on and not off: all of it goes.
        release();
        return Grab::Taken;
    }
    return Grab::Grabbed;
}

void SummonKey::readEvents()
{
    bool remap = false;
    while (xcb_generic_event_t* event = xcb_poll_for_event(m_x->c)) {
        switch (event->response_type & 0x7f) {
        case XCB_KEY_PRESS:
            emit pressed(reinterpret_cast<xcb_key_press_event_t*>(event)->time);
            break;
        case XCB_MAPPING_NOTIFY:
            remap = true;
            break;
        default:
            break;
        }
        free(event);
    }
    if (m_x->broken()) {
        m_notifier->setEnabled(false);
        return;
    }
    // Another layout may give the key on another keycode.
    if (remap && m_chord)
        grab(m_chord);
}

} // namespace platform
