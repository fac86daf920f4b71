#include "app/GlyphoraApplication.h"

#include "platform/Version.h"
#include "platform/forms/Fonts.h"

#include <exception>

GlyphoraApplication::GlyphoraApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Glyphora"));
    setApplicationVersion(QLatin1String(platform::kVersion));
    setDesktopFileName(QStringLiteral("org.example.Glyphora"));
    platform::registerFallbackFonts();
    // Everything starts in the main window's face. A line edit lays out its text in the
    // application's face before it joins its window, and loading the system face only for
    // that was a measurable part of start-up; message boxes and tooltips match the windows.
    setFont(platform::makeFont(platform::FontFace::Tahoma, 9));
}

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
