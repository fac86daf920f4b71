#include "about/mOpenURL.h"

#include "platform/CutAtNull.h"
#include "platform/Paths.h"
#include "platform/Shell.h"

#include <QDir>
#include <QFile>

namespace about::mOpenURL {

namespace {
const QString kProbeName = QStringLiteral("dummy.html");
/// Lookup codes below this mean failure.
constexpr int kFirstSuccessCode = 32;
} // namespace

QString StripAtNull(const QString& text)
{
    return platform::CutAtNull(text);
}

QString GetTempFolder(platform::Paths& paths)
{
    return StripAtNull(paths.GetTempPath());
}

QString FindBrowser(platform::Shell& shell, platform::Paths& paths, int& code)
{
    const QString folder = GetTempFolder(paths);
    // The temporary folder is shared: create the probe only where no file of that name
    // exists (this also refuses a planted link), so nobody's file is emptied or deleted.
    QFile probe(QDir(folder).filePath(kProbeName));
    const bool created = !folder.isEmpty() && probe.open(QIODevice::WriteOnly | QIODevice::NewOnly);
    probe.close();
    const QString found = shell.FindExecutable(kProbeName, folder, code);
    if (created)
        probe.remove();
    return StripAtNull(found);
}

bool OpenURL(platform::Shell& shell, platform::Paths& paths, const QString& url)
{
    int code = 0;
    const QString browser = FindBrowser(shell, paths, code);
    if (code < kFirstSuccessCode)
        return false;
    // The address goes alone as the first argument, never through a shell.
    return shell.CreateProcess(browser, {url});
}

} // namespace about::mOpenURL
