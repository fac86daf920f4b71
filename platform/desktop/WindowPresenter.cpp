#include "platform/desktop/WindowPresenter.h"

#include <QApplication>
#include <QRegularExpression>
#include <QWidget>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

namespace platform {

namespace {
xcb_atom_t atom(xcb_connection_t* connection, const char* name)
{
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, uint16_t(qstrlen(name)), name), nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(reply);
    return result;
}

/// The X server time at which the launcher started the later copy, from its startup ID.
uint32_t launchTime(const QString& startupId)
{
    static const QRegularExpression time(QStringLiteral("_TIME(\\d+)$"));
    const QRegularExpressionMatch match = time.match(startupId);
    return match.hasMatch() ? match.captured(1).toUInt() : uint32_t(XCB_CURRENT_TIME);
}

/// Ends the launcher's startup notification (its busy cursor): the copy it started ends
/// without a window, so this one says the launch is complete.
void completeLaunch(xcb_connection_t* connection, xcb_window_t root, xcb_window_t window,
                    const QString& startupId)
{
    QByteArray message = "remove: ID=\"";
    for (const QChar c : startupId) {
        if (c == QLatin1Char('"') || c == QLatin1Char('\\'))
            message += '\\';
        message += QString(c).toUtf8();
    }
    message += '"';
    message += '\0'; // part of the message
    const xcb_atom_t begin = atom(connection, "_NET_STARTUP_INFO_BEGIN");
    const xcb_atom_t more = atom(connection, "_NET_STARTUP_INFO");
    for (qsizetype at = 0; at < message.size(); at += 20) {
        xcb_client_message_event_t event = {};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 8;
        event.window = window;
        event.type = at == 0 ? begin : more;
        memcpy(event.data.data8, message.constData() + at,
               size_t(std::min<qsizetype>(20, message.size() - at)));
        xcb_send_event(connection, 0, root, XCB_EVENT_MASK_PROPERTY_CHANGE,
                       reinterpret_cast<const char*>(&event));
    }
}

/// Asks the window manager to activate the window. Qt's own request carries the time of
/// this program's last input, long past when the user starts Glyphora again, and window
/// managers that guard the focus refuse it. The later start is the user's own act, which
/// is what the "user action" source means.
bool activateOnX11(QWidget* window, const QVariantMap& platformData)
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection())
        return false;
    xcb_connection_t* connection = x11->connection();
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (!screen)
        return false;
    const QString startupId = platformData.value(QStringLiteral("desktop-startup-id")).toString();
    const auto id = xcb_window_t(window->winId());

    constexpr uint32_t kUserAction = 2;
    xcb_client_message_event_t event = {};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = id;
    event.type = atom(connection, "_NET_ACTIVE_WINDOW");
    event.data.data32[0] = kUserAction;
    // A key press of the window system's own carries its time; a later start's ID does.
    const QVariant userTime = platformData.value(QStringLiteral("user-time"));
    event.data.data32[1] = userTime.isValid() ? userTime.toUInt() : launchTime(startupId);
    xcb_send_event(connection, 0, screen->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&event));
    if (!startupId.isEmpty())
        completeLaunch(connection, screen->root, id, startupId);
    xcb_flush(connection);
    return true;
}
} // namespace

void presentWindow(QWidget* window, const QVariantMap& platformData)
{
    if (!window)
        return;
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    // A modal dialog that is open keeps the keyboard; the window manager stacks it above
    // its owner.
    QWidget* target = QApplication::activeModalWidget();
    if (!target)
        target = window;
    target->raise();
    if (!activateOnX11(target, platformData))
        target->activateWindow();
}

} // namespace platform
