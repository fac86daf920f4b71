// An X server that stops answering while a face is being typed (grabbed by another client,
// as a compositor that hangs would leave it) must not hold the window: the insert gives up
// within its bound and says why. Runs under a real Xvfb.

#include "platform/typing/x11/XTestTextInserter.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTest>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <optional>
#include <thread>
#include <xcb/xcb.h>

using platform::TextInserter;

namespace {

/// A client of its own that grabs the server until released, or for ten seconds at most:
/// an insert that waits without a bound ends only then.
class Grabber
{
public:
    Grabber()
    {
        m_thread = std::thread([this] {
            xcb_connection_t* c = xcb_connect(nullptr, nullptr);
            xcb_grab_server(c);
            free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
            std::unique_lock lock(m_mutex);
            m_grabbed = true;
            m_changed.notify_all();
            m_changed.wait_for(lock, std::chrono::seconds(10), [this] { return m_release; });
            m_grabbed = false;
            xcb_ungrab_server(c);
            free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
            xcb_disconnect(c);
        });
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_grabbed; });
    }
    ~Grabber()
    {
        release();
        m_thread.join();
    }
    bool grabbed()
    {
        const std::lock_guard lock(m_mutex);
        return m_grabbed;
    }
    void release()
    {
        const std::lock_guard lock(m_mutex);
        m_release = true;
        m_changed.notify_all();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_grabbed = false;
    bool m_release = false;
    std::thread m_thread;
};

} // namespace

class TestTypingStall : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs an X server");
        // A window to type into, named active as a window manager names it.
        m_c = xcb_connect(nullptr, nullptr);
        QVERIFY(!xcb_connection_has_error(m_c));
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(m_c)).data;
        const xcb_window_t window = xcb_generate_id(m_c);
        xcb_create_window(m_c, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 100, 100, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
        xcb_map_window(m_c, window);
        const char* name = "_NET_ACTIVE_WINDOW";
        xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
            m_c, xcb_intern_atom(m_c, 0, uint16_t(strlen(name)), name), nullptr);
        QVERIFY(atom);
        xcb_change_property(m_c, XCB_PROP_MODE_REPLACE, screen->root, atom->atom, XCB_ATOM_WINDOW,
                            32, 1, &window);
        free(atom);
        free(xcb_get_input_focus_reply(m_c, xcb_get_input_focus(m_c), nullptr));
    }
    void cleanupTestCase()
    {
        if (m_c)
            xcb_disconnect(m_c);
    }

    void aGrabbedServerEndsTheInsert()
    {
        platform::XTestTextInserter inserter;
        QVERIFY(inserter.available());
        QCOMPARE(inserter.target(), TextInserter::Target::Any);

        std::optional<TextInserter::Result> result;
        bool whileGrabbed = false;
        {
            Grabber grabber;
            inserter.insert({.text = QStringLiteral(";-)"), .paste = false, .stepAside = {}},
                            [&](const TextInserter::Result& r) {
                                result = r;
                                whileGrabbed = grabber.grabbed();
                            });
            QTRY_VERIFY_WITH_TIMEOUT(result.has_value(), 5000);
            QVERIFY(whileGrabbed);
        }
        QCOMPARE(int(result->outcome), int(TextInserter::Outcome::NoTarget));
        QCOMPARE(result->message,
                 QStringLiteral("the display did not answer within half a second"));
        // The answers that came late are dropped: the connection serves the next insert.
        QCOMPARE(inserter.target(), TextInserter::Target::Any);
    }

private:
    xcb_connection_t* m_c = nullptr;
};

QTEST_MAIN(TestTypingStall)
#include "tst_typing_stall.moc"
