#include "translator/DictionaryFile.h"

#include "platform/Files.h"
#include "platform/Paths.h"
#include "translator/EbonicText.h"

namespace translator {

QString GetWindowsDir(platform::Paths& paths)
{
    return paths.GetWindowsDirectory();
}

QString dictionaryFilePath(const QString& windowsDirectory)
{
    // An unknown folder must not turn into a file in the root folder.
    if (windowsDirectory.isEmpty())
        return {};
    return windowsDirectory + QLatin1Char('/') + kDictionaryFileName;
}

QByteArray dictionaryFileContent()
{
    return (ebonicText() + QLatin1StringView("\r\n")).toUtf8();
}

EnsureOutcome ensureDictionaryFile(const QString& path, const QByteArray& content)
{
    EnsureOutcome outcome;
    switch (platform::CreateNewFile(path, content, &outcome.error)) {
    case platform::CreateResult::Created:
        outcome.state = DictionaryFileState::Created;
        break;
    case platform::CreateResult::Existed:
        outcome.state = DictionaryFileState::Existed;
        break;
    case platform::CreateResult::Failed:
        outcome.state = DictionaryFileState::Failed;
        break;
    }
    return outcome;
}

} // namespace translator
