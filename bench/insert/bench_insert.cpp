// From Return in the search box to the last character of a face arriving in an xterm, with
// the real main window and desktop services; bench/insert/run.sh sets up Xvfb, openbox and
// the xterm, whose reader appends the monotonic clock to a file for every face it receives.
//   bench_insert <arrivals file> [runs] [face]
// Prints the median and the worst time.

#include "app/Form1.h"
#include "app/GlyphoraApplication.h"
#include "bench/XKeycode.h"
#include "platform/desktop/DesktopPlatform.h"
#include "platform/desktop/WindowPresenter.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

namespace {
long long monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000000000LL + now.tv_nsec;
}

/// Dispatches events until the condition holds or the time is up.
template <typename Condition> bool waitFor(Condition condition, int milliseconds = 5000)
{
    const QDeadlineTimer deadline(milliseconds);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    return true;
}

QList<long long> arrivals(const QString& path)
{
    QList<long long> times;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : file.readAll().split('\n')) {
            if (!line.isEmpty())
                times << line.toLongLong();
        }
    }
    return times;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_insert <arrivals file> [runs] [face]\n");
        return 2;
    }
    const QString arrivalsFile = QString::fromLocal8Bit(argv[1]);
    const int runs = argc > 2 ? std::atoi(argv[2]) : 50;
    const QString face = argc > 3 ? QString::fromUtf8(argv[3]) : QStringLiteral("IMO :-);-)");
    GlyphoraApplication application(argc, argv);
    platform::DesktopPlatform desktop;
    Form1 form(desktop.services());
    form.Form_Load();
    form.show();
    auto* search = form.findChild<QLineEdit*>(QStringLiteral("Txt1"));
    auto* display = form.findChild<QLabel*>(QStringLiteral("Label1"));
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    const xcb_keycode_t enter = keycodeOf(c, 0xff0d); // Return
    if (!search || !display || xcb_connection_has_error(c) || !enter) {
        std::fprintf(stderr, "bench_insert: no search box, display or X server\n");
        return 1;
    }

    QList<double> times;
    for (int run = 0; run < runs; ++run) {
        platform::presentWindow(&form, {});
        if (!waitFor([&form] { return form.isActiveWindow() && !form.isMinimized(); })) {
            std::fprintf(stderr, "bench_insert: the window did not come back\n");
            return 1;
        }
        search->setFocus();
        display->setText(face);             // a face longer than any in the tables
        waitFor([] { return false; }, 100); // let the window manager settle
        const qsizetype before = arrivals(arrivalsFile).size();
        const long long start = monotonicNs();
        xcb_test_fake_input(c, XCB_KEY_PRESS, enter, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        xcb_test_fake_input(c, XCB_KEY_RELEASE, enter, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        xcb_flush(c);
        QList<long long> after;
        if (!waitFor([&] { return (after = arrivals(arrivalsFile)).size() > before; })) {
            std::fprintf(stderr, "bench_insert: the face did not arrive (run %d)\n", run + 1);
            return 1;
        }
        times << (after.constLast() - start) / 1e6;
    }
    xcb_disconnect(c);
    std::sort(times.begin(), times.end());
    std::printf("Return to the last of %lld characters in an xterm: median %.1f ms, worst %.1f ms "
                "(%d runs; goal: under 100 ms)\n",
                static_cast<long long>(face.size()), times.at(times.size() / 2), times.constLast(),
                runs);
    return 0;
}
