#pragma once

#include "platform/typing/TextInserter.h"
#include "platform/typing/TypingPlan.h"

#include <QElapsedTimer>
#include <QObject>
#include <QSet>
#include <QTimer>
#include <cstdint>
#include <memory>
#include <optional>

class QSocketNotifier;

namespace platform {

struct XConnection;
class XWindowManager;

/// Types into the window the user came from on X11. A connection of its own follows the
/// window manager's _NET_ACTIVE_WINDOW and keeps the last active window that is not one of
/// Glyphora's; an insert activates that window as a user action, waits until it has the
/// keyboard and sends key events through the XTEST extension, on the layout in force.
/// Characters the layout lacks go through spare keycodes, lent their keysym for the moment
/// and given back shortly after the insert.
class XTestTextInserter final : public QObject, public TextInserter
{
public:
    /// Connects when the program runs on X11; elsewhere it stays idle and has no target.
    XTestTextInserter();
    ~XTestTextInserter() override;

    Target target() const override;
    void insert(const Request& request, Done done) override;
    bool returnKeyboard(std::uint32_t userTime) override;

    /// Whether the X server and its window manager are at hand.
    bool available() const;
    /// The keyboard layout in force on this X server, where it can be read.
    std::optional<KeyboardLayout> keyboardLayout();
    /// Whether the user last went to a window that is not an X client (a Wayland window
    /// beside XWayland): then it cannot be reached from here.
    bool leftForOtherWindowSystem() const { return m_elsewhere; }

private:
    struct Pending;

    void readEvents();
    void activeWindowChanged();
    void checkActivated();
    void typeNow();
    void typeRound();
    void finish(const Result& result);
    void giveBackLentKeys();

    std::unique_ptr<XConnection> m_x;
    std::unique_ptr<XWindowManager> m_wm; ///< on m_x, so it goes first
    QSocketNotifier* m_notifier = nullptr;
    std::uint32_t m_target = 0; ///< the client window to type into; 0 for none
    bool m_elsewhere = false;
    std::unique_ptr<Pending> m_pending;
    QTimer m_deadline;
    QTimer m_giveBack;
    QSet<int> m_lent; ///< keycodes lent a keysym and not yet given back
    QElapsedTimer m_lastGiveBack;
};

} // namespace platform
