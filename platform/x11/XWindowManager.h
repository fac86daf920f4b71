#pragma once

// The window manager as Glyphora's X11 backends see it, through libxcb-ewmh: which window
// is active and of what type, the server's time for a request that must carry one, and
// asking for a window to be activated. The window manager's atoms are named here alone.

#include "platform/typing/TypingTarget.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <xcb/xcb.h>
#include <xcb/xcb_ewmh.h>

namespace platform {

struct XConnection;

class XWindowManager
{
public:
    /// Learns the atoms on this connection, waiting for them: once, at set-up.
    explicit XWindowManager(XConnection& x);
    ~XWindowManager();
    XWindowManager(const XWindowManager&) = delete;
    XWindowManager& operator=(const XWindowManager&) = delete;

    /// Whether the atoms came; nothing else here may be called without them.
    bool ready() const { return m_ready; }

    /// Has the root window report when the active window changes.
    void followActiveWindow();
    /// Whether the event says that the active window changed.
    bool activeWindowChanged(const xcb_generic_event_t* event) const;

    // Answers, waited for within the connection's bound.
    /// The application's window that is active (not the frame round it); none for none.
    xcb_window_t activeClient();
    /// The type the window means: the first one it lists.
    std::optional<WindowType> windowType(xcb_window_t window);
    std::optional<std::uint32_t> processId(xcb_window_t window);
    /// The server's time now, for a request that must carry one; none when the server did
    /// not answer. Events read meanwhile are held for the event loop.
    std::optional<xcb_timestamp_t> serverTime();

    // Requests, sent at once and never waited for.
    /// Asks for the window to be activated as a user action of this time: window managers
    /// that guard the focus give it to a window asked for so.
    void requestActivation(xcb_window_t window, xcb_timestamp_t time);
    /// Ends a launcher's startup notification (its busy cursor) of this ID.
    void completeLaunch(xcb_window_t window, const QString& startupId);

private:
    xcb_window_t clientWindow(xcb_window_t window, int depth = 0);

    XConnection& m_x;
    xcb_ewmh_connection_t m_ewmh = {};
    bool m_ready = false;
    xcb_atom_t m_wmState = XCB_ATOM_NONE;
    xcb_atom_t m_startupBegin = XCB_ATOM_NONE;
    xcb_atom_t m_startupMore = XCB_ATOM_NONE;
    xcb_atom_t m_timeProbe = XCB_ATOM_NONE;
    xcb_window_t m_probe = 0; ///< unmapped; its property changes tell the time
};

} // namespace platform
