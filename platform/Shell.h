#pragma once

#include <QString>
#include <QStringList>

namespace platform {

/// Starting outside programs: the desktop's handlers, the web browser, tools.
class Shell
{
public:
    virtual ~Shell() = default;
    /// Hands a document or address (such as "mailto:...") to the desktop's default handler.
    virtual void ShellExecute(const QString& file) = 0;
    /// The program the desktop associates with the given document's type, and a result code
    /// (32 or more on success, below 32 on failure).
    virtual QString FindExecutable(const QString& file, const QString& directory, int& code) = 0;
    /// Starts a program detached with the given arguments. @return whether a process started.
    virtual bool CreateProcess(const QString& program, const QStringList& arguments) = 0;
    virtual bool FileExists(const QString& path) const = 0;
};

} // namespace platform
