#pragma once

// The make-up shared by the About and Quick Help windows: a fixed window of its own, built
// from its control table, with its own click-sound player and an "Ok" that clicks and closes.

#include "platform/Platform.h"
#include "platform/forms/FormBuilder.h"
#include "platform/forms/SoundPlayer.h"

#include <QSize>
#include <functional>

namespace forms {

/// A secondary window as designed.
struct WindowDesign
{
    /// The window's class name: its object name, and how screen readers learn its kind.
    const char* className;
    /// QAccessible::Window or QAccessible::Dialog.
    QAccessible::Role role;
    Qt::WindowFlags flags;
    QString title;
    FontDesign font;
    /// The client area's width and height in twips.
    QSize twips;
    std::vector<ControlDesign> controls;
};

/// A modeless window without owner. Closing it destroys it, so the main window holds it in a
/// QPointer and makes a new one when asked.
class SecondaryWindow : public QWidget
{
    Q_OBJECT
public:
    /// @param platform the desktop services the window uses
    /// @param soundsOn tells whether the main window's "Play sounds" box is checked
    /// @param design the window and its controls
    SecondaryWindow(const platform::Platform& platform, std::function<bool()> soundsOn,
                    const WindowDesign& design);

    /// The window's own click-sound player.
    platform::SoundPlayer sound;

    /// A control by its design name, such as "Label6" or "cmdCLOSE".
    QWidget* control(const QString& name) const { return m_controls.value(name); }

protected:
    /// Plays the click and closes the window.
    void closeWithClick();

    platform::Platform m_platform;

private:
    QHash<QString, QWidget*> m_controls;
};

} // namespace forms
