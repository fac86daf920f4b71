#include "app/WindowMain.h"

#include "app/Form1.h"
#include "app/GlyphoraApplication.h"
#include "app/SummonKeyFollower.h"
#include "platform/desktop/DesktopPlatform.h"
#include "platform/desktop/QuitSignals.h"
#include "platform/desktop/SessionBusInstance.h"
#include "platform/desktop/WindowPresenter.h"
#include "platform/desktop/WindowSystemChoice.h"

#include <cstdio>
#include <cstring>
#include <exception>

namespace {
void reportNoWindowSystem(const platform::WindowSystemStart::Failure& failure)
{
    if (!failure.noDisplay) {
        std::fprintf(stderr, "glyphora: cannot open a window: %s\n", failure.reason.constData());
        return;
    }
    std::fprintf(stderr,
                 "glyphora: cannot open a window: no display (%s). Without one, these commands "
                 "work: glyphora acronym, glyphora smiley, glyphora translate, glyphora "
                 "shortcut, glyphora autostart; see glyphora --help.\n",
                 failure.reason.constData());
}

bool startsMinimized(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--minimized") == 0)
            return true;
    }
    return false;
}

} // namespace

extern "C" GLYPHORA_WINDOW_EXPORT int glyphora_window_main(int argc, char* argv[])
{
    // A display named on the command line is the program's, not only the window's: the
    // faces are typed there, and programs it starts open there, as an X client's children do.
    if (const QByteArray display = platform::displayOption(argc, argv); !display.isEmpty())
        qputenv("DISPLAY", display);
    // X11 where the session offers it; and the launch's focus data, which the window
    // system plugin takes out of the environment.
    platform::QtArguments qtArguments(argc, argv, platform::DisplayEnvironment::current());
    const QVariantMap launch = platform::SessionBusInstance::startupPlatformData();

    // Settled before Qt starts: Qt's screen-reader bridge, among others, would wait on a bus
    // that does not answer without a limit.
    const platform::SessionBus bus = platform::SessionBus::find();
    if (!bus.address.isEmpty() && !bus.answers) {
        platform::SessionBus::hide();
        std::fputs("glyphora: the session bus does not answer; starting without it (each start "
                   "opens its own window, and screen readers cannot see it)\n",
                   stderr);
    }

    platform::WindowSystemStart windowSystem(&reportNoWindowSystem);
    GlyphoraApplication application(qtArguments.argc(), qtArguments.argv());
    windowSystem.finish();

    // One copy per session: a later start brings the running window forward and ends here,
    // before it reads a setting, writes a file or plays a sound.
    platform::SessionBusInstance instance;
    if (instance.start(bus, launch) == platform::SessionBusInstance::Role::HandedOver)
        return 0;
    // The session's end quits as the user would: windows closed, then the usual pause. One
    // that comes while start-up shows a message box has no event loop yet to leave.
    bool quitAsked = false;
    platform::QuitSignals quitSignals([&quitAsked] {
        quitAsked = true;
        QApplication::closeAllWindows();
        QCoreApplication::quit();
    });

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
        instance.setActivationHandler([&form](const QVariantMap& data) {
            platform::presentWindow(&form, data);
            form.summoned();
        });
        QObject::connect(&form, &Form1::quitStarted, [&instance] { instance.release(); });
        form.Form_Load();
        if (!quitAsked) {
            if (startsMinimized(argc, argv))
                form.showMinimized();
            else
                form.show();
            const SummonKeyFollower summonKey(services.settings, form, services.inserter);
            result = application.exec();
        }
        // No window is left: the program finishes with the terminate sequence.
        if (!form.ended())
            form.Form_Terminate();
    } catch (const std::exception& error) {
        report(QString::fromLocal8Bit(error.what()));
        result = 1;
    }
    instance.setActivationHandler({});
    return result;
}
