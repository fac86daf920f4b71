#pragma once

// An X connection of Glyphora's own, as the typing and the summon key keep it: every wait
// for the server bounded, so that a server that stalls (grabbed by another client, a
// compositor that hangs) cannot hold the window.

#include <QByteArray>
#include <QDeadlineTimer>
#include <QList>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <poll.h>
#include <xcb/xcb.h>
#include <xcb/xcbext.h>
#include <xkbcommon/xkbcommon-x11.h>

namespace platform {

// The longest the server may take to answer while Glyphora works for an insert: one that is
// grabbed by another client, or whose compositor hangs, would hold the window for as long.
inline constexpr int kAnswerMs = 500;
inline constexpr xcb_window_t kNoWindow = XCB_WINDOW_NONE;

struct FreeReply
{
    void operator()(void* reply) const { free(reply); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeReply>;

struct XConnection
{
    xcb_connection_t* c = nullptr;
    bool owned = true; ///< closed with this object; the toolkit's own is not
    int screen = 0;
    xcb_window_t root = 0;
    int minKeycode = 8;
    int maxKeycode = 255;
    bool xtest = false;
    std::int32_t keyboard = -1;
    xkb_context* xkb = nullptr;
    /// Until when the requests of the work at hand are waited for; past it, none is.
    QDeadlineTimer deadline{QDeadlineTimer::Forever};
    bool timedOut = false; ///< a wait of the work at hand ran out
    /// Events read while waiting for another, for the event loop to handle in order.
    QList<xcb_generic_event_t*> held;

    ~XConnection()
    {
        for (xcb_generic_event_t* event : std::as_const(held))
            free(event);
        if (xkb)
            xkb_context_unref(xkb);
        if (c && owned)
            xcb_disconnect(c);
    }
    bool broken() const { return !c || xcb_connection_has_error(c) != 0; }

    /// A connection of its own to the display's screen, so that the events it asks for and
    /// the requests it makes do not mix with the toolkit's; XKB is set up where the server
    /// has it (keyboard stays -1 where not).
    /// @return null where the display cannot be reached
    static std::unique_ptr<XConnection> open()
    {
        auto x = std::make_unique<XConnection>();
        x->c = xcb_connect(nullptr, &x->screen);
        if (x->broken() || !x->findRoot())
            return nullptr;
        const xcb_setup_t* setup = xcb_get_setup(x->c);
        x->minKeycode = setup->min_keycode;
        x->maxKeycode = setup->max_keycode;
        if (xkb_x11_setup_xkb_extension(
                x->c, XKB_X11_MIN_MAJOR_XKB_VERSION, XKB_X11_MIN_MINOR_XKB_VERSION,
                XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, nullptr, nullptr, nullptr, nullptr)) {
            x->keyboard = xkb_x11_get_core_keyboard_device_id(x->c);
            x->xkb = xkb_context_new(XKB_CONTEXT_NO_DEFAULT_INCLUDES);
        }
        return x;
    }

    /// The toolkit's own connection, for requests that must reach the server after the
    /// toolkit's (a window shown, then activated); it stays open. Its answers are never
    /// waited for here: the toolkit's own thread reads them, and a wait would not wake.
    static std::unique_ptr<XConnection> borrow(xcb_connection_t* connection)
    {
        auto x = std::make_unique<XConnection>();
        x->c = connection;
        x->owned = false;
        if (x->broken() || !x->findRoot())
            return nullptr;
        return x;
    }

    bool findRoot()
    {
        xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(c));
        for (int i = 0; i < screen && screens.rem > 0; ++i)
            xcb_screen_next(&screens);
        if (screens.rem == 0)
            return false;
        root = screens.data->root;
        return true;
    }

    /// Waits until the server has sent something, or the deadline has passed.
    /// @return false once the deadline has passed
    bool waitForInput()
    {
        const qint64 left = deadline.remainingTime();
        if (left == 0) {
            timedOut = true;
            return false;
        }
        pollfd fd{xcb_get_file_descriptor(c), POLLIN, 0};
        ::poll(&fd, 1, left < 0 ? -1 : int(left));
        return true;
    }

    /// The reply to a request, waited for until the deadline; null when the server did not
    /// answer by then, answered with an error or broke off.
    template <typename T> Reply<T> await(unsigned int sequence)
    {
        xcb_flush(c);
        for (;;) {
            void* reply = nullptr;
            xcb_generic_error_t* error = nullptr;
            if (xcb_poll_for_reply(c, sequence, &reply, &error)) {
                free(error);
                return Reply<T>(static_cast<T*>(reply));
            }
            if (!waitForInput()) {
                // Its answer, when it comes, is not kept.
                xcb_discard_reply(c, sequence);
                return nullptr;
            }
        }
    }

    /// The next event, waited for until the deadline; null when none came by then.
    xcb_generic_event_t* nextEvent()
    {
        xcb_flush(c);
        for (;;) {
            if (xcb_generic_event_t* event = xcb_poll_for_event(c))
                return event;
            if (broken() || !waitForInput())
                return nullptr;
        }
    }

    QByteArray property(xcb_window_t window, xcb_atom_t atom, xcb_atom_t type = XCB_ATOM_ANY)
    {
        const auto reply = await<xcb_get_property_reply_t>(
            xcb_get_property(c, 0, window, atom, type, 0, 1024).sequence);
        if (!reply || reply->format == 0)
            return {};
        // The length is in bytes, whatever the format.
        return QByteArray(static_cast<const char*>(xcb_get_property_value(reply.get())),
                          xcb_get_property_value_length(reply.get()));
    }

    bool viewable(xcb_window_t window)
    {
        const auto reply =
            await<xcb_get_window_attributes_reply_t>(xcb_get_window_attributes(c, window).sequence);
        return reply && reply->map_state == XCB_MAP_STATE_VIEWABLE;
    }

    /// The window and its ancestors up to the root, or nothing when it is gone.
    QList<xcb_window_t> lineage(xcb_window_t window)
    {
        QList<xcb_window_t> windows;
        while (window != kNoWindow && window != root && windows.size() < 32) {
            windows << window;
            const auto tree = await<xcb_query_tree_reply_t>(xcb_query_tree(c, window).sequence);
            if (!tree)
                return {};
            window = tree->parent;
        }
        return windows;
    }

    /// Waits until the server has handled every request sent.
    /// @return whether it did by the deadline
    bool sync()
    {
        return bool(await<xcb_get_input_focus_reply_t>(xcb_get_input_focus(c).sequence));
    }
};

/// Bounds the waits of the work at hand: from the outermost guard on, every wait for the
/// server ends kAnswerMs after that guard began, and timedOut tells whether one ran out.
class XBounded
{
public:
    explicit XBounded(XConnection& x) : m_x(x), m_outer(x.deadline.isForever())
    {
        if (!m_outer)
            return;
        x.deadline = QDeadlineTimer(kAnswerMs);
        x.timedOut = false;
    }
    ~XBounded()
    {
        if (m_outer)
            m_x.deadline = QDeadlineTimer(QDeadlineTimer::Forever);
    }
    XBounded(const XBounded&) = delete;
    XBounded& operator=(const XBounded&) = delete;

private:
    XConnection& m_x;
    bool m_outer;
};

} // namespace platform
