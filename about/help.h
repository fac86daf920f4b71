#pragma once

// The Quick Help window: a small logo, the version and date, and the fixed help text.
// Modeless and without owner; closing it destroys it, so opening it again shows the same
// text scrolled to the top.

#include "platform/Platform.h"
#include "platform/SoundPlayer.h"

#include <QHash>
#include <QWidget>
#include <functional>

class help : public QWidget
{
    Q_OBJECT
public:
    /// @param platform the desktop services the window uses
    /// @param soundsOn tells whether the main window's "Play sounds" box is checked
    help(const platform::Platform& platform, std::function<bool()> soundsOn);

    /// The window's own click-sound player.
    platform::SoundPlayer sound;

    /// A control by its design name, such as "Text1" or "cmdCLOSE".
    QWidget* control(const QString& name) const { return m_controls.value(name); }

public slots:
    void Form_Load();
    void cmdCLOSE_Click();

private:
    void layOutLogo(double twipsX, double twipsY);

    QHash<QString, QWidget*> m_controls;
};
