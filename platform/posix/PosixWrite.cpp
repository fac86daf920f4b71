#include "platform/Files.h"
#include "platform/posix/PosixFile.h"

#include <QFile>
#include <QRandomGenerator>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

using namespace posix;

namespace {

/// Writes all the bytes from the descriptor's offset on; @p written (when given) counts
/// those that got there. @return 0 or the error
int writeAll(int fd, QByteArrayView bytes, qint64* written)
{
    const char* p = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(std::min<qsizetype>(left, qsizetype(1) << 30)));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        p += n;
        left -= n;
        if (written)
            *written += n;
    }
    return 0;
}

/// What the path leads to, following links, looked at without opening it for reading or
/// writing: no device is woken and no pipe waits.
struct Target
{
    int error = 0; ///< 0 when it exists, ENOENT when nothing is there, or another reason
    struct stat status = {};
};

Target probe(const QByteArray& path)
{
    Target target;
    const int fd = ::open(path.constData(), O_PATH | O_CLOEXEC);
    if (fd < 0) {
        target.error = errno;
        return target;
    }
    Descriptor descriptor(fd);
    if (::fstat(fd, &target.status) != 0)
        target.error = errno;
    return target;
}

/// A link whose file does not exist stands where the new file would go.
bool isDanglingLink(const QByteArray& path)
{
    struct stat status = {};
    return ::lstat(path.constData(), &status) == 0 && S_ISLNK(status.st_mode);
}

/// The random part of a temporary file's name.
constexpr int kRandomChars = 6;

/// The longest name the folder takes: some file systems take fewer bytes than the usual 255.
qsizetype longestName(const QByteArray& folder)
{
    const long longest = ::pathconf(folder.constData(), _PC_NAME_MAX);
    return longest > 0 ? qsizetype(longest) : qsizetype(NAME_MAX);
}

/// A hidden name that says whose temporary it is: a dot, the file's name, a dot and a
/// random part. The name is cut (never inside a character) so that the whole fits where a
/// name of the file's own length fits.
QByteArray temporaryName(const QByteArray& name, qsizetype longest)
{
    qsizetype keep = std::clamp<qsizetype>(longest - 2 - kRandomChars, 0, name.size());
    while (keep > 0 && keep < name.size() && (uchar(name.at(keep)) & 0xC0) == 0x80)
        --keep;
    QByteArray temporary = '.' + name.left(keep) + '.';
    static constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    for (int i = 0; i < kRandomChars; ++i)
        temporary += kDigits[QRandomGenerator::global()->bounded(36)];
    return temporary;
}

/// The folder a path lies in, as the system takes it.
QByteArray folderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : path.left(slash + 1);
}

struct TemporaryOutcome
{
    int error = 0;           ///< 0 when the temporary holds the bytes
    bool notCreated = false; ///< whether the error came from creating it
};

/// Writes the bytes to a new temporary file beside @p path; its name comes back in
/// @p temporary.
TemporaryOutcome writeTemporary(const QByteArray& path, QByteArrayView bytes, mode_t mode,
                                QByteArray* temporary)
{
    const QByteArray folder = folderOf(path);
    const QByteArray name = path.mid(folder.size());
    const qsizetype longest = longestName(folder);
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        *temporary = folder + temporaryName(name, longest);
        fd = ::open(temporary->constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0 && errno != EEXIST)
            return {errno, true};
    }
    if (fd < 0)
        return {EEXIST, true};
    Descriptor descriptor(fd);
    int error = writeAll(fd, bytes, nullptr);
    if (!error && ::fchmod(fd, mode) != 0)
        error = errno;
    // On disk before it takes the old file's place: a crash then leaves one or the other.
    if (!error && ::fsync(fd) != 0)
        error = errno;
    const int closed = descriptor.close();
    if (!error)
        error = closed;
    if (error)
        ::unlink(temporary->constData());
    return {error, false};
}

/// Errors by which a folder refuses a new file (rather than lacking room for it).
bool refusesNewFiles(int error)
{
    return error == EACCES || error == EPERM || error == EROFS;
}

QString folderRefuses(const QByteArray& path, int error)
{
    QByteArray folder = folderOf(path);
    if (folder.size() > 1 && folder.endsWith('/'))
        folder.chop(1);
    return QStringLiteral("The folder %1 does not allow new files (%2).")
        .arg(QFile::decodeName(folder), systemReason(error));
}

/// Writes the bytes over the file itself: for a file whose other names must show them too,
/// or whose folder takes no new file. Room is reserved first where the file system can, so
/// that a full disk shows before any old byte is overwritten; a failure after that says
/// what the file now holds.
bool writeInPlace(const QByteArray& path, QByteArrayView bytes, QString* error)
{
    const auto fail = [error](const QString& reason) {
        setError(error, reason);
        return false;
    };
    const auto unchanged = [&fail](int failed) {
        return fail(QStringLiteral("%1; the file was left as it was.").arg(systemReason(failed)));
    };
    const int fd = ::open(path.constData(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return unchanged(errno);
    Descriptor descriptor(fd);
    struct stat status = {};
    if (::fstat(fd, &status) != 0)
        return unchanged(errno);
    // Something else may have taken the file's place since it was looked at.
    if (!S_ISREG(status.st_mode))
        return fail(notRegular(status.st_mode, "it was left as it is"));
    const qint64 oldSize = status.st_size;
    const qint64 newSize = bytes.size();
    if (newSize > 0) {
        int reserved = 0;
        do
            reserved = ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, off_t(newSize));
        while (reserved != 0 && errno == EINTR);
        if (reserved != 0 && errno != EOPNOTSUPP && errno != ENOSYS)
            return unchanged(errno);
    }
    qint64 written = 0;
    if (const int failed = writeAll(fd, bytes, &written)) {
        if (written == 0)
            return unchanged(failed);
        const QString reason =
            QStringLiteral("Writing the file in place stopped after %1 of %2 bytes (%3)")
                .arg(written)
                .arg(newSize)
                .arg(systemReason(failed));
        if (oldSize <= written)
            return fail(QStringLiteral("%1; the file now holds only those first bytes of the "
                                       "new text.")
                            .arg(reason));
        return fail(QStringLiteral("%1; the file now holds those first bytes of the new text, "
                                   "followed by the last %2 bytes of the old text.")
                        .arg(reason)
                        .arg(oldSize - written));
    }
    if (newSize < oldSize && ::ftruncate(fd, off_t(newSize)) != 0)
        return fail(QStringLiteral("The new text was written, but the file could not be cut to "
                                   "its length (%1); the last %2 bytes of the old text still "
                                   "follow it.")
                        .arg(systemReason(errno))
                        .arg(oldSize - newSize));
    int flushed = ::fsync(fd) == 0 ? 0 : errno;
    const int closed = descriptor.close();
    if (!flushed)
        flushed = closed;
    if (flushed)
        return fail(QStringLiteral("The new text was written, but the system could not confirm "
                                   "that it reached the disk (%1).")
                        .arg(systemReason(flushed)));
    return true;
}

mode_t newFileMode()
{
    // The mode a plain creation would give: 0666 less the process's umask.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

bool ReplaceFile(const QString& path, QByteArrayView bytes, QString* error)
{
    QByteArray target = QFile::encodeName(path);
    const Target found = probe(target);
    mode_t mode = 0;
    if (found.error == 0) {
        if (!S_ISREG(found.status.st_mode)) {
            setError(error, notRegular(found.status.st_mode, "it was left as it is"));
            return false;
        }
        // A read-only file stays unchanged, although its folder would let it be replaced.
        // Judged with the rights a write would use, not the real user's.
        if (::faccessat(AT_FDCWD, target.constData(), W_OK, AT_EACCESS) != 0) {
            setError(error, systemReason(errno));
            return false;
        }
        // Through a link, the file it leads to is replaced and the link kept.
        if (char* real = ::realpath(target.constData(), nullptr)) {
            target = real;
            std::free(real);
        }
        // A new file in its place would part this name from the file's other names.
        if (found.status.st_nlink > 1)
            return writeInPlace(target, bytes, error);
        mode = found.status.st_mode & 07777;
    } else if (found.error != ENOENT) {
        setError(error, systemReason(found.error));
        return false;
    } else if (isDanglingLink(target)) {
        setError(error, QStringLiteral("It is a link to a file that does not exist."));
        return false;
    } else {
        mode = newFileMode();
    }

    QByteArray temporary;
    const TemporaryOutcome written = writeTemporary(target, bytes, mode, &temporary);
    if (written.error) {
        if (written.notCreated && refusesNewFiles(written.error)) {
            // The folder takes no new file, yet the file itself may be written.
            if (found.error == 0)
                return writeInPlace(target, bytes, error);
            setError(error, folderRefuses(target, written.error));
            return false;
        }
        setError(error, systemReason(written.error));
        return false;
    }
    if (found.error == 0) {
        // Whoever owned the file still does; only a privileged user can manage this.
        [[maybe_unused]] const int ignored =
            ::chown(temporary.constData(), found.status.st_uid, found.status.st_gid);
    }
    if (::rename(temporary.constData(), target.constData()) != 0) {
        const int failed = errno;
        ::unlink(temporary.constData());
        setError(error, systemReason(failed));
        return false;
    }
    return true;
}

CreateResult CreateNewFile(const QString& path, QByteArrayView bytes, QString* error)
{
    const QByteArray target = QFile::encodeName(path);
    const auto existing = [&](const Target& found) {
        if (S_ISREG(found.status.st_mode))
            return CreateResult::Existed;
        setError(error, notRegular(found.status.st_mode, "it was left as it is"));
        return CreateResult::Failed;
    };
    const Target found = probe(target);
    if (found.error == 0)
        return existing(found);
    if (found.error != ENOENT) {
        setError(error, systemReason(found.error));
        return CreateResult::Failed;
    }
    if (isDanglingLink(target)) {
        setError(error, QStringLiteral("It is a link to a file that does not exist."));
        return CreateResult::Failed;
    }

    QByteArray temporary;
    const TemporaryOutcome written = writeTemporary(target, bytes, newFileMode(), &temporary);
    if (written.error) {
        setError(error, written.notCreated && refusesNewFiles(written.error)
                            ? folderRefuses(target, written.error)
                            : systemReason(written.error));
        return CreateResult::Failed;
    }
    // Put in place only where nothing is: another copy of the program may have won.
    int failed = 0;
    if (::renameat2(AT_FDCWD, temporary.constData(), AT_FDCWD, target.constData(),
                    RENAME_NOREPLACE) != 0) {
        failed = errno;
        if (failed == EINVAL || failed == ENOSYS) {
            // A file system without that kind of rename: a hard link never replaces either.
            failed = ::link(temporary.constData(), target.constData()) == 0 ? 0 : errno;
        }
        ::unlink(temporary.constData());
    }
    if (failed == EEXIST) {
        const Target now = probe(target);
        if (now.error == 0)
            return existing(now);
    }
    if (failed) {
        setError(error, systemReason(failed));
        return CreateResult::Failed;
    }
    return CreateResult::Created;
}

} // namespace platform
