#include "platform/desktop/WindowPresenter.h"

#include "platform/x11/XConnection.h"
#include "platform/x11/XWindowManager.h"

#include <QApplication>
#include <QRegularExpression>
#include <QWidget>
#include <memory>

namespace platform {

namespace {
/// The X server time at which the launcher started the later copy, from its startup ID.
uint32_t launchTime(const QString& startupId)
{
    static const QRegularExpression time(QStringLiteral("_TIME(\\d+)$"));
    const QRegularExpressionMatch match = time.match(startupId);
    return match.hasMatch() ? match.captured(1).toUInt() : uint32_t(XCB_CURRENT_TIME);
}

/// The window manager on the toolkit's own connection, so that the activation reaches the
/// server after the toolkit has shown the window.
XWindowManager* windowManager()
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection())
        return nullptr;
    struct Borrowed
    {
        std::unique_ptr<XConnection> x;
        std::unique_ptr<XWindowManager> wm;
    };
    static Borrowed borrowed;
    if (!borrowed.x || borrowed.x->c != x11->connection()) {
        borrowed.wm.reset();
        borrowed.x = XConnection::borrow(x11->connection());
        if (borrowed.x)
            borrowed.wm = std::make_unique<XWindowManager>(*borrowed.x);
    }
    return borrowed.wm && borrowed.wm->ready() ? borrowed.wm.get() : nullptr;
}

/// Asks the window manager to activate the window. Qt's own request carries the time of
/// this program's last input, long past when the user starts Glyphora again, and window
/// managers that guard the focus refuse it. The later start is the user's own act, which
/// is what the "user action" source means.
bool activateOnX11(QWidget* window, const QVariantMap& platformData)
{
    XWindowManager* wm = windowManager();
    if (!wm)
        return false;
    const QString startupId = platformData.value(QStringLiteral("desktop-startup-id")).toString();
    const auto id = xcb_window_t(window->winId());
    // A key press of the window system's own carries its time; a later start's ID does.
    const QVariant userTime = platformData.value(QStringLiteral("user-time"));
    wm->requestActivation(id, userTime.isValid() ? userTime.toUInt() : launchTime(startupId));
    // The copy the launcher started ends without a window, so this one says the launch is
    // complete.
    if (!startupId.isEmpty())
        wm->completeLaunch(id, startupId);
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
