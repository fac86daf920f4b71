#pragma once

// The window half of glyphora lives in a module of its own, loaded only when the window
// starts: the command line then loads Qt Core alone, which keeps a terminal command's start
// and memory small, while the window links Widgets, Multimedia and D-Bus.

#define GLYPHORA_WINDOW_EXPORT __attribute__((visibility("default")))

/// The name the program looks the window's entry up by in the module.
inline constexpr const char* kWindowEntryName = "glyphora_window_main";

/// Runs the window: X11 or Wayland, the hand-over to a running copy, the main window.
/// @param argc, argv the program's arguments (Qt's window options among them)
/// @return the exit status
extern "C" GLYPHORA_WINDOW_EXPORT int glyphora_window_main(int argc, char* argv[]);
