#pragma once

// Where the dictionary file lives and how it comes into being. The program only ever
// creates it; whoever edits it afterwards changes what the translator does.

#include <QByteArray>
#include <QString>

namespace platform {
class Paths;
}

namespace translator {

inline constexpr QLatin1StringView kDictionaryFileName("winup.ico");

/// @param paths the platform's folders
/// @return the program's data folder ("Windows directory"), without a trailing separator;
///         empty when the platform cannot name one
QString GetWindowsDir(platform::Paths& paths);

/// @param windowsDirectory the data folder as GetWindowsDir returns it
/// @return the dictionary file's path, or empty when the folder is unknown
QString dictionaryFilePath(const QString& windowsDirectory);

/// @return the bytes the program writes when it creates the dictionary file: the built-in
///         text followed by one more CR LF
QByteArray dictionaryFileContent();

enum class DictionaryFileState { Existed, Created, Failed };

struct EnsureOutcome
{
    DictionaryFileState state = DictionaryFileState::Failed;
    QString error; ///< the reason, when it failed
};

/// Creates the dictionary file unless a file of that name exists. The content appears all
/// at once and replaces nothing, so neither a failed write nor a second program starting
/// at the same moment leaves a broken file; something other than a file in its place is
/// reported, not replaced.
/// @param path the dictionary file
/// @param content what a new file holds
/// @return whether the file existed, was created, or could not be created and why
EnsureOutcome ensureDictionaryFile(const QString& path, const QByteArray& content);

} // namespace translator
