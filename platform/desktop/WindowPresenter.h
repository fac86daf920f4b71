#pragma once

#include <QVariantMap>

class QWidget;

namespace platform {

/// Brings a main window to the front for a later start of the program: out of the task
/// bar if minimised, raised and given the keyboard, or its open modal dialog given it.
/// @param platformData the later start's startup notification ID or activation token, or
///        "user-time", the window-system time of the key press that asked for the window
void presentWindow(QWidget* window, const QVariantMap& platformData);

} // namespace platform
