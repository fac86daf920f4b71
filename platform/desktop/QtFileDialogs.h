#pragma once

#include "platform/FileDialogs.h"

namespace platform {

class QtFileDialogs final : public FileDialogs
{
public:
    FileDialogResult GetOpenFileName(const FileDialogRequest& request) override;
    FileDialogResult GetSaveFileName(const FileDialogRequest& request) override;
};

/// "Text file (*.txt)|*.txt|All (*.*)|*.*" as Qt name filters ("Text file (*.txt)", ...).
QStringList nameFiltersFromPipes(const QString& filter);

} // namespace platform
