#pragma once

#include "platform/Shell.h"

namespace platform {

/// The freedesktop.org desktop: default handlers, the MIME associations and detached
/// processes.
class DesktopShell final : public Shell
{
public:
    void ShellExecute(const QString& file) override;
    /// The program associated with the file's MIME type (for "x.html", the web browser): the
    /// desktop entry that xdg-mime or GIO names, else xdg-open. Codes:
    /// 2 when the file does not exist, 31 when nothing can open it, 42 when found.
    QString FindExecutable(const QString& file, const QString& directory, int& code) override;
    bool CreateProcess(const QString& program, const QStringList& arguments) override;
    bool FileExists(const QString& path) const override;
};

/// The freedesktop.org lookups behind DesktopShell::FindExecutable.
namespace xdg {

/// The default application for a MIME type: xdg-mime's answer when that tool is installed,
/// else GIO's.
/// @param mimeType such as "text/html"
/// @return a desktop entry id such as "firefox-esr.desktop"; empty when there is none
QString defaultApplication(const QString& mimeType);

/// The default application according to GIO: the mimeapps.list files, then the entries that
/// claim the type or a parent of it.
/// @param mimeType such as "text/html"
/// @return an installed desktop entry id; empty when there is none
QString defaultApplicationFromLists(const QString& mimeType);

/// @param desktopId a desktop entry id; "vendor-app.desktop" may live in "vendor/app.desktop"
/// @return the full path of the installed entry; empty when it is not installed, hidden, no
/// application, or its program is not on PATH
QString desktopFilePath(const QString& desktopId);

/// @param desktopFile the path of a desktop entry file
/// @return the Exec line of its main group, unescaped; empty when it has none
QString desktopEntryExec(const QString& desktopFile);

/// The program of an Exec line that takes the document as its only argument.
/// @param exec an Exec line such as "firefox %u"
/// @return the program's full path, resolved on PATH; empty when the line is malformed, the
/// program is not installed, or the line holds arguments of its own, which a caller handing
/// over a single address would lose
QString execProgram(const QString& exec);

} // namespace xdg

} // namespace platform
