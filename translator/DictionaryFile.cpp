#include "translator/DictionaryFile.h"

#include "platform/DataFolder.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "translator/EbonicText.h"
#include "translator/TextEncoding.h"

#include <QFileInfo>
#include <QStringDecoder>

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

std::optional<QString> decodeDictionaryText(QByteArrayView bytes, QString* problem)
{
    struct Mark
    {
        QByteArrayView bytes;
        QStringDecoder::Encoding encoding;
        const char* name;
    };
    // UTF-32's marks begin with UTF-16's, so they come first.
    static const Mark kMarks[] = {
        {QByteArrayView("\xFF\xFE\0\0", 4), QStringDecoder::Utf32LE, "UTF-32"},
        {QByteArrayView("\0\0\xFE\xFF", 4), QStringDecoder::Utf32BE, "UTF-32"},
        {QByteArrayView("\xFF\xFE", 2), QStringDecoder::Utf16LE, "UTF-16"},
        {QByteArrayView("\xFE\xFF", 2), QStringDecoder::Utf16BE, "UTF-16"},
    };
    for (const Mark& mark : kMarks) {
        if (!bytes.startsWith(mark.bytes))
            continue;
        // A mark is as long as the encoding's code unit.
        const QByteArrayView units = bytes.sliced(mark.bytes.size());
        QStringDecoder decoder(mark.encoding, QStringDecoder::Flag::Stateless);
        QString text = decoder.decode(units);
        if (decoder.hasError() || units.size() % mark.bytes.size() != 0) {
            *problem = QStringLiteral("is not valid %1 text, though it begins with a %1 byte "
                                      "order mark")
                           .arg(QLatin1StringView(mark.name));
            return std::nullopt;
        }
        return text;
    }
    if (bytes.contains('\0')) {
        *problem = QStringLiteral("holds NUL bytes, so it is not text in UTF-8 or Windows-1252 "
                                  "(a UTF-16 file needs its byte order mark)");
        return std::nullopt;
    }
    return decodeCharacters(bytes).text;
}

LoadedDictionary loadDictionaryFile(const QString& path)
{
    LoadedDictionary loaded;
    if (path.isEmpty()) {
        loaded.outcome = DictionaryLoad::NoDataFolder;
        loaded.problem = QStringLiteral("There is no data folder (%1), so there is no "
                                        "dictionary file.")
                             .arg(QLatin1StringView(platform::kNoUserFolderReason));
        return loaded;
    }
    // A link that leads nowhere is there, and cannot be read.
    if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink()) {
        loaded.outcome = DictionaryLoad::Missing;
        loaded.problem = QStringLiteral("The dictionary file %1 does not exist.").arg(path);
        return loaded;
    }
    const platform::FileContent file = platform::ReadWholeFile(path);
    loaded.outcome = DictionaryLoad::Unreadable;
    if (!file.ok) {
        loaded.problem =
            QStringLiteral("Cannot read the dictionary file %1:\n%2").arg(path, file.error);
        return loaded;
    }
    QString problem;
    const std::optional<QString> text = decodeDictionaryText(file.bytes, &problem);
    if (!text) {
        loaded.problem = QStringLiteral("The dictionary file %1 %2.").arg(path, problem);
        return loaded;
    }
    DictionaryReadResult read = readDictionaryRecords(*text);
    if (!read.ok()) {
        loaded.outcome = DictionaryLoad::Malformed;
        loaded.problem = describeProblem(read, path);
        return loaded;
    }
    loaded.outcome = DictionaryLoad::Loaded;
    loaded.records = std::move(read.records);
    return loaded;
}

QList<DictionaryRecord> builtInRecords()
{
    return readDictionaryRecords(ebonicText()).records;
}

} // namespace translator
