// Feeds arbitrary bytes to the dictionary reader, the one-pass translator, the streaming
// translator and the message file decoding. The reader must read what a plain split of the
// text reads, the translator must agree with the record-by-record rule, the streaming one
// with the translator line by line whatever its buffer and reads, and decoding must be
// stable: what is saved from a decoded file decodes to the same text and format, and a file
// with one style of line end comes back byte for byte.
//
// The record-by-record rule costs records times words, too slow for kilobyte messages
// against hundreds of records: it checks the translator on the first few words of every
// message. The whole message is checked against a word-by-word walk through the records,
// which follows the rule just as plainly but visits each distinct word once and jumps
// straight to the next record with its key.

#include "tests/support/LineReference.h"
#include "tests/support/LiteralTranslator.h"
#include "translator/Dictionary.h"
#include "translator/EbonicText.h"
#include "translator/StreamTranslator.h"
#include "translator/TextEncoding.h"
#include "translator/Translator.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace translator;

namespace {
void require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

// Records times words the record-by-record rule may cost per run.
constexpr qsizetype kLiteralBudget = 2048;

class WordWalk
{
public:
    explicit WordWalk(const QList<DictionaryRecord>& records) : m_records(records)
    {
        for (qsizetype i = 0; i < records.size(); ++i)
            m_recordsWithKey[records[i].key.toLower()].append(i);
    }

    QString translate(const QString& message) const
    {
        QHash<QString, QString> done;
        QString result;
        for (const QString& word : (message + u' ').split(u' ')) {
            result += u' ';
            result += replaced(word, done);
            reference::trimSpaces(result);
        }
        return result;
    }

private:
    // What the records in file order make of one word.
    const QString& replaced(const QString& word, QHash<QString, QString>& done) const
    {
        const auto known = done.constFind(word);
        if (known != done.cend())
            return *known;
        QString current = word;
        qsizetype next = 0; // the first record not yet compared with the word
        while (true) {
            const auto with = m_recordsWithKey.constFind(current.toLower());
            if (with == m_recordsWithKey.cend())
                break;
            const auto at = std::lower_bound(with->cbegin(), with->cend(), next);
            if (at == with->cend())
                break;
            current = m_records[*at].replacement;
            next = *at + 1;
        }
        return *done.insert(word, current);
    }

    const QList<DictionaryRecord>& m_records;
    QHash<QString, QList<qsizetype>> m_recordsWithKey; // lower-case key to record numbers
};

// The first @p words words of the message.
QString firstWords(const QString& message, qsizetype words)
{
    qsizetype end = -1;
    while (words-- > 0) {
        end = message.indexOf(u' ', end + 1);
        if (end < 0)
            return message;
    }
    return message.first(end);
}

void checkDecoding(QByteArrayView bytes)
{
    const DecodedText once = decodeMessageText(bytes);
    const QByteArray saved = encodeMessageText(once.text, once.format);
    const DecodedText twice = decodeMessageText(saved);
    require(twice.text == once.text, "decoding the saved text gives the same text");
    require(twice.format == once.format, "decoding the saved text gives the same format");

    // Line ends are ASCII in both encodings, so the bytes show their styles.
    int styles = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
            styles |= 1 << int(LineEnd::CrLf);
            ++i;
        } else if (bytes[i] == '\r') {
            styles |= 1 << int(LineEnd::Cr);
        } else if (bytes[i] == '\n') {
            styles |= 1 << int(LineEnd::Lf);
        }
    }
    if ((styles & (styles - 1)) == 0)
        require(saved == bytes, "an unmixed file comes back byte for byte");
}

// The reader against a plain split of the whole text, which is cheap at any size.
void checkRecords(const QString& dictionary, int count, const DictionaryReadResult& read)
{
    static const QRegularExpression separator(QStringLiteral("\r\n|\r|\n|,"));
    QStringList texts = dictionary.split(separator);
    if (texts.constLast().isEmpty())
        texts.removeLast(); // nothing after the last separator is no record
    DictionaryReadResult split;
    for (int number = 1; number <= count && split.ok(); ++number) {
        const QString text = number <= texts.size() ? texts[number - 1] : QString();
        if (number > texts.size())
            split.problem = RecordProblem::EndOfFile;
        else if (text.isEmpty())
            split.problem = RecordProblem::EmptyRecord;
        else if (!text.contains(u'\t'))
            split.problem = RecordProblem::NoTab;
        else
            split.records.append({text.section(u'\t', 0, 0), text.section(u'\t', 1, 1)});
        if (!split.ok())
            split.failedRecord = number;
    }
    require(read.problem == split.problem, "reader meets the problem a split meets");
    require(read.failedRecord == split.failedRecord, "reader blames the record a split blames");
    require(!read.ok() || read.records == split.records, "reader reads the fields a split reads");
}

// The message's bytes as a stream, through a small buffer (so lines and words are cut) and
// reads of sizes the bytes themselves choose, with runs of lines shared with a second
// thread from @p shareFrom bytes (0: one thread).
void checkStream(const Translator& translator, QByteArrayView bytes, qsizetype bufferBytes,
                 qsizetype shareFrom)
{
    // A long line that is not UTF-8 is decided a run of words at a time: whole lines only.
    if (reference::hasLongForeignLine(bytes, bufferBytes - 2))
        bufferBytes = StreamTranslator::kDefaultBufferBytes;
    const QByteArray streamed = reference::streamTranslate(
        translator, bytes, bufferBytes,
        [bytes](qsizetype pos) {
            return 1 + (pos < bytes.size() ? static_cast<unsigned char>(bytes[pos]) % 29 : 0);
        },
        shareFrom);
    require(streamed == reference::translateLines(translator, bytes),
            "streaming translator follows the translator line by line");
}

void checkTranslation(const QString& dictionary, const QString& message, int count,
                      QByteArrayView messageBytes, qsizetype bufferBytes, qsizetype shareFrom)
{
    const DictionaryReadResult read = readDictionaryRecords(dictionary, count);
    checkRecords(dictionary, count, read);
    const QString opening = firstWords(message, std::max<qsizetype>(1, kLiteralBudget / count));
    const std::optional<QString> literal = reference::literalTranslate(dictionary, opening, count);
    require(read.ok() == literal.has_value(), "reader and rule refuse the same dictionaries");
    if (!read.ok())
        return;
    const Translator translator(read.records);
    require(translator.translate(opening) == *literal, "translator follows the rule");
    require(translator.translate(message) == WordWalk(read.records).translate(message),
            "translator follows the records word by word");
    checkStream(translator, messageBytes, bufferBytes, shareFrom);
}

void checkBuiltIn(const QString& message, QByteArrayView messageBytes, qsizetype bufferBytes,
                  qsizetype shareFrom)
{
    static const QList<DictionaryRecord> records = readDictionaryRecords(ebonicText()).records;
    static const Translator translator(records);
    static const WordWalk walk(records);
    // Reading the built-in text record by record is the bulk of the rule's cost here.
    if (message.count(u' ') < kLiteralBudget / kEbonicRecordCount)
        require(translator.translate(message) == reference::literalTranslate(ebonicText(), message),
                "built-in dictionary: translator follows the rule");
    require(translator.translate(message) == walk.translate(message),
            "built-in dictionary: translator follows the records word by word");
    checkStream(translator, messageBytes, bufferBytes, shareFrom);
}
} // namespace

// Bytes 0 and 1: how many records to read (1 to 1024); the top bit of byte 0: whether the
// streaming translator shares runs of lines with a second thread. Byte 2: where the dictionary
// bytes end and the message begins. Byte 3: below 128 the dictionary bytes are the dictionary;
// otherwise they are inserted into the built-in dictionary's text at that fraction of it,
// an edited dictionary file. The inputs in seeds/ follow this layout.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView all(reinterpret_cast<const char*>(data), qsizetype(size));
    checkDecoding(all);
    if (size < 4)
        return 0;

    const int count = 1 + ((data[0] << 8 | data[1]) & 1023);
    const QByteArrayView rest = all.sliced(4);
    const qsizetype split = rest.size() * data[2] / 256;
    QByteArray dictionaryBytes = rest.first(split).toByteArray();
    if (data[3] >= 128) {
        static const QByteArray builtIn = ebonicText().toUtf8();
        const qsizetype at = builtIn.size() * (data[3] - 128) / 128;
        dictionaryBytes = builtIn.first(at) + dictionaryBytes + builtIn.sliced(at);
    }
    const QString dictionary = decodeCharacters(dictionaryBytes).text;
    const QByteArrayView messageBytes = rest.sliced(split);
    const QString message = decodeMessageText(messageBytes).text;
    // The streaming translator's buffer: 16 to 79 bytes.
    const qsizetype bufferBytes = 16 + (data[1] ^ data[3]) % 64;
    // Shared from 1 to 32 bytes, so that short runs are cut too.
    const qsizetype shareFrom = (data[0] & 0x80) ? 1 + data[2] % 32 : 0;
    checkTranslation(dictionary, message, count, messageBytes, bufferBytes, shareFrom);
    checkBuiltIn(message, messageBytes, bufferBytes, shareFrom);
    return 0;
}
