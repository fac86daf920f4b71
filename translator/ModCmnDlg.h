#pragma once

// The Open and Save As dialogs with the settings and results that both share, and the
// file-name helpers of the message files.

#include "platform/CutAtNull.h"
#include "platform/FileDialogs.h"

#include <QString>
#include <cstdint>

namespace translator {

class ModCmnDlg
{
public:
    explicit ModCmnDlg(platform::FileDialogs& dialogs);

    /// Result: the chosen full path; callers empty it first, so a cancel leaves it empty.
    QString DlgFileName;
    /// Setting: descriptions and patterns separated by '|'.
    QString DlgFilter;
    /// Setting: OFN_* option flags.
    std::uint32_t DlgFlags = 0;
    /// Setting and result: the filter index of the last accepted dialog (0 at start).
    int DlgFilterIndex = 0;
    /// Setting: the window the dialogs belong to and stay above.
    QWidget* DlgOwner = nullptr;

    /// Shows the Open dialog; sets DlgFileName and DlgFilterIndex unless it is cancelled.
    void ShowOpen();
    /// Shows the Save As dialog; sets DlgFileName and DlgFilterIndex unless it is cancelled.
    void ShowSave();

private:
    void take(const platform::FileDialogResult& result);

    platform::FileDialogs& m_dialogs;
};

using platform::CutAtNull;

/// @param path a path
/// @param extension an extension without its dot
/// @return the path without its last dot and what follows (all of it when it has no dot),
///         then a dot and the extension; nothing is added for an empty extension
QString ChangeExtension(const QString& path, const QString& extension);

/// @param path a path
/// @return the part after the last "/"
QString fileNamePart(const QString& path);

/// The name Save as writes to: a file name with a dot gets its last extension replaced by
/// "txt", any other gets ".txt" appended ("letter" and "letter.doc" become "letter.txt").
/// @param chosen the path chosen in the dialog
/// @return the path to write
QString textFilePath(const QString& chosen);

} // namespace translator
