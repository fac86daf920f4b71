#include "platform/x11/XWindowManager.h"

#include "platform/x11/XConnection.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <utility>

namespace platform {

XWindowManager::XWindowManager(XConnection& x) : m_x(x)
{
    // At set-up the answers are waited for as xcb waits, which the toolkit's connection,
    // read by a thread of its own, needs.
    xcb_intern_atom_cookie_t* cookies = xcb_ewmh_init_atoms(x.c, &m_ewmh);
    // ICCCM's, the startup notification's and Glyphora's own, asked for meanwhile.
    const char* const names[] = {"WM_STATE", "_NET_STARTUP_INFO_BEGIN", "_NET_STARTUP_INFO",
                                 "_GLYPHORA_TIME"};
    xcb_atom_t* const atoms[] = {&m_wmState, &m_startupBegin, &m_startupMore, &m_timeProbe};
    xcb_intern_atom_cookie_t own[std::size(names)];
    for (size_t i = 0; i < std::size(names); ++i)
        own[i] = xcb_intern_atom(x.c, 0, uint16_t(strlen(names[i])), names[i]);
    m_ready = xcb_ewmh_init_atoms_replies(&m_ewmh, cookies, nullptr) != 0;
    for (size_t i = 0; i < std::size(names); ++i) {
        const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(x.c, own[i], nullptr));
        *atoms[i] = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    }
}

XWindowManager::~XWindowManager()
{
    // Only memory: the connection may be the toolkit's, closed by now.
    if (m_ready)
        xcb_ewmh_connection_wipe(&m_ewmh);
}

void XWindowManager::followActiveWindow()
{
    const std::uint32_t rootEvents = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(m_x.c, m_x.root, XCB_CW_EVENT_MASK, &rootEvents);
    xcb_flush(m_x.c);
}

bool XWindowManager::activeWindowChanged(const xcb_generic_event_t* event) const
{
    if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY)
        return false;
    const auto* notify = reinterpret_cast<const xcb_property_notify_event_t*>(event);
    return notify->window == m_x.root && notify->atom == m_ewmh._NET_ACTIVE_WINDOW;
}

xcb_window_t XWindowManager::clientWindow(xcb_window_t window, int depth)
{
    // A frame the window manager made round a window is searched for the window that
    // carries WM_STATE.
    if (window == kNoWindow || !m_x.property(window, m_wmState).isNull())
        return window;
    if (depth >= 3)
        return kNoWindow;
    const auto tree = m_x.await<xcb_query_tree_reply_t>(xcb_query_tree(m_x.c, window).sequence);
    if (!tree)
        return kNoWindow;
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
        if (const xcb_window_t client = clientWindow(children[i], depth + 1))
            return client;
    }
    return depth == 0 ? window : kNoWindow;
}

xcb_window_t XWindowManager::activeClient()
{
    const auto reply = m_x.await<xcb_get_property_reply_t>(
        xcb_ewmh_get_active_window(&m_ewmh, m_x.screen).sequence);
    xcb_window_t active = kNoWindow;
    if (!reply || !xcb_ewmh_get_active_window_from_reply(&active, reply.get()))
        return kNoWindow;
    return clientWindow(active);
}

std::optional<WindowType> XWindowManager::windowType(xcb_window_t window)
{
    const auto reply =
        m_x.await<xcb_get_property_reply_t>(xcb_ewmh_get_wm_window_type(&m_ewmh, window).sequence);
    xcb_ewmh_get_atoms_reply_t types;
    // The reply stays owned here: the atoms point into it.
    if (!reply || !xcb_ewmh_get_wm_window_type_from_reply(&types, reply.get()) ||
        types.atoms_len == 0)
        return std::nullopt;
    const std::pair<xcb_atom_t, WindowType> known[] = {
        {m_ewmh._NET_WM_WINDOW_TYPE_NORMAL, WindowType::Normal},
        {m_ewmh._NET_WM_WINDOW_TYPE_DIALOG, WindowType::Dialog},
        {m_ewmh._NET_WM_WINDOW_TYPE_UTILITY, WindowType::Utility},
        {m_ewmh._NET_WM_WINDOW_TYPE_DESKTOP, WindowType::Desktop},
        {m_ewmh._NET_WM_WINDOW_TYPE_DOCK, WindowType::Dock},
        {m_ewmh._NET_WM_WINDOW_TYPE_TOOLBAR, WindowType::Toolbar},
        {m_ewmh._NET_WM_WINDOW_TYPE_MENU, WindowType::Menu},
        {m_ewmh._NET_WM_WINDOW_TYPE_DROPDOWN_MENU, WindowType::DropdownMenu},
        {m_ewmh._NET_WM_WINDOW_TYPE_POPUP_MENU, WindowType::PopupMenu},
        {m_ewmh._NET_WM_WINDOW_TYPE_COMBO, WindowType::Combo},
        {m_ewmh._NET_WM_WINDOW_TYPE_SPLASH, WindowType::Splash},
        {m_ewmh._NET_WM_WINDOW_TYPE_TOOLTIP, WindowType::Tooltip},
        {m_ewmh._NET_WM_WINDOW_TYPE_NOTIFICATION, WindowType::Notification},
        {m_ewmh._NET_WM_WINDOW_TYPE_DND, WindowType::Dnd}};
    for (const auto& [atom, type] : known) {
        if (atom == types.atoms[0])
            return type;
    }
    return WindowType::Other;
}

std::optional<std::uint32_t> XWindowManager::processId(xcb_window_t window)
{
    const auto reply =
        m_x.await<xcb_get_property_reply_t>(xcb_ewmh_get_wm_pid(&m_ewmh, window).sequence);
    std::uint32_t pid = 0;
    if (!reply || !xcb_ewmh_get_wm_pid_from_reply(&pid, reply.get()))
        return std::nullopt;
    return pid;
}

std::optional<xcb_timestamp_t> XWindowManager::serverTime()
{
    // ICCCM's way: a zero-length change to a property of a window of one's own, whose
    // notification carries the server's time.
    if (m_probe == kNoWindow) {
        m_probe = xcb_generate_id(m_x.c);
        const std::uint32_t values[] = {1, XCB_EVENT_MASK_PROPERTY_CHANGE};
        xcb_create_window(m_x.c, XCB_COPY_FROM_PARENT, m_probe, m_x.root, -1, -1, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT,
                          XCB_CW_OVERRIDE_REDIRECT | XCB_CW_EVENT_MASK, values);
    }
    const std::uint8_t nothing = 0;
    xcb_change_property(m_x.c, XCB_PROP_MODE_APPEND, m_probe, m_timeProbe, XCB_ATOM_STRING, 8, 0,
                        &nothing);
    while (xcb_generic_event_t* event = m_x.nextEvent()) {
        const auto* notify = reinterpret_cast<xcb_property_notify_event_t*>(event);
        if ((event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY && notify->window == m_probe) {
            const xcb_timestamp_t time = notify->time;
            free(event);
            return time;
        }
        m_x.held.append(event);
    }
    return std::nullopt;
}

void XWindowManager::requestActivation(xcb_window_t window, xcb_timestamp_t time)
{
    xcb_ewmh_request_change_active_window(&m_ewmh, m_x.screen, window,
                                          XCB_EWMH_CLIENT_SOURCE_TYPE_OTHER, time, kNoWindow);
    xcb_flush(m_x.c);
}

void XWindowManager::completeLaunch(xcb_window_t window, const QString& startupId)
{
    QByteArray message = "remove: ID=\"";
    for (const QChar c : startupId) {
        if (c == QLatin1Char('"') || c == QLatin1Char('\\'))
            message += '\\';
        message += QString(c).toUtf8();
    }
    message += '"';
    message += '\0'; // part of the message
    for (qsizetype at = 0; at < message.size(); at += 20) {
        xcb_client_message_event_t event = {};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 8;
        event.window = window;
        event.type = at == 0 ? m_startupBegin : m_startupMore;
        memcpy(event.data.data8, message.constData() + at,
               size_t(std::min<qsizetype>(20, message.size() - at)));
        xcb_send_event(m_x.c, 0, m_x.root, XCB_EVENT_MASK_PROPERTY_CHANGE,
                       reinterpret_cast<const char*>(&event));
    }
    xcb_flush(m_x.c);
}

} // namespace platform
