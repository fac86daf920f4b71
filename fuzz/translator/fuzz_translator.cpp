// Feeds arbitrary bytes to the dictionary reader, the one-pass translator and the message
// file decoding. The translator must agree with the record-by-record rule, and decoding
// must be stable: what is saved from a decoded file decodes to the same text and format.

#include "tests/translator/LiteralTranslator.h"
#include "translator/Dictionary.h"
#include "translator/EbonicText.h"
#include "translator/TextEncoding.h"
#include "translator/Translator.h"

#include <cstdint>
#include <cstdlib>

using namespace translator;

namespace {
void require(bool condition)
{
    if (!condition)
        std::abort();
}

void checkDecoding(QByteArrayView bytes)
{
    const DecodedText once = decodeMessageText(bytes);
    const QByteArray saved = encodeMessageText(once.text, once.format);
    const DecodedText twice = decodeMessageText(saved);
    require(twice.text == once.text);
    require(twice.format == once.format);
}

void checkTranslation(const QString& dictionary, const QString& message, int count)
{
    const DictionaryReadResult read = readDictionaryRecords(dictionary, count);
    const std::optional<QString> literal = reference::literalTranslate(dictionary, message, count);
    require(read.ok() == literal.has_value());
    if (read.ok())
        require(Translator(read.records).translate(message) == *literal);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const QByteArrayView all(reinterpret_cast<const char*>(data), qsizetype(size));
    checkDecoding(all);

    // First byte: how many records to read; second: where the dictionary ends.
    const int count = 1 + data[0] % 8;
    const QByteArrayView rest = all.sliced(2);
    const qsizetype split = rest.size() * data[1] / 256;
    const QString dictionary = decodeCharacters(rest.first(split)).text;
    const QString message = decodeMessageText(rest.sliced(split)).text;
    checkTranslation(dictionary, message, count);

    // The built-in dictionary too, on messages short enough for the slow reference.
    if (message.size() <= 200) {
        static const QList<DictionaryRecord> builtIn = readDictionaryRecords(ebonicText()).records;
        require(Translator(builtIn).translate(message) ==
                reference::literalTranslate(ebonicText(), message));
    }
    return 0;
}
