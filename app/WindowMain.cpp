#include "app/WindowMain.h"

#include "app/Form1.h"
#include "app/GlyphoraApplication.h"
#include "platform/QtSettingsStore.h"
#include "platform/desktop/DesktopPlatform.h"
#include "platform/desktop/PortalSummonKey.h"
#include "platform/desktop/QuitSignals.h"
#include "platform/desktop/SessionBus.h"
#include "platform/desktop/SessionBusInstance.h"
#include "platform/desktop/SummonKey.h"
#include "platform/desktop/WindowPresenter.h"
#include "platform/desktop/WindowSystemChoice.h"

#include <QFileInfo>
#include <QFileSystemWatcher>
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

/// Glyphora's own summon key: grabbed as the settings name it, and again whenever the
/// settings file changes (as `glyphora shortcut KEY` writes it); the search's way is read
/// again then too. In a Wayland session the
/// desktop's global shortcuts portal is asked for it instead, since a grab on X11 would see
/// the key only while an X window has the keyboard. What keeps it from working is said once
/// on the error output.
class SummonKeyFollower
{
public:
    SummonKeyFollower(platform::SettingsStore& settings, Form1& form,
                      platform::TextInserter& inserter)
        : m_settings(settings), m_form(form),
          m_portal(m_wayland ? platform::SessionBus::findAddress() : QString())
    {
        const auto pressed = [&form, &inserter](const QVariantMap& data, std::uint32_t time) {
            // Pressed again in Glyphora: back to where the user came from.
            if (form.isActiveWindow() && !form.isMinimized()) {
                form.sendAway();
                inserter.returnKeyboard(time);
                return;
            }
            platform::presentWindow(&form, data);
            form.summoned();
        };
        QObject::connect(&m_key, &platform::SummonKey::pressed, &form,
                         [pressed](std::uint32_t time) {
                             pressed({{QStringLiteral("user-time"), time}}, time);
                         });
        QObject::connect(&m_portal, &platform::PortalSummonKey::pressed, &form,
                         [pressed](const QVariantMap& data) { pressed(data, 0); });
        QObject::connect(
            &m_portal, &platform::PortalSummonKey::unavailable, &form, [this](const QString& why) {
                say(why + QStringLiteral(", so Glyphora's own key does not work here; bind "
                                         "the command glyphora to a key in the desktop's "
                                         "settings to summon it"));
                // X windows at least still see a grab.
                m_key.grab(m_chord);
            });
        const QString file = platform::QtSettingsStore::filePath(platform::kSettingsApp);
        if (!file.isEmpty()) {
            // The folder tells of the file replaced, as the settings are saved.
            const QString folder = QFileInfo(file).path();
            QObject::connect(&m_watcher, &QFileSystemWatcher::directoryChanged,
                             [this] { follow(); });
            QObject::connect(&m_watcher, &QFileSystemWatcher::fileChanged, [this] { follow(); });
            m_watcher.addPath(folder);
            if (QFileInfo::exists(file))
                m_watcher.addPath(file);
            m_file = file;
        }
        follow();
    }

private:
    void follow()
    {
        if (!m_file.isEmpty() && QFileInfo::exists(m_file) && !m_watcher.files().contains(m_file))
            m_watcher.addPath(m_file);
        m_form.settingsChanged();
        const QString stored = m_settings.GetSetting(
            platform::kSettingsApp, platform::kSettingsSection, platform::kSummonKeySetting);
        if (m_stored && *m_stored == stored)
            return;
        m_stored = stored;
        const platform::SummonKeySetting key = platform::summonKeyFromSetting(stored);
        if (!key.problem.isEmpty())
            say(key.problem);
        const QString name = key.chord ? platform::keyChordName(*key.chord) : QString();
        m_chord = key.chord;
        if (m_wayland) {
            m_portal.bind(key.chord);
            return;
        }
        switch (m_key.grab(key.chord)) {
        case platform::SummonKey::Grab::Grabbed:
        case platform::SummonKey::Grab::None:
            break;
        case platform::SummonKey::Grab::Taken:
            say(QStringLiteral("%1 is taken by another program, so it does not summon Glyphora; "
                               "choose another key with: glyphora shortcut KEY")
                    .arg(name));
            break;
        case platform::SummonKey::Grab::NoKey:
            say(QStringLiteral("the keyboard layout has no key for %1, so it does not summon "
                               "Glyphora; choose another with: glyphora shortcut KEY")
                    .arg(name));
            break;
        case platform::SummonKey::Grab::Unavailable:
            say(QStringLiteral("this desktop takes no key from Glyphora itself; bind the command "
                               "glyphora to a key in the desktop's settings to summon it"));
            break;
        }
    }
    void say(const QString& problem)
    {
        if (m_said.contains(problem))
            return;
        m_said << problem;
        std::fprintf(stderr, "glyphora: %s\n", problem.toLocal8Bit().constData());
    }

    platform::SettingsStore& m_settings;
    Form1& m_form;
    const bool m_wayland = platform::DisplayEnvironment::current().wayland();
    platform::SummonKey m_key;
    platform::PortalSummonKey m_portal;
    std::optional<platform::KeyChord> m_chord;
    QFileSystemWatcher m_watcher;
    QString m_file;
    std::optional<QString> m_stored;
    QStringList m_said;
};
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
