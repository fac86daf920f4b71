#pragma once

#include "platform/Paths.h"

namespace platform {

/// The program's data folder is $XDG_DATA_HOME/Glyphora (~/.local/share/Glyphora).
class XdgPaths final : public Paths
{
public:
    QString GetWindowsDirectory() override;
    QString GetTempPath() override;
};

} // namespace platform
