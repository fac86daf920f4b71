#include "app/GlyphoraApplication.h"

#include <exception>

GlyphoraApplication::GlyphoraApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool GlyphoraApplication::notify(QObject* receiver, QEvent* event)
{
    QString description;
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        description = QString::fromLocal8Bit(error.what());
    } catch (...) {
        description = QStringLiteral("Unknown error");
    }
    if (onUncaughtError)
        onUncaughtError(description);
    exit(1);
    return false;
}
