#pragma once

// Whole-file reading and writing of message files.

#include "translator/TextEncoding.h"

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <optional>

namespace translator {

/// How a message file is stored: the bytes it was read from and their format. Saving a
/// text that is unedited writes those bytes again; an edited text is written in the format.
struct StoredText
{
    QByteArray bytes;
    TextFormat format;
};

struct TextFileContent
{
    QString text; ///< "\n" line ends
    StoredText stored;
};

/// Reads a whole message file; only regular files of a size the box can show are read.
/// @param path the file
/// @param error set to the reason when the file cannot be read
/// @return the text and how it is stored, or nothing
std::optional<TextFileContent> ReadTextFile(const QString& path, QString* error);

/// The bytes that store a message text: the stored bytes while the text is what they
/// decode to, so that line ends and characters the box shows alike (a lone CR, a line
/// separator) come back as they were; otherwise the text in the stored format.
/// @param content the message, "\n" line ends
/// @param stored the file the message came from (or a default for a new file)
/// @param lineEndAfter whether one line end of the file's style follows the text
/// @return the bytes to write
QByteArray textFileBytes(QStringView content, const StoredText& stored, bool lineEndAfter);

/// Replaces a file's content with a message text, as textFileBytes gives it, all of them
/// prepared before the file is touched. platform::ReplaceFile says how: a temporary file
/// takes the file's place, or the file is written in place where it has other names or its
/// folder takes no new file. Anything but a regular file is left alone.
/// @param path the file
/// @param content the text, with "\n" line ends
/// @param stored the file the text came from
/// @param lineEndAfter whether one line end follows the text
/// @param error set to the reason when the file cannot be written
/// @return whether the file now holds the content
bool WriteTextFile(const QString& path, QStringView content, const StoredText& stored,
                   bool lineEndAfter, QString* error);

/// Turns the box's own line breaks (paragraph and line separators) into "\n".
/// @param text text as the box holds it
void toLineFeeds(QString& text);

} // namespace translator
