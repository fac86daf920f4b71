// From a later start of the program, or from its summon key, to its running window being
// active: the later start hands over to the running copy on the session bus, which comes
// forward; the key is grabbed by the running copy itself. summon.sh sets up Xvfb, openbox,
// the bus and the running copy; this starts the program (or presses Super+period through
// XTEST) again and again, with the running window minimised in half of the runs and under
// another window in the others, and times each until the window manager names the main
// window active.
//   bench_summon <glyphora> <main window title> [runs] [key]

#include "bench/XKeycode.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <utility>
#include <vector>
#include <xcb/xcb.h>
#include <xcb/xcb_ewmh.h>
#include <xcb/xtest.h>

extern char** environ;

namespace {
long long monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000000000LL + now.tv_nsec;
}

xcb_connection_t* c;
xcb_ewmh_connection_t ewmh;

/// Waits for the active window to be this one; false after five seconds.
bool awaitActive(xcb_window_t window)
{
    const long long deadline = monotonicNs() + 5000000000LL;
    for (;;) {
        xcb_window_t now = XCB_NONE;
        if (xcb_ewmh_get_active_window_reply(&ewmh, xcb_ewmh_get_active_window(&ewmh, 0), &now,
                                             nullptr) &&
            now == window)
            return true;
        if (monotonicNs() > deadline)
            return false;
        if (xcb_generic_event_t* event = xcb_wait_for_event(c))
            free(event);
        else
            return false;
    }
}

/// Minimised as the user would, through ICCCM's request, which window managers all take.
void iconify(xcb_window_t window)
{
    static const char name[] = "WM_CHANGE_STATE";
    xcb_intern_atom_reply_t* atom =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, sizeof name - 1, name), nullptr);
    const uint32_t iconic[] = {3};
    xcb_ewmh_send_client_message(c, window, ewmh.screens[0]->root, atom ? atom->atom : XCB_NONE,
                                 sizeof iconic, iconic);
    free(atom);
    xcb_flush(c);
}
} // namespace

int main(int argc, char* argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_summon <glyphora> <main window title> [runs]\n");
        return 2;
    }
    const int runs = argc > 3 ? std::atoi(argv[3]) : 40;
    const bool byKey = argc > 4 && std::strcmp(argv[4], "key") == 0;
    c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c))
        return 1;
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    if (!xcb_ewmh_init_atoms_replies(&ewmh, xcb_ewmh_init_atoms(c, &ewmh), nullptr))
        return 1;
    xcb_window_t main = 0;
    xcb_ewmh_get_windows_reply_t clients;
    if (xcb_ewmh_get_client_list_reply(&ewmh, xcb_ewmh_get_client_list(&ewmh, 0), &clients,
                                       nullptr)) {
        for (uint32_t i = 0; i < clients.windows_len; ++i) {
            xcb_ewmh_get_utf8_strings_reply_t name;
            if (xcb_ewmh_get_wm_name_reply(&ewmh, xcb_ewmh_get_wm_name(&ewmh, clients.windows[i]),
                                           &name, nullptr)) {
                if (std::string(name.strings, name.strings_len) == argv[2])
                    main = clients.windows[i];
                xcb_ewmh_get_utf8_strings_reply_wipe(&name);
            }
        }
        xcb_ewmh_get_windows_reply_wipe(&clients);
    }
    const uint32_t rootEvents = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(c, screen->root, XCB_CW_EVENT_MASK, &rootEvents);
    // Another program's window, which has the keyboard before each start.
    const xcb_window_t other = xcb_generate_id(c);
    xcb_create_window(c, XCB_COPY_FROM_PARENT, other, screen->root, 400, 100, 300, 200, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
    xcb_map_window(c, other);
    xcb_flush(c);

    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        if (run % 2 == 0)
            iconify(main);
        xcb_ewmh_request_change_active_window(&ewmh, 0, other, XCB_EWMH_CLIENT_SOURCE_TYPE_OTHER,
                                              XCB_CURRENT_TIME, XCB_NONE);
        xcb_flush(c);
        if (!awaitActive(other)) {
            std::fprintf(stderr, "bench_summon: the other window did not get the keyboard\n");
            return 1;
        }
        struct timespec pause = {0, 200000000};
        nanosleep(&pause, nullptr);
        const long long start = monotonicNs();
        pid_t pid = 0;
        int status = 0;
        if (byKey) {
            static const xcb_keycode_t super = keycodeOf(c, 0xffeb), period = keycodeOf(c, 0x2e);
            for (auto [type, key] : {std::pair{XCB_KEY_PRESS, super},
                                     {XCB_KEY_PRESS, period},
                                     {XCB_KEY_RELEASE, period},
                                     {XCB_KEY_RELEASE, super}})
                xcb_test_fake_input(c, uint8_t(type), key, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
            xcb_flush(c);
        } else {
            char* arguments[] = {argv[1], nullptr};
            if (posix_spawn(&pid, argv[1], nullptr, nullptr, arguments, environ) != 0)
                return 1;
        }
        const bool came = awaitActive(main);
        const long long end = monotonicNs();
        if (!byKey)
            waitpid(pid, &status, 0);
        if (!came || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            std::fprintf(stderr, "bench_summon: run %d: the window did not come (status %d)\n",
                         run + 1, status);
            return 1;
        }
        times.push_back((end - start) / 1e6);
    }
    std::sort(times.begin(), times.end());
    std::printf("%s to the running window active: median %.1f ms, worst %.1f ms "
                "(%d runs, half of them minimised; goal: under %d ms)\n",
                byKey ? "summon key" : "later start", times[times.size() / 2], times.back(), runs,
                byKey ? 20 : 100);
    xcb_ewmh_connection_wipe(&ewmh);
    xcb_disconnect(c);
    return 0;
}
