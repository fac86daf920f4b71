#pragma once

#include <QApplication>
#include <functional>

/// The application object: names the program, makes its faces available and sets the
/// default face. An exception that leaves an event handler is reported to
/// `onUncaughtError`, and the program then ends.
class GlyphoraApplication : public QApplication
{
    Q_OBJECT
public:
    GlyphoraApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    std::function<void(const QString& description)> onUncaughtError;
};
