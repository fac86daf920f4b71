#pragma once

// Whole-file reading and writing for the message files and the dictionary file. Only
// regular files are read or written: a named pipe would hold the window for good, a device
// can feed it without end, and replacing a device node by a file would destroy the device.
// Failures come back as the reason in words, the system's own where it gave one.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace platform {

/// The largest file the program reads: far above any message a person writes, and well
/// below what would exhaust memory once the text is shown.
inline constexpr qint64 kMaxFileBytes = qint64(64) << 20;

struct FileContent
{
    bool ok = false;
    QByteArray bytes;
    QString error; ///< why the file could not be read, when it could not
};

/// Reads a whole regular file. What the path names is judged on the opened descriptor,
/// which is opened without blocking, so a pipe or device is refused rather than read.
/// @param path the file
/// @param maxBytes the largest size accepted
/// @return the bytes, or the reason they cannot be had
FileContent ReadWholeFile(const QString& path, qint64 maxBytes = kMaxFileBytes);

/// Replaces a regular file's content, or creates the file. The bytes go to a temporary file
/// in the same folder that then takes the file's place, so a failure (a full disk, say)
/// leaves the old file as it was. A link is followed and the file it leads to replaced;
/// the file keeps its permissions, a new one gets what the umask leaves. A file with other
/// names (hard links) is written in place instead, so that every name shows the new bytes,
/// and so is a writable file whose folder takes no new file: room is reserved first where
/// the file system can, and a failure says what the file then holds. Anything but a regular
/// file is left alone.
/// @param path the file
/// @param bytes its new content
/// @param error set to the reason when the file could not be written
/// @return whether the file now holds the bytes
bool ReplaceFile(const QString& path, QByteArrayView bytes, QString* error);

enum class CreateResult { Created, Existed, Failed };

/// Creates a file that does not exist yet and never replaces anything: a regular file found
/// in its place (also one that another process creates meanwhile) counts as existing,
/// anything else there is an error. The bytes appear all at once or not at all; the file
/// gets the permissions the umask leaves.
/// @param path the file
/// @param bytes its content
/// @param error set to the reason when the file could not be created
CreateResult CreateNewFile(const QString& path, QByteArrayView bytes, QString* error);

} // namespace platform
