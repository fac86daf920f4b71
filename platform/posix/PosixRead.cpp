#include "platform/Files.h"
#include "platform/posix/PosixFile.h"

#include <QFile>
#include <algorithm>

namespace platform {

using namespace posix;

namespace {
QString tooLarge(qint64 maxBytes)
{
    return QStringLiteral("It is larger than %1 MB, the largest file Glyphora reads.")
        .arg(maxBytes >> 20);
}
} // namespace

FileContent ReadWholeFile(const QString& path, qint64 maxBytes)
{
    FileContent content;
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        content.error = systemReason(errno);
        return content;
    }
    Descriptor descriptor(fd);
    struct stat status = {};
    if (::fstat(fd, &status) != 0) {
        content.error = systemReason(errno);
        return content;
    }
    if (!S_ISREG(status.st_mode)) {
        content.error = notRegular(status.st_mode, "nothing was read");
        return content;
    }
    if (status.st_size > maxBytes) {
        content.error = tooLarge(maxBytes);
        return content;
    }
    // The size is a hint: the file may grow or shrink while it is read.
    QByteArray bytes(qsizetype(status.st_size) + 1, Qt::Uninitialized);
    qsizetype used = 0;
    while (true) {
        if (used == bytes.size()) {
            if (used > maxBytes) {
                content.error = tooLarge(maxBytes);
                return content;
            }
            bytes.resize(std::min<qsizetype>(2 * used + 4096, qsizetype(maxBytes) + 1));
        }
        const ssize_t n = ::read(fd, bytes.data() + used, size_t(bytes.size() - used));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            content.error = systemReason(errno);
            return content;
        }
        if (n == 0)
            break;
        used += n;
    }
    if (used > maxBytes) {
        content.error = tooLarge(maxBytes);
        return content;
    }
    bytes.truncate(used);
    content.ok = true;
    content.bytes = std::move(bytes);
    return content;
}

} // namespace platform
