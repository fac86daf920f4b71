#pragma once

// The keyboard as it is at the start of an insert, read with xkbcommon from the X server.

#include "platform/typing/TypingPlan.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <xkbcommon/xkbcommon-x11.h>

namespace platform {

/// The keyboard as it is at the start of an insert: its keymap, the group and locks in
/// force, and the keys that hold the modifiers.
class XkbKeyboard
{
public:
    ~XkbKeyboard()
    {
        if (m_scratch)
            xkb_state_unref(m_scratch);
        if (m_keymap)
            xkb_keymap_unref(m_keymap);
    }

    static std::shared_ptr<XkbKeyboard> read(xcb_connection_t* c, xkb_context* context,
                                             std::int32_t device, int minKeycode, int maxKeycode)
    {
        auto keyboard = std::make_shared<XkbKeyboard>();
        keyboard->m_keymap =
            xkb_x11_keymap_new_from_device(context, c, device, XKB_KEYMAP_COMPILE_NO_FLAGS);
        if (!keyboard->m_keymap)
            return nullptr;
        xkb_state* current = xkb_x11_state_new_from_device(keyboard->m_keymap, c, device);
        if (!current)
            return nullptr;
        keyboard->m_locked = xkb_state_serialize_mods(current, XKB_STATE_MODS_LOCKED);
        keyboard->m_group = xkb_state_serialize_layout(current, XKB_STATE_LAYOUT_EFFECTIVE);
        xkb_state_unref(current);
        keyboard->m_scratch = xkb_state_new(keyboard->m_keymap);
        keyboard->m_layout.minKeycode =
            std::max(minKeycode, int(xkb_keymap_min_keycode(keyboard->m_keymap)));
        keyboard->m_layout.maxKeycode =
            std::min(maxKeycode, int(xkb_keymap_max_keycode(keyboard->m_keymap)));
        keyboard->findModifierKeys();
        keyboard->findSpareKeys();
        return keyboard;
    }

    /// The layout for the planner; it keeps this keyboard alive.
    static KeyboardLayout layout(const std::shared_ptr<XkbKeyboard>& keyboard)
    {
        KeyboardLayout layout = keyboard->m_layout;
        layout.key = [keyboard](int keycode, KeyModifiers held) {
            return keyboard->key(keycode, held);
        };
        return layout;
    }

private:
    KeyOutput key(int keycode, KeyModifiers held)
    {
        xkb_mod_mask_t mods = 0;
        for (int i = 0; i < 4; ++i) {
            if (held & (1 << i))
                mods |= m_masks[i];
        }
        xkb_state_update_mask(m_scratch, mods, 0, m_locked, 0, 0, m_group);
        return {xkb_state_key_get_one_sym(m_scratch, xkb_keycode_t(keycode)),
                xkb_state_key_get_utf32(m_scratch, xkb_keycode_t(keycode))};
    }

    void findModifierKeys()
    {
        // Shift, level 3 (AltGr), level 5, Control: the order of KeyboardLayout::modifierKeys.
        const xkb_keysym_t wanted[4][2] = {{XKB_KEY_Shift_L, XKB_KEY_Shift_R},
                                           {XKB_KEY_ISO_Level3_Shift, XKB_KEY_ISO_Level3_Shift},
                                           {XKB_KEY_ISO_Level5_Shift, XKB_KEY_ISO_Level5_Shift},
                                           {XKB_KEY_Control_L, XKB_KEY_Control_R}};
        xkb_state_update_mask(m_scratch, 0, 0, 0, 0, 0, m_group);
        for (int keycode = m_layout.minKeycode; keycode <= m_layout.maxKeycode; ++keycode) {
            const xkb_keysym_t sym = xkb_state_key_get_one_sym(m_scratch, xkb_keycode_t(keycode));
            for (int i = 0; i < 4; ++i) {
                if (m_layout.modifierKeys[i] != 0 || (sym != wanted[i][0] && sym != wanted[i][1]))
                    continue;
                // What the key really holds down, as the server's keymap says.
                xkb_state* pressed = xkb_state_new(m_keymap);
                xkb_state_update_mask(pressed, 0, 0, 0, 0, 0, m_group);
                xkb_state_update_key(pressed, xkb_keycode_t(keycode), XKB_KEY_DOWN);
                const xkb_mod_mask_t mask =
                    xkb_state_serialize_mods(pressed, XKB_STATE_MODS_DEPRESSED);
                xkb_state_unref(pressed);
                if (mask != 0) {
                    m_layout.modifierKeys[i] = keycode;
                    m_masks[i] = mask;
                }
            }
        }
    }

    void findSpareKeys()
    {
        for (int keycode = m_layout.minKeycode; keycode <= m_layout.maxKeycode; ++keycode) {
            const auto key = xkb_keycode_t(keycode);
            bool empty = true;
            const xkb_layout_index_t layouts = xkb_keymap_num_layouts_for_key(m_keymap, key);
            for (xkb_layout_index_t l = 0; l < layouts && empty; ++l) {
                const xkb_level_index_t levels = xkb_keymap_num_levels_for_key(m_keymap, key, l);
                for (xkb_level_index_t level = 0; level < levels && empty; ++level) {
                    const xkb_keysym_t* syms = nullptr;
                    empty = xkb_keymap_key_get_syms_by_level(m_keymap, key, l, level, &syms) == 0;
                }
            }
            if (empty)
                m_layout.spareKeycodes << keycode;
        }
    }

    xkb_keymap* m_keymap = nullptr;
    xkb_state* m_scratch = nullptr;
    xkb_mod_mask_t m_locked = 0;
    xkb_layout_index_t m_group = 0;
    xkb_mod_mask_t m_masks[4] = {0, 0, 0, 0};
    KeyboardLayout m_layout;
};

} // namespace platform
