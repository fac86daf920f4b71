#pragma once

#include "platform/KeyChord.h"
#include "platform/desktop/PortalSummonKey.h"
#include "platform/desktop/SummonKey.h"
#include "platform/desktop/WindowSystemChoice.h"

#include <QFileSystemWatcher>
#include <QString>
#include <QStringList>
#include <optional>

class Form1;
namespace platform {
class SettingsStore;
class TextInserter;
} // namespace platform

/// Glyphora's own summon key, for the running window: grabbed as the settings name it, and
/// again whenever the settings file changes (as `glyphora shortcut KEY` writes it); the
/// search's way is read again then too. In a Wayland session the desktop's global shortcuts
/// portal is asked for it instead, since a grab on X11 would see the key only while an X
/// window has the keyboard. What keeps it from working is said once on the error output.
class SummonKeyFollower
{
public:
    SummonKeyFollower(platform::SettingsStore& settings, Form1& form,
                      platform::TextInserter& inserter);

private:
    void follow();
    void say(const QString& problem);

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
