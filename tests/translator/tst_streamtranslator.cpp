// The streaming translator: line ends, encodings, the byte order mark, keys that only their
// lower case makes ASCII, words at eight- and sixteen-byte edges, words longer than the
// buffer; each case with buffers and reads of many sizes, so lines and words are cut
// everywhere. Then random dictionaries and inputs against the plain line-by-line rule, and
// what a failed read or write leaves.

#include "tests/support/LineReference.h"
#include "translator/Dictionary.h"
#include "translator/EbonicText.h"
#include "translator/StreamTranslator.h"
#include "translator/TextEncoding.h"
#include "translator/Translator.h"

#include <QRandomGenerator>
#include <QTest>
#include <cstring>

using namespace translator;

namespace {
QList<DictionaryRecord> recordsOf(const QString& dictionary)
{
    if (dictionary.isNull())
        return readDictionaryRecords(ebonicText()).records;
    const DictionaryReadResult read =
        readDictionaryRecords(dictionary, int(dictionary.count(u'\n')));
    return read.ok() ? read.records : QList<DictionaryRecord>();
}

const qsizetype kBufferSizes[] = {16, 17, 24, 61, StreamTranslator::kDefaultBufferBytes};
const qsizetype kReadSizes[] = {1, 7, qsizetype(1) << 30};
// One thread; two for any run of lines; two for runs of 40 bytes or more.
const qsizetype kShareFrom[] = {0, 1, 40};
} // namespace

class TestStreamTranslator : public QObject
{
    Q_OBJECT
private slots:
    void cases_data()
    {
        QTest::addColumn<QString>("dictionary"); // null: the built-in one
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("expected");
        const QString builtIn;
        QTest::newRow("LF lines") << builtIn << QByteArray("are\nyou\n") << QByteArray("be\nya\n");
        QTest::newRow("CR LF and lone CR kept")
            << builtIn << QByteArray("are\r\nare\rare\n\r") << QByteArray("be\r\nbe\rbe\n\r");
        QTest::newRow("CR at the very end") << builtIn << QByteArray("are\r") << QByteArray("be\r");
        QTest::newRow("last line without an end")
            << builtIn << QByteArray("are you") << QByteArray("be ya");
        QTest::newRow("nothing") << builtIn << QByteArray() << QByteArray();
        QTest::newRow("empty key fills empty lines")
            << "\tX\n"
            << QByteArray("\n\r\na") << QByteArray("X X\nX X\r\na X");
        QTest::newRow("byte order mark passes") << builtIn
                                                << QByteArray("\xEF\xBB\xBF"
                                                              "are\n")
                                                << QByteArray("\xEF\xBB\xBF"
                                                              "be\n");
        QTest::newRow("byte order mark later is a character") << builtIn
                                                              << QByteArray("are\n\xEF\xBB\xBF"
                                                                            "are are")
                                                              << QByteArray("be\n\xEF\xBB\xBF"
                                                                            "are be");
        QTest::newRow("Windows-1252 line stays Windows-1252")
            << builtIn << QByteArray("caf\xE9 are\n") << QByteArray("caf\xE9 be\n");
        QTest::newRow("replacement in Windows-1252 or UTF-8 as the line")
            << u"a\t\u20AC\n"_qs << QByteArray("\xE9 a\na")
            << QByteArray("\xE9 \x80\n\xE2\x82\xAC");
        QTest::newRow("replacement beyond Windows-1252 makes the line UTF-8")
            << u"a\t\u0100\n"_qs << QByteArray("\xE9 a\n\xE9")
            << QByteArray("\xC3\xA9 \xC4\x80\n\xE9");
        QTest::newRow("key lowered to ASCII meets ASCII words")
            << u"\u212A\tkelvin\n"_qs << QByteArray("k K \xE2\x84\xAA")
            << QByteArray("kelvin kelvin kelvin");
        QTest::newRow("non-ASCII words lowered fully")
            << u"\u00E4rger\tanger\n"_qs << QByteArray("\xC3\x84RGER\n\xC4RGER")
            << QByteArray("anger\nanger");
        QTest::newRow("replacement spaces at both ends")
            << "a\t  b  \n"
            << QByteArray("a a\n a") << QByteArray("b   b\nb");
        QTest::newRow("words that become nothing")
            << "a\t\nb\t   \n"
            << QByteArray("x a y\nb x\na b") << QByteArray("x y\nx\n");
        QTest::newRow("spaces folded and trimmed")
            << builtIn << QByteArray("  are  are  ") << QByteArray("be be");
        QTest::newRow("words at the eight- and sixteen-byte edges")
            << "abcdefgh\tX\nabcdefghi\tY\nabcdefghijklmnop\tZ\nabcdefghijklmnopq\tW\n"
            << QByteArray("ABCDEFGH abcdefghi ABCDEFGHIJKLMNOP abcdefghijklmnopq abcdefg")
            << QByteArray("X Y Z W abcdefg");
        QTest::newRow("long replacement")
            << builtIn << QByteArray("address") << QByteArray("where ya stay at these days");
        QTest::newRow("NUL and TAB belong to words")
            << builtIn << QByteArray("are\tare are\0 are", 16)
            << QByteArray("are\tare are\0 be", 15);
        QTest::newRow("word longer than any key, then a line end")
            << builtIn << QByteArray(300, 'z') + " are\r\nare " + QByteArray(300, 'z') + "\r\nare"
            << QByteArray(300, 'z') + " be\r\nbe " + QByteArray(300, 'z') + "\r\nbe";
        QTest::newRow("lines whose replacements outgrow the buffers")
            << QString("a\t" + QString(100, u'b') + "\n") << QByteArray("a a\n").repeated(12)
            << QByteArray(QByteArray(100, 'b') + ' ' + QByteArray(100, 'b') + '\n').repeated(12);
        QTest::newRow("long line of short words")
            << builtIn << QByteArray("are ").repeated(40) + "\nare"
            << QByteArray("be ").repeated(39) + "be\nbe";
    }
    void cases()
    {
        QFETCH(QString, dictionary);
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, expected);
        const Translator translator(recordsOf(dictionary));
        QCOMPARE(reference::translateLines(translator, input), expected);
        for (const qsizetype buffer : kBufferSizes) {
            for (const qsizetype readSize : kReadSizes) {
                for (const qsizetype shareFrom : kShareFrom) {
                    const QByteArray out = reference::streamTranslate(
                        translator, input, buffer, [readSize](qsizetype) { return readSize; },
                        shareFrom);
                    if (out != expected)
                        qWarning() << "buffer" << buffer << "reads" << readSize << "shared from"
                                   << shareFrom;
                    QCOMPARE(out, expected);
                }
            }
        }
    }

    // Random dictionaries (chains, empty and spaced keys, keys whose lower case is ASCII or
    // longer) and random inputs of UTF-8 and Windows-1252 lines, cut into reads at random
    // through buffers of random sizes: the output must be the line-by-line rule's.
    void agreesWithTheLineRule()
    {
        const QString keys[] = {"a",
                                "A",
                                "are",
                                "Are",
                                "abcdefgh",
                                "abcdefghijklmnopq",
                                "",
                                " ",
                                "x y",
                                "  z",
                                u"\u212A"_qs,
                                u"\u0130"_qs,
                                u"i\u0307"_qs,
                                u"\u00E9"_qs,
                                u"\u20AC"_qs,
                                u"\u0100"_qs,
                                u"\U00010400"_qs,
                                "\r",
                                "q "};
        const QByteArray pieces[] = {"a",
                                     "A",
                                     "are",
                                     "ARE",
                                     "abcdefgh",
                                     "ABCDEFGHIJKLMNOPQ",
                                     " ",
                                     "  ",
                                     "\n",
                                     "\r\n",
                                     "\r",
                                     "k",
                                     "\xE2\x84\xAA",
                                     "\xC4\xB0",
                                     "i\xCC\x87",
                                     "\xC3\xA9",
                                     "\xE9",
                                     "\x80",
                                     "\x81",
                                     "\xF0\x90\x90\x80",
                                     "\xEF\xBB\xBF",
                                     QByteArray("\0", 1),
                                     "\t",
                                     QByteArray(30, 'w')};
        QRandomGenerator random(1252);
        for (int round = 0; round < 3000; ++round) {
            QString dictionary;
            const int count = 1 + random.bounded(8);
            for (int r = 0; r < count; ++r) {
                dictionary += keys[random.bounded(int(std::size(keys)))];
                dictionary += u'\t';
                dictionary += keys[random.bounded(int(std::size(keys)))];
                if (random.bounded(3) == 0)
                    dictionary += keys[random.bounded(int(std::size(keys)))];
                dictionary += u'\n';
            }
            const DictionaryReadResult read = readDictionaryRecords(dictionary, count);
            if (!read.ok())
                continue;
            const Translator translator(read.records);

            QByteArray input;
            const int length = random.bounded(40);
            // Every other input has only UTF-8 lines ended by LF, what a second thread shares.
            const bool plainLines = random.bounded(2) == 0;
            for (int i = 0; i < length; ++i) {
                const QByteArray& piece = pieces[random.bounded(int(std::size(pieces)))];
                if (plainLines && (piece.contains('\r') || !isValidUtf8(piece)))
                    input += '\n';
                else
                    input += piece;
            }
            qsizetype buffer = 16 + random.bounded(64);
            // A long line that is not UTF-8 is decided a run of words at a time.
            if (reference::hasLongForeignLine(input, buffer - 2))
                buffer = StreamTranslator::kDefaultBufferBytes;
            const int maxRead = 1 + random.bounded(40);
            // Two rounds in three share runs of lines with a second thread, cut anywhere.
            const qsizetype shareFrom = random.bounded(3) ? 1 + random.bounded(24) : 0;
            const QByteArray out = reference::streamTranslate(
                translator, input, buffer,
                [&random, maxRead](qsizetype) { return 1 + random.bounded(maxRead); }, shareFrom);
            const QByteArray expected = reference::translateLines(translator, input);
            if (out != expected) {
                qWarning() << "round" << round << "dictionary" << dictionary << "input"
                           << input.toHex(' ') << "buffer" << buffer << "shared from" << shareFrom;
                QCOMPARE(out, expected);
            }
        }
    }

    // A failed read ends the input where it failed, translated; a failed write stops all
    // writing, and each is reported.
    void failures()
    {
        const Translator translator(readDictionaryRecords(ebonicText()).records);
        StreamTranslator stream(translator, 16);
        QByteArray out;
        const auto write = [&out](const char* bytes, qint64 size) {
            out.append(bytes, qsizetype(size));
            return true;
        };
        bool first = true;
        const auto failSecond = [&first](char* buffer, qint64) -> qint64 {
            if (!first)
                return -1;
            first = false;
            std::memcpy(buffer, "are\nare", 7);
            return 7;
        };
        QCOMPARE(stream.translate(failSecond, write), StreamTranslator::Outcome::ReadFailed);
        QCOMPARE(out, QByteArray("be\nbe"));

        QByteArray input = QByteArray("are you\n").repeated(100);
        qsizetype pos = 0;
        const auto read = [&input, &pos](char* buffer, qint64 capacity) {
            const qsizetype n = std::min(qsizetype(capacity), input.size() - pos);
            std::memcpy(buffer, input.constData() + pos, size_t(n));
            pos += n;
            return qint64(n);
        };
        int writes = 0;
        const auto failing = [&writes](const char*, qint64) {
            ++writes;
            return false;
        };
        QCOMPARE(stream.translate(read, failing), StreamTranslator::Outcome::WriteFailed);
        QCOMPARE(writes, 1);

        // The same when the first, the second or the third write fails with a second thread
        // holding more output of its own than it may hold: nothing is written after the
        // failure.
        const Translator longer(recordsOf("a\t" + QString(100, u'b') + "\n"));
        input = QByteArray("a a\n").repeated(100);
        for (const qsizetype shareFrom : kShareFrom) {
            for (int failAt = 1; failAt <= 3; ++failAt) {
                StreamTranslator shared(longer, 64, shareFrom);
                pos = 0;
                writes = 0;
                const auto failingAt = [&writes, failAt](const char*, qint64) {
                    return ++writes < failAt;
                };
                QCOMPARE(shared.translate(read, failingAt), StreamTranslator::Outcome::WriteFailed);
                QCOMPARE(writes, failAt);
            }
        }
    }
};

QTEST_APPLESS_MAIN(TestStreamTranslator)
#include "tst_streamtranslator.moc"
