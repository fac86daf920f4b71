#include "platform/desktop/DesktopShell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace platform {

void DesktopShell::ShellExecute(const QString& file)
{
    QDesktopServices::openUrl(QUrl(file));
}

QString DesktopShell::FindExecutable(const QString&, const QString&, int& code)
{
    code = 31; // no association
    return {};
}

bool DesktopShell::CreateProcess(const QString& program, const QStringList& arguments)
{
    return !program.isEmpty() && QProcess::startDetached(program, arguments);
}

bool DesktopShell::FileExists(const QString& path) const
{
    return QFileInfo(path).isFile();
}

} // namespace platform
