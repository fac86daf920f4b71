#include "platform/typing/x11/XTestTextInserter.h"

#include "platform/desktop/WindowSystemChoice.h"
#include "platform/typing/TypingPlan.h"
#include "platform/typing/TypingTarget.h"
#include "platform/typing/x11/XkbKeyboard.h"
#include "platform/x11/XConnection.h"
#include "platform/x11/XWindowManager.h"

#include <QGuiApplication>
#include <QSocketNotifier>
#include <QWindow>
#include <cstdlib>
#include <cstring>
#include <unistd.h>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

namespace platform {

namespace {
// The window manager answers an activation at once; a window that has not come forward by
// then is not going to, and the user is waiting.
constexpr int kActivationMs = 500;
constexpr int kFocusPollMs = 5;
// Clients read a lent key's keysym when they handle its key event, which may be a little
// after it was sent: a lent key keeps its keysym until they have. Meanwhile the next insert
// types on it like on any other key, and every program is spared another keymap change.
constexpr int kSettleMs = 100;
constexpr int kGiveBackMs = 500;
// Giving a key back changes the keymap, and every program, the window manager first,
// re-reads the keyboard: for a moment after, it answers an activation late.
constexpr int kAfterKeymapChangeMs = 1000;

QString brokenOff()
{
    return QStringLiteral("the connection to the display broke off");
}

QString notAnswering()
{
    return QStringLiteral("the display did not answer within half a second");
}

QString whyNotTypeable(const TypingPlan& plan, const KeyboardLayout& layout, bool paste)
{
    if (paste)
        return QStringLiteral("your keyboard has no key for Ctrl+V");
    const QString character = QString::fromUcs4(&plan.missing, 1);
    if (keysymForCharacter(plan.missing) == 0)
        return QStringLiteral("it holds a character that is never typed (U+%1)")
            .arg(uint(plan.missing), 4, 16, QLatin1Char('0'));
    if (layout.spareKeycodes.isEmpty())
        return QStringLiteral(
                   "your keyboard has no key for \u201C%1\u201D and none spare to lend it")
            .arg(character);
    return QStringLiteral("your keyboard has no key for \u201C%1\u201D").arg(character);
}
} // namespace
struct XTestTextInserter::Pending
{
    xcb_window_t window = 0;
    TypingPlan plan;
    std::shared_ptr<XkbKeyboard> keyboard;
    KeyboardLayout layout;
    qsizetype round = 0;
    std::function<void()> stepAside;
    Done done;
};

XTestTextInserter::XTestTextInserter()
{
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, [this] {
        // What came in while the program was busy elsewhere counts.
        readEvents();
        finish({Outcome::NoTarget, {}});
    });
    m_giveBack.setSingleShot(true);
    connect(&m_giveBack, &QTimer::timeout, this, &XTestTextInserter::giveBackLentKeys);

    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    std::unique_ptr<XConnection> x = XConnection::open();
    if (!x)
        return;
    const xcb_query_extension_reply_t* xtest = xcb_get_extension_data(x->c, &xcb_test_id);
    x->xtest = xtest && xtest->present;
    auto wm = std::make_unique<XWindowManager>(*x);
    wm->followActiveWindow();
    if (x->broken() || !wm->ready())
        return;
    m_x = std::move(x);
    m_wm = std::move(wm);
    m_notifier = new QSocketNotifier(xcb_get_file_descriptor(m_x->c), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &XTestTextInserter::readEvents);
    // The window the user started Glyphora from is the first one to type into.
    activeWindowChanged();
}

XTestTextInserter::~XTestTextInserter()
{
    if (m_x && !m_x->broken()) {
        const XBounded bounded(*m_x);
        giveBackLentKeys();
        m_x->sync();
    }
}

bool XTestTextInserter::available() const
{
    return m_x && !m_x->broken() && m_x->xtest && m_x->keyboard >= 0;
}

std::optional<KeyboardLayout> XTestTextInserter::keyboardLayout()
{
    if (!available() || m_pending)
        return std::nullopt;
    const XBounded bounded(*m_x);
    // xkbcommon waits as long as it takes: the server is asked first whether it answers.
    if (!m_x->sync())
        return std::nullopt;
    const std::shared_ptr<XkbKeyboard> keyboard =
        XkbKeyboard::read(m_x->c, m_x->xkb, m_x->keyboard, m_x->minKeycode, m_x->maxKeycode);
    if (!keyboard)
        return std::nullopt;
    return XkbKeyboard::layout(keyboard);
}

TextInserter::Target XTestTextInserter::target() const
{
    if (!available() || m_target == kNoWindow)
        return Target::None;
    const XBounded bounded(*m_x);
    if (!m_x->viewable(m_target))
        return Target::None;
    const QByteArray wmClass = m_x->property(m_target, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING);
    const QList<QByteArray> names = wmClass.split('\0');
    return isTerminal(names.value(0), names.value(1)) ? Target::TextOnly : Target::Any;
}

void XTestTextInserter::readEvents()
{
    if (!m_x)
        return;
    const XBounded bounded(*m_x);
    const auto next = [this] {
        return m_x->held.isEmpty() ? xcb_poll_for_event(m_x->c) : m_x->held.takeFirst();
    };
    while (xcb_generic_event_t* event = next()) {
        if (m_wm->activeWindowChanged(event))
            activeWindowChanged();
        free(event);
    }
    if (m_x->broken()) {
        m_notifier->setEnabled(false);
        if (m_pending)
            finish({Outcome::Failed, brokenOff()});
    }
}

void XTestTextInserter::activeWindowChanged()
{
    const XBounded bounded(*m_x);
    const xcb_window_t window = m_wm->activeClient();
    if (m_x->timedOut) {
        // The window the user is in is not known; the one before stays the target.
        if (m_pending)
            finish({Outcome::NoTarget, notAnswering()});
        return;
    }
    if (m_pending) {
        checkActivated();
        return;
    }
    if (window == kNoWindow) {
        // Beside XWayland, no X window active means a Wayland window has the keyboard.
        if (DisplayEnvironment::current().wayland()) {
            m_target = kNoWindow;
            m_elsewhere = true;
        }
        return;
    }
    bool ours = m_wm->processId(window) == std::uint32_t(getpid());
    for (QWindow* own : QGuiApplication::allWindows()) {
        if (own->handle() && xcb_window_t(own->winId()) == window)
            ours = true;
    }
    const std::optional<WindowType> type = m_wm->windowType(window);
    if (!m_x->timedOut && isTypingTarget(ours, type)) {
        m_target = window;
        m_elsewhere = false;
    }
}

void XTestTextInserter::insert(const Request& request, Done done)
{
    if (m_pending) {
        done({Outcome::Busy, {}});
        return;
    }
    if (!available() || m_target == kNoWindow) {
        done({Outcome::NoTarget, {}});
        return;
    }
    const XBounded bounded(*m_x);
    const bool viewable = m_x->viewable(m_target);
    if (m_x->timedOut || !viewable) {
        done({Outcome::NoTarget, m_x->timedOut ? notAnswering() : QString()});
        return;
    }
    auto pending = std::make_unique<Pending>();
    pending->window = m_target;

    // A user action with a time from the server: window managers that guard the focus
    // give it to a window asked for so. The server's answer also shows that it is answering
    // before xkbcommon, which waits as long as it takes, reads the keyboard.
    // Events read meanwhile are handled in order once the insert is under way.
    const std::optional<xcb_timestamp_t> time = m_wm->serverTime();
    if (m_x->broken()) {
        done({Outcome::Failed, brokenOff()});
        return;
    }
    if (m_x->timedOut || !time) {
        done({Outcome::NoTarget, notAnswering()});
        return;
    }
    pending->keyboard =
        XkbKeyboard::read(m_x->c, m_x->xkb, m_x->keyboard, m_x->minKeycode, m_x->maxKeycode);
    if (!pending->keyboard) {
        done({Outcome::Failed, QStringLiteral("the keyboard layout could not be read")});
        return;
    }
    pending->layout = XkbKeyboard::layout(pending->keyboard);
    pending->plan =
        request.paste ? planPaste(pending->layout) : planTyping(request.text, pending->layout);
    // Nothing is typed unless all of it can be.
    if (!pending->plan.complete) {
        done({Outcome::NotTypeable, whyNotTypeable(pending->plan, pending->layout, request.paste)});
        return;
    }
    pending->stepAside = request.stepAside;
    pending->done = std::move(done);
    m_pending = std::move(pending);

    m_wm->requestActivation(m_pending->window, *time);
    const qint64 sinceGiveBack =
        m_lastGiveBack.isValid() ? m_lastGiveBack.elapsed() : kAfterKeymapChangeMs;
    m_deadline.start(kActivationMs +
                     int(std::max<qint64>(0, kAfterKeymapChangeMs - sinceGiveBack)));
    // Events read while waiting for the time are handled from the event loop.
    QTimer::singleShot(0, this, &XTestTextInserter::readEvents);
    checkActivated();
}

bool XTestTextInserter::returnKeyboard(std::uint32_t userTime)
{
    if (m_pending || target() == Target::None)
        return false;
    m_wm->requestActivation(m_target, userTime);
    return true;
}

void XTestTextInserter::checkActivated()
{
    if (!m_pending || m_x->broken())
        return;
    const XBounded bounded(*m_x);
    const bool active = m_wm->activeClient() == m_pending->window;
    // The window manager names the window before the keyboard has gone over to it.
    const auto focus =
        active ? m_x->await<xcb_get_input_focus_reply_t>(xcb_get_input_focus(m_x->c).sequence)
               : nullptr;
    const bool focused = focus && m_x->lineage(focus->focus).contains(m_pending->window);
    if (m_x->timedOut) {
        finish({Outcome::NoTarget, notAnswering()});
        return;
    }
    if (!active)
        return;
    if (!focused) {
        QTimer::singleShot(kFocusPollMs, this, &XTestTextInserter::checkActivated);
        return;
    }
    m_deadline.stop();
    typeNow();
}

void XTestTextInserter::typeNow()
{
    // Modifiers the user still holds would change every key typed.
    const XBounded bounded(*m_x);
    const xcb_query_keymap_cookie_t downCookie = xcb_query_keymap(m_x->c);
    const xcb_get_modifier_mapping_cookie_t modifiersCookie = xcb_get_modifier_mapping(m_x->c);
    const auto down = m_x->await<xcb_query_keymap_reply_t>(downCookie.sequence);
    const auto modifiers = m_x->await<xcb_get_modifier_mapping_reply_t>(modifiersCookie.sequence);
    if (m_x->timedOut) {
        // Not a key has been sent yet.
        finish({Outcome::NoTarget, notAnswering()});
        return;
    }
    if (down && modifiers) {
        const xcb_keycode_t* keys = xcb_get_modifier_mapping_keycodes(modifiers.get());
        for (int i = 0; i < xcb_get_modifier_mapping_keycodes_length(modifiers.get()); ++i) {
            const xcb_keycode_t key = keys[i];
            if (key != 0 && (down->keys[key / 8] & (1 << (key % 8))))
                xcb_test_fake_input(m_x->c, XCB_KEY_RELEASE, key, XCB_CURRENT_TIME, kNoWindow, 0, 0,
                                    0);
        }
    }
    typeRound();
}

void XTestTextInserter::typeRound()
{
    if (!m_pending)
        return;
    if (m_x->broken()) {
        finish({Outcome::Failed, brokenOff()});
        return;
    }
    const TypingRound& round = m_pending->plan.rounds.at(m_pending->round++);
    for (const auto& [keycode, keysym] : round.lent) {
        // On both levels, so that Shift or Caps Lock do not matter.
        const xcb_keysym_t syms[2] = {keysym, keysym};
        xcb_change_keyboard_mapping(m_x->c, 1, xcb_keycode_t(keycode), 2, syms);
        m_lent.insert(keycode);
    }
    for (const KeyEvent& event : keyEvents(round, m_pending->layout))
        xcb_test_fake_input(m_x->c, event.press ? XCB_KEY_PRESS : XCB_KEY_RELEASE,
                            xcb_keycode_t(event.keycode), XCB_CURRENT_TIME, kNoWindow, 0, 0, 0);
    if (!m_lent.isEmpty())
        m_giveBack.start(kGiveBackMs);
    if (m_pending->round < m_pending->plan.rounds.size()) {
        xcb_flush(m_x->c);
        QTimer::singleShot(kSettleMs, this, &XTestTextInserter::typeRound);
        return;
    }
    const XBounded bounded(*m_x);
    if (!m_x->sync()) {
        finish({Outcome::Failed, m_x->broken()
                                     ? brokenOff()
                                     : QStringLiteral("the display stopped answering while "
                                                      "Glyphora was typing")});
        return;
    }
    finish({Outcome::Inserted, {}});
}

void XTestTextInserter::finish(const Result& result)
{
    if (!m_pending)
        return;
    m_deadline.stop();
    const std::unique_ptr<Pending> pending = std::move(m_pending);
    if (result.outcome == Outcome::Inserted && pending->stepAside)
        pending->stepAside();
    if (pending->done)
        pending->done(result);
}

void XTestTextInserter::giveBackLentKeys()
{
    if (m_pending) {
        m_giveBack.start(kGiveBackMs);
        return;
    }
    if (!m_x || m_x->broken())
        return;
    for (int keycode : std::as_const(m_lent)) {
        const xcb_keysym_t nothing = XCB_NO_SYMBOL;
        xcb_change_keyboard_mapping(m_x->c, 1, xcb_keycode_t(keycode), 1, &nothing);
    }
    m_lent.clear();
    xcb_flush(m_x->c);
    m_lastGiveBack.start();
}

} // namespace platform
