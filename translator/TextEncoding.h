#pragma once

// How message files turn into text and back. A file is UTF-8 (the locale's code page here)
// when it is valid UTF-8 and Windows-1252 otherwise, the code page such files come from.
// Saving writes the encoding and line ends the file was read with, so an unedited file
// comes back byte for byte.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <optional>

namespace translator {

enum class TextEncoding { Utf8, Windows1252 };
enum class LineEnd { Lf, CrLf, Cr };

struct TextFormat
{
    TextEncoding encoding = TextEncoding::Utf8;
    bool byteOrderMark = false; ///< a UTF-8 file that began with EF BB BF
    LineEnd lineEnd = LineEnd::Lf;

    friend bool operator==(const TextFormat&, const TextFormat&) = default;
};

struct DecodedText
{
    QString text;
    TextFormat format;
};

/// @param bytes any bytes
/// @return whether @p bytes are well-formed UTF-8 (no overlong forms, no surrogates,
///         nothing above U+10FFFF)
bool isValidUtf8(QByteArrayView bytes);

/// @param bytes Windows-1252 text; the five bytes the code page leaves undefined map to
///        the C1 controls of the same number, as Windows does
/// @return the text, one character per byte
QString decodeWindows1252(QByteArrayView bytes);

/// @param text text to encode
/// @return its Windows-1252 bytes, or nothing when a character has no byte there
std::optional<QByteArray> encodeWindows1252(QStringView text);

/// Decodes the characters only: UTF-8 (a leading byte order mark removed) or Windows-1252.
/// Line ends stay as they are; the format's line end is left at LF.
/// @param bytes file content
/// @return the text and its encoding
DecodedText decodeCharacters(QByteArrayView bytes);

/// Decodes a message file: the characters, then every line end (CR LF, CR or LF) as "\n".
/// The format records the style the file uses most, the first met of equals (LF when there
/// is none).
/// @param bytes file content
/// @return the text and the format to save it back with
DecodedText decodeMessageText(QByteArrayView bytes);

/// Encodes message text: every "\n" as the format's line end, then the characters in the
/// format's encoding. Text that does not fit Windows-1252 is written as UTF-8.
/// @param text message text with "\n" line ends
/// @param format the format the text was read with
/// @return the bytes to write
QByteArray encodeMessageText(QStringView text, const TextFormat& format);

/// @param lineEnd a line-end style
/// @return its characters: "\n", "\r\n" or "\r"
QString lineEndText(LineEnd lineEnd);

} // namespace translator
