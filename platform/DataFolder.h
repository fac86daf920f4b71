#pragma once

// Where the program keeps its data files. The window creates the folder when it starts;
// the command line only reads what is there, so the rule is kept apart from the creating.

#include <QString>

namespace platform {

/// @return $XDG_DATA_HOME/Glyphora (~/.local/share/Glyphora by default), without a
///         trailing separator; empty when no data folder can be determined. Nothing is
///         created.
QString dataFolderPath();

} // namespace platform
