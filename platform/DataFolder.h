#pragma once

// Where the program keeps its data files and its settings. The window creates the folders
// when it needs them; the command line only reads what is there, so the rules are kept
// apart from the creating. The user's base folders follow the XDG rules: an absolute
// $XDG_DATA_HOME or $XDG_CONFIG_HOME, else a folder under an absolute $HOME; a relative
// value is ignored. Without either there is no folder: "/" stands in for a missing HOME
// elsewhere, and folders would appear under the root.

#include <QString>

namespace platform {

/// @return $XDG_DATA_HOME/Glyphora (~/.local/share/Glyphora by default), without a
///         trailing separator; empty when no data folder can be determined. Nothing is
///         created.
QString dataFolderPath();

/// @return $XDG_CONFIG_HOME (~/.config by default), the folder that holds the settings of
///         each program in a folder of its own; empty when it cannot be determined
QString configHomePath();

/// Why dataFolderPath() or configHomePath() is empty, for a message.
inline constexpr char kNoUserFolderReason[] = "HOME is not set";

} // namespace platform
