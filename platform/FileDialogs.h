#pragma once

#include <QString>
#include <cstdint>

class QWidget;

namespace platform {

constexpr std::uint32_t OFN_READONLY = 0x1;
constexpr std::uint32_t OFN_HIDEREADONLY = 0x4;

struct FileDialogRequest
{
    /// Descriptions and patterns separated by '|': "Text file (*.txt)|*.txt".
    QString filter;
    std::uint32_t flags = 0;
    int filterIndex = 0;
    /// The window that asked: the dialog stays above it.
    QWidget* owner = nullptr;
};

struct FileDialogResult
{
    bool accepted = false;
    QString fileName;
    int filterIndex = 0;
};

/// The system's Open and Save As dialogs. The Open dialog accepts a name that does not
/// exist; the Save As dialog neither asks before replacing nor adds an extension.
class FileDialogs
{
public:
    virtual ~FileDialogs() = default;
    virtual FileDialogResult GetOpenFileName(const FileDialogRequest& request) = 0;
    virtual FileDialogResult GetSaveFileName(const FileDialogRequest& request) = 0;
};

} // namespace platform
