#include "tests/support/LineReference.h"

#include "translator/StreamTranslator.h"
#include "translator/TextEncoding.h"

#include <QStringDecoder>
#include <algorithm>
#include <cstring>

namespace translator::reference {

namespace {
constexpr QByteArrayView kBom("\xEF\xBB\xBF", 3);

// Where the line starting at @p pos ends, and how long its line end is.
qsizetype lineEndAt(QByteArrayView input, qsizetype pos, qsizetype* endLength)
{
    qsizetype end = pos;
    while (end < input.size() && input[end] != '\n' && input[end] != '\r')
        ++end;
    *endLength = end == input.size()                                                      ? 0
                 : input[end] == '\r' && end + 1 < input.size() && input[end + 1] == '\n' ? 2
                                                                                          : 1;
    return end;
}
} // namespace

QByteArray translateLines(const Translator& translator, QByteArrayView input)
{
    QByteArray out;
    qsizetype pos = 0;
    if (input.startsWith(kBom)) {
        out += kBom.toByteArray();
        pos = kBom.size();
    }
    while (pos < input.size()) {
        qsizetype endLength = 0;
        const qsizetype end = lineEndAt(input, pos, &endLength);
        const QByteArrayView line = input.sliced(pos, end - pos);
        TextFormat format;
        QString text;
        if (isValidUtf8(line)) {
            QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
            text = decoder.decode(line);
        } else {
            format.encoding = TextEncoding::Windows1252;
            text = decodeWindows1252(line);
        }
        out += encodeMessageText(translator.translate(text), format);
        out += input.sliced(end, endLength).toByteArray();
        pos = end + endLength;
    }
    return out;
}

bool hasLongForeignLine(QByteArrayView input, qsizetype limit)
{
    qsizetype pos = input.startsWith(kBom) ? kBom.size() : 0;
    while (pos < input.size()) {
        qsizetype endLength = 0;
        const qsizetype end = lineEndAt(input, pos, &endLength);
        if (end - pos > limit && !isValidUtf8(input.sliced(pos, end - pos)))
            return true;
        pos = end + endLength;
    }
    return false;
}

QByteArray streamTranslate(const Translator& translator, QByteArrayView input,
                           qsizetype bufferBytes,
                           const std::function<qsizetype(qsizetype)>& readSize, qsizetype shareFrom)
{
    StreamTranslator stream(translator, bufferBytes, shareFrom);
    QByteArray out;
    qsizetype pos = 0;
    const auto read = [&](char* buffer, qint64 capacity) {
        const qsizetype n = std::min(
            {qsizetype(capacity), input.size() - pos, std::max<qsizetype>(1, readSize(pos))});
        if (n > 0)
            std::memcpy(buffer, input.data() + pos, size_t(n));
        pos += n;
        return qint64(n);
    };
    const auto write = [&out](const char* bytes, qint64 size) {
        out.append(bytes, qsizetype(size));
        return true;
    };
    stream.translate(read, write);
    return out;
}

} // namespace translator::reference
