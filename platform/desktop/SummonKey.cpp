#include "platform/desktop/SummonKey.h"

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

struct Key
{
    xcb_keycode_t keycode = 0;
    std::uint16_t modifiers = 0;
};
} // namespace

struct SummonKey::Connection
{
    xcb_connection_t* c = nullptr;
    xcb_window_t root = 0;
    std::int32_t keyboard = -1;
    xkb_context* xkb = nullptr;
    QList<Key> grabbed;

    ~Connection()
    {
        if (xkb)
            xkb_context_unref(xkb);
        if (c)
            xcb_disconnect(c);
    }
    bool broken() const { return !c || xcb_connection_has_error(c) != 0; }

    /// The key that gives the keysym on the layout in force, with Shift where it is on the
    /// key's second level; none where the layout lacks it.
    std::optional<Key> keyFor(std::uint32_t keysym) const
    {
        xkb_keymap* keymap =
            xkb_x11_keymap_new_from_device(xkb, c, keyboard, XKB_KEYMAP_COMPILE_NO_FLAGS);
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
                        found =
                            Key{xcb_keycode_t(key), std::uint16_t(level ? XCB_MOD_MASK_SHIFT : 0)};
                }
            }
        }
        xkb_keymap_unref(keymap);
        return found;
    }
};

SummonKey::SummonKey()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    auto x = std::make_unique<Connection>();
    int screenNumber = 0;
    x->c = xcb_connect(nullptr, &screenNumber);
    if (x->broken())
        return;
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(x->c));
    for (int i = 0; i < screenNumber && screens.rem > 0; ++i)
        xcb_screen_next(&screens);
    if (screens.rem == 0)
        return;
    x->root = screens.data->root;
    if (!xkb_x11_setup_xkb_extension(
            x->c, XKB_X11_MIN_MAJOR_XKB_VERSION, XKB_X11_MIN_MINOR_XKB_VERSION,
            XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, nullptr, nullptr, nullptr, nullptr))
        return;
    x->keyboard = xkb_x11_get_core_keyboard_device_id(x->c);
    x->xkb = xkb_context_new(XKB_CONTEXT_NO_DEFAULT_INCLUDES);
    if (!x->xkb || x->keyboard < 0)
        return;
    m_x = std::move(x);
    m_notifier = new QSocketNotifier(xcb_get_file_descriptor(m_x->c), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &SummonKey::readEvents);
}

SummonKey::~SummonKey() = default;

void SummonKey::release()
{
    for (const Key& key : std::as_const(m_x->grabbed)) {
        for (std::uint16_t locks : kLocks)
            xcb_ungrab_key(m_x->c, key.keycode, m_x->root, std::uint16_t(key.modifiers | locks));
    }
    m_x->grabbed.clear();
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
    const std::optional<Key> key = m_x->keyFor(chord->keysym);
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
    m_x->grabbed << wanted;
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
