#pragma once

// The Quick Help window: a small logo, the version and date, and the fixed help text.
// Opened again after closing, it shows the same text scrolled to the top.

#include "platform/forms/SecondaryWindow.h"

class help : public forms::SecondaryWindow
{
    Q_OBJECT
public:
    /// @param platform the desktop services the window uses
    /// @param soundsOn tells whether the main window's "Play sounds" box is checked
    help(const platform::Platform& platform, std::function<bool()> soundsOn);

    /// The window and its controls as designed.
    static forms::WindowDesign design();

public slots:
    void cmdCLOSE_Click();

private:
    void layOutLogo(double twipsX, double twipsY);
};
