#include "translator/TextFiles.h"

#include "platform/Files.h"

namespace translator {

std::optional<TextFileContent> ReadTextFile(const QString& path, QString* error)
{
    platform::FileContent file = platform::ReadWholeFile(path);
    if (!file.ok) {
        if (error)
            *error = file.error;
        return std::nullopt;
    }
    DecodedText decoded = decodeMessageText(file.bytes);
    return TextFileContent{std::move(decoded.text), {std::move(file.bytes), decoded.format}};
}

void toLineFeeds(QString& text)
{
    for (QChar& c : text) {
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
            c = u'\n';
    }
}

QByteArray textFileBytes(QStringView content, const StoredText& stored, bool lineEndAfter)
{
    // Decoding never gives more characters than there are bytes: a longer text is edited.
    if (content.size() <= stored.bytes.size()) {
        QString original = decodeMessageText(stored.bytes).text;
        toLineFeeds(original);
        if (original == content) {
            QByteArray bytes = stored.bytes;
            if (lineEndAfter)
                bytes += lineEndText(stored.format.lineEnd).toLatin1();
            return bytes;
        }
    }
    if (!lineEndAfter)
        return encodeMessageText(content, stored.format);
    return encodeMessageText(content.toString() + u'\n', stored.format);
}

bool WriteTextFile(const QString& path, QStringView content, const StoredText& stored,
                   bool lineEndAfter, QString* error)
{
    return platform::ReplaceFile(path, textFileBytes(content, stored, lineEndAfter), error);
}

} // namespace translator
