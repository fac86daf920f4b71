#include "app/SummonKeyFollower.h"

#include "app/Form1.h"
#include "platform/QtSettingsStore.h"
#include "platform/desktop/SessionBus.h"
#include "platform/desktop/WindowPresenter.h"

#include <QFileInfo>
#include <cstdio>

SummonKeyFollower::SummonKeyFollower(platform::SettingsStore& settings, Form1& form,
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
    QObject::connect(&m_key, &platform::SummonKey::pressed, &form, [pressed](std::uint32_t time) {
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
        QObject::connect(&m_watcher, &QFileSystemWatcher::directoryChanged, [this] { follow(); });
        QObject::connect(&m_watcher, &QFileSystemWatcher::fileChanged, [this] { follow(); });
        m_watcher.addPath(folder);
        if (QFileInfo::exists(file))
            m_watcher.addPath(file);
        m_file = file;
    }
    follow();
}

void SummonKeyFollower::follow()
{
    if (!m_file.isEmpty() && QFileInfo::exists(m_file) && !m_watcher.files().contains(m_file))
        m_watcher.addPath(m_file);
    m_form.settingsChanged();
    const QString stored = m_settings.GetSetting(platform::kSettingsApp, platform::kSettingsSection,
                                                 platform::kSummonKeySetting);
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
void SummonKeyFollower::say(const QString& problem)
{
    if (m_said.contains(problem))
        return;
    m_said << problem;
    std::fprintf(stderr, "glyphora: %s\n", problem.toLocal8Bit().constData());
}
