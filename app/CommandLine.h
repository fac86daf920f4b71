#pragma once

// What glyphora does when started from a terminal or a script: --help, --version and the
// commands acronym, smiley and translate. None of them needs a display, reads or writes the
// settings, or creates the data folder; they share the tables, the search and the
// translator with the window.

#include <optional>

/// Runs the command line when the arguments ask for it.
/// @param argc, argv the program's arguments, untouched
/// @return the exit status when the command line handled the arguments; no value when the
///         window should start (no arguments, or only the options Qt takes for a window)
std::optional<int> RunCommandLine(int argc, char* argv[]);
