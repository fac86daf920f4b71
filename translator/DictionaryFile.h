#pragma once

// Where the dictionary file lives and how it comes into being. The program only ever
// creates it; whoever edits it afterwards changes what the translator does.

#include "translator/Dictionary.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <optional>

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

/// What came of looking for the dictionary in force.
enum class DictionaryLoad {
    Loaded,       ///< the file's records
    NoDataFolder, ///< there is no data folder, so no file can be kept
    Missing,      ///< nothing is at the path
    Unreadable,   ///< the file cannot be read, or is not text of a known kind
    Malformed,    ///< a record the translation needs is wrong
};

struct LoadedDictionary
{
    DictionaryLoad outcome = DictionaryLoad::Missing;
    QList<DictionaryRecord> records; ///< when loaded
    QString problem;                 ///< a sentence naming the file and what is wrong
};

/// Reads, decodes and checks the dictionary file. The window refuses to translate with a
/// file that fails; the command line falls back to the built-in records. Both say why with
/// the same sentence.
/// @param path the dictionary file, empty when there is no data folder
/// @return its records, or what keeps them from being read
LoadedDictionary loadDictionaryFile(const QString& path);

/// Decodes a dictionary file: UTF-8 or UTF-16 and UTF-32 by their byte order mark, else
/// Windows-1252. Bytes that no such text holds, NULs from a UTF-16 file without a mark
/// above all, are refused rather than read into keys that never match.
/// @param bytes the file
/// @param problem set to what is wrong, as the end of a sentence, when nothing came back
/// @return the text, or nothing
std::optional<QString> decodeDictionaryText(QByteArrayView bytes, QString* problem);

/// @return the built-in dictionary's records, as a file the program creates holds them
QList<DictionaryRecord> builtInRecords();

} // namespace translator
