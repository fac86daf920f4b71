#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace platform {

/// Turns SIGTERM, SIGINT and SIGHUP, with which a session ends its programs, into a call
/// on the event loop, so the program quits by its usual path instead of dying where it
/// stands. The handler only writes a byte to a pipe; the rest runs outside it. One at a
/// time per process.
class QuitSignals : public QObject
{
    Q_OBJECT
public:
    explicit QuitSignals(std::function<void()> onSignal, QObject* parent = nullptr);
    ~QuitSignals() override;

private:
    void drain();

    std::function<void()> m_onSignal;
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace platform
