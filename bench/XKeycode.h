#pragma once

// The benchmarks that press keys through XTEST find their keys here.

#include <cstdint>
#include <cstdlib>
#include <xcb/xcb.h>

/// The first keycode whose unshifted level gives this keysym, 0 for none.
inline xcb_keycode_t keycodeOf(xcb_connection_t* c, std::uint32_t keysym)
{
    const xcb_setup_t* setup = xcb_get_setup(c);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    xcb_get_keyboard_mapping_reply_t* map = xcb_get_keyboard_mapping_reply(
        c, xcb_get_keyboard_mapping(c, setup->min_keycode, std::uint8_t(count)), nullptr);
    xcb_keycode_t found = 0;
    if (map) {
        const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(map);
        for (int k = 0; k < count && !found; ++k) {
            if (syms[k * map->keysyms_per_keycode] == keysym)
                found = xcb_keycode_t(setup->min_keycode + k);
        }
        free(map);
    }
    return found;
}
