#pragma once

#include <QString>

namespace platform {

class Paths
{
public:
    virtual ~Paths() = default;
    /// The folder that holds the program's data files (created when missing), without a
    /// trailing separator; empty when it cannot be determined.
    virtual QString GetWindowsDirectory() = 0;
    /// The user's folder for temporary files, ending in a separator.
    virtual QString GetTempPath() = 0;
};

} // namespace platform
