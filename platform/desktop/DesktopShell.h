#pragma once

#include "platform/Shell.h"

namespace platform {

class DesktopShell final : public Shell
{
public:
    void ShellExecute(const QString& file) override;
    QString FindExecutable(const QString& file, const QString& directory, int& code) override;
    bool CreateProcess(const QString& program, const QStringList& arguments) override;
    bool FileExists(const QString& path) const override;
};

} // namespace platform
