#include "translator/TextFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace translator {

namespace {
void setError(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
}

QString folderInTheWay()
{
    return QStringLiteral("A folder of that name is in the way.");
}
} // namespace

std::optional<DecodedText> ReadTextFile(const QString& path, QString* error)
{
    if (QFileInfo(path).isDir()) {
        setError(error, QStringLiteral("That is a folder, not a file."));
        return std::nullopt;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        setError(error, file.errorString());
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        setError(error, file.errorString());
        return std::nullopt;
    }
    return decodeMessageText(bytes);
}

bool WriteTextFile(const QString& path, QStringView content, const TextFormat& format,
                   QString* error)
{
    if (QFileInfo(path).isDir()) {
        setError(error, folderInTheWay());
        return false;
    }
    const QByteArray bytes = encodeMessageText(content, format);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        setError(error, file.errorString());
        return false;
    }
    if (file.write(bytes) != bytes.size()) {
        setError(error, file.errorString());
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        setError(error, file.errorString());
        return false;
    }
    return true;
}

} // namespace translator
