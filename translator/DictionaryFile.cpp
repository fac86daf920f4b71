#include "translator/DictionaryFile.h"

#include "platform/Paths.h"
#include "translator/EbonicText.h"

#include <QFileInfo>
#include <QTemporaryFile>

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
    const QFileInfo info(path);
    if (info.isFile())
        return {DictionaryFileState::Existed, {}};
    if (info.isDir())
        return {DictionaryFileState::Failed,
                QStringLiteral("A folder of that name is in the way.")};

    QTemporaryFile temporary(path + QLatin1StringView(".XXXXXX"));
    if (!temporary.open())
        return {DictionaryFileState::Failed, temporary.errorString()};
    if (temporary.write(content) != content.size() || !temporary.flush())
        return {DictionaryFileState::Failed, temporary.errorString()};
    temporary.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                             QFileDevice::ReadGroup | QFileDevice::ReadOther);
    if (!temporary.rename(path)) {
        // Another copy of the program may have created it meanwhile: that one is in force.
        if (QFileInfo(path).isFile())
            return {DictionaryFileState::Existed, {}};
        return {DictionaryFileState::Failed, temporary.errorString()};
    }
    temporary.setAutoRemove(false);
    return {DictionaryFileState::Created, {}};
}

} // namespace translator
