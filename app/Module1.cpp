#include "app/Module1.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>
#include <chrono>

namespace {
// Exit code of the pause's own loop; anything else means the application is quitting.
constexpr int kPauseOver = 0x5ec0;
} // namespace

void WaitSeconds(int seconds)
{
    if (seconds <= 0)
        return;
    const QDeadlineTimer deadline(std::chrono::seconds(seconds), Qt::PreciseTimer);
    while (!deadline.hasExpired()) {
        QEventLoop loop;
        QTimer::singleShot(std::max<qint64>(deadline.remainingTime(), 1), Qt::PreciseTimer, &loop,
                           [&loop] { loop.exit(kPauseOver); });
        if (loop.exec() != kPauseOver)
            return;
    }
}
