#include "app/CommandLine.h"
#include "app/Form1.h"
#include "app/GlyphoraApplication.h"
#include "platform/desktop/DesktopPlatform.h"

#include <exception>

int main(int argc, char* argv[])
{
    // Commands, --help and --version end here, before anything needs a display.
    if (const std::optional<int> status = RunCommandLine(argc, argv))
        return *status;

    GlyphoraApplication application(argc, argv);

    platform::DesktopPlatform desktop;
    const platform::Platform services = desktop.services();
    auto report = [&services](const QString& description) {
        // While the program runs, the box belongs to the window the user was in, so it is
        // not hidden under an "On Top" main window; at start-up there is none yet.
        services.messageBoxes.MsgBox(
            QApplication::activeWindow(),
            QStringLiteral("Glyphora has met an error it cannot handle and must close:\n\n%1")
                .arg(description),
            platform::MsgIcon::Critical);
    };
    application.onUncaughtError = report;

    int result = 0;
    try {
        Form1 form(services);
        form.Form_Load();
        form.show();
        result = application.exec();
        // No window is left: the program finishes with the terminate sequence.
        if (!form.ended())
            form.Form_Terminate();
    } catch (const std::exception& error) {
        report(QString::fromLocal8Bit(error.what()));
        result = 1;
    }
    return result;
}
