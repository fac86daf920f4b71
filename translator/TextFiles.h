#pragma once

// Whole-file reading and writing of message files.

#include "translator/TextEncoding.h"

#include <QString>
#include <QStringView>
#include <optional>

namespace translator {

/// Reads a whole message file.
/// @param path the file
/// @param error set to the reason when the file cannot be read
/// @return the text with "\n" line ends and the format it was stored in, or nothing
std::optional<DecodedText> ReadTextFile(const QString& path, QString* error);

/// Replaces a file's content. The bytes go to a temporary file that then takes the
/// file's place, so a failure never leaves a half-written file behind.
/// @param path the file
/// @param content the text, with "\n" line ends
/// @param format the encoding and line ends to write
/// @param error set to the reason when the file cannot be written
/// @return whether the file now holds the content
bool WriteTextFile(const QString& path, QStringView content, const TextFormat& format,
                   QString* error);

} // namespace translator
