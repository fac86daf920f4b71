// Start-up to the first painted main window, for the real window or, with --empty, for an
// empty QMainWindow built the same way. Prints the monotonic clock at the first paint and
// once the work put off until then has run, and the peak resident memory;
// bench/startup/run.py starts it repeatedly and compares.

#include "app/Form1.h"
#include "app/GlyphoraApplication.h"
#include "platform/desktop/DesktopPlatform.h"

#include <QMainWindow>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <sys/resource.h>

namespace {
long long monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000000000LL + now.tv_nsec;
}

class FirstPaint : public QObject
{
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            // Report once the paint has been handled, and again once what the window put
            // off until it was on screen (the user's own rows) has run too.
            QTimer::singleShot(0, [] {
                const long long painted = monotonicNs();
                QTimer::singleShot(0, [painted] {
                    rusage usage{};
                    getrusage(RUSAGE_SELF, &usage);
                    std::printf("painted_ns %lld\nsettled_ns %lld\npeak_kb %ld\n", painted,
                                monotonicNs(), usage.ru_maxrss);
                    std::fflush(stdout);
                    QCoreApplication::exit(0);
                });
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_seen = false;
};
} // namespace

int main(int argc, char* argv[])
{
    const bool empty = argc > 1 && std::strcmp(argv[1], "--empty") == 0;
    GlyphoraApplication application(argc, argv);
    platform::DesktopPlatform desktop;
    FirstPaint watcher;

    std::unique_ptr<QMainWindow> window;
    if (empty) {
        window = std::make_unique<QMainWindow>();
    } else {
        auto form = std::make_unique<Form1>(desktop.services());
        form->Form_Load();
        window = std::move(form);
    }
    window->installEventFilter(&watcher);
    window->show();
    return application.exec();
}
