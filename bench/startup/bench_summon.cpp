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
xcb_window_t root;

xcb_atom_t atom(const char* name)
{
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(strlen(name)), name), nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(reply);
    return result;
}

std::vector<uint32_t> property(xcb_window_t window, xcb_atom_t name, xcb_atom_t type)
{
    std::vector<uint32_t> values;
    xcb_get_property_reply_t* reply =
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, name, type, 0, 4096), nullptr);
    if (reply && reply->format == 32) {
        const auto* data = static_cast<const uint32_t*>(xcb_get_property_value(reply));
        values.assign(data, data + xcb_get_property_value_length(reply) / 4); // bytes
    }
    free(reply);
    return values;
}

std::string text(xcb_window_t window, xcb_atom_t name)
{
    std::string result;
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, name, XCB_ATOM_ANY, 0, 1024), nullptr);
    if (reply)
        result.assign(static_cast<const char*>(xcb_get_property_value(reply)),
                      size_t(xcb_get_property_value_length(reply)));
    free(reply);
    return result;
}

void clientMessage(xcb_window_t window, xcb_atom_t type, uint32_t a, uint32_t b)
{
    xcb_client_message_event_t event = {};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = type;
    event.data.data32[0] = a;
    event.data.data32[1] = b;
    xcb_send_event(c, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&event));
    xcb_flush(c);
}

/// Waits for the active window to be this one; false after five seconds.
bool awaitActive(xcb_window_t window, xcb_atom_t active)
{
    const long long deadline = monotonicNs() + 5000000000LL;
    for (;;) {
        const std::vector<uint32_t> now = property(root, active, XCB_ATOM_WINDOW);
        if (!now.empty() && now[0] == window)
            return true;
        if (monotonicNs() > deadline)
            return false;
        if (xcb_generic_event_t* event = xcb_wait_for_event(c))
            free(event);
        else
            return false;
    }
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
    root = screen->root;
    const xcb_atom_t active = atom("_NET_ACTIVE_WINDOW");
    const xcb_atom_t clients = atom("_NET_CLIENT_LIST");
    const xcb_atom_t name = atom("_NET_WM_NAME");
    const xcb_atom_t changeState = atom("WM_CHANGE_STATE");

    xcb_window_t main = 0;
    for (uint32_t window : property(root, clients, XCB_ATOM_WINDOW)) {
        if (text(window, name) == argv[2])
            main = window;
    }
    if (!main) {
        std::fprintf(stderr, "bench_summon: no window \"%s\"\n", argv[2]);
        return 1;
    }
    const uint32_t rootEvents = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &rootEvents);
    // Another program's window, which has the keyboard before each start.
    const xcb_window_t other = xcb_generate_id(c);
    xcb_create_window(c, XCB_COPY_FROM_PARENT, other, root, 400, 100, 300, 200, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
    xcb_map_window(c, other);
    xcb_flush(c);

    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        constexpr uint32_t kUserAction = 2, kIconic = 3;
        if (run % 2 == 0)
            clientMessage(main, changeState, kIconic, 0);
        clientMessage(other, active, kUserAction, XCB_CURRENT_TIME);
        if (!awaitActive(other, active)) {
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
        const bool came = awaitActive(main, active);
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
    xcb_disconnect(c);
    return 0;
}
