// Message file encodings and line ends: what a file reads as, and that saving an unedited
// file gives back its bytes.

#include "translator/TextEncoding.h"

#include <QRandomGenerator>
#include <QTest>

using namespace translator;

Q_DECLARE_METATYPE(TextEncoding)
Q_DECLARE_METATYPE(LineEnd)

class TestTextEncoding : public QObject
{
    Q_OBJECT
private slots:
    void utf8Validity_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("valid");
        QTest::newRow("empty") << QByteArray() << true;
        QTest::newRow("ascii") << QByteArray("plain text\r\n") << true;
        QTest::newRow("two bytes") << QByteArray("caf\xC3\xA9") << true;
        QTest::newRow("three bytes") << QByteArray("\xE2\x82\xAC") << true;
        QTest::newRow("four bytes") << QByteArray("\xF0\x9F\x98\x80") << true;
        QTest::newRow("highest") << QByteArray("\xF4\x8F\xBF\xBF") << true;
        QTest::newRow("latin-1 byte") << QByteArray("caf\xE9") << false;
        QTest::newRow("overlong slash") << QByteArray("\xC0\xAF") << false;
        QTest::newRow("overlong three") << QByteArray("\xE0\x80\xAF") << false;
        QTest::newRow("overlong four") << QByteArray("\xF0\x80\x80\xAF") << false;
        QTest::newRow("surrogate") << QByteArray("\xED\xA0\x80") << false;
        QTest::newRow("above 10FFFF") << QByteArray("\xF4\x90\x80\x80") << false;
        QTest::newRow("F5") << QByteArray("\xF5\x80\x80\x80") << false;
        QTest::newRow("lone continuation") << QByteArray("a\x80") << false;
        QTest::newRow("cut short") << QByteArray("\xE2\x82") << false;
        QTest::newRow("bad continuation") << QByteArray("\xE2\x28\xA1") << false;
    }
    void utf8Validity()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, valid);
        QCOMPARE(isValidUtf8(bytes), valid);
    }

    void windows1252Table()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        const QString text = decodeWindows1252(all);
        QCOMPARE(text.size(), 256);
        QCOMPARE(text[0x80], QChar(0x20AC));
        QCOMPARE(text[0x8A], QChar(0x0160));
        QCOMPARE(text[0x92], QChar(0x2019));
        QCOMPARE(text[0x9F], QChar(0x0178));
        QCOMPARE(text[0x81], QChar(0x0081)); // undefined in the code page
        QCOMPARE(text[0xE9], QChar(0x00E9));
        QCOMPARE(encodeWindows1252(text), std::optional<QByteArray>(all));
        QCOMPARE(encodeWindows1252(u"\u0101"), std::nullopt);
        QCOMPARE(encodeWindows1252(u"\U0001F600"), std::nullopt);
    }

    void decode_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<TextEncoding>("encoding");
        QTest::addColumn<bool>("bom");
        QTest::addColumn<LineEnd>("lineEnd");
        const auto utf8 = TextEncoding::Utf8;
        const auto cp1252 = TextEncoding::Windows1252;
        QTest::newRow("no line end")
            << QByteArray("one line") << "one line" << utf8 << false << LineEnd::Lf;
        QTest::newRow("lf") << QByteArray("a\nb\n") << "a\nb\n" << utf8 << false << LineEnd::Lf;
        QTest::newRow("crlf") << QByteArray("a\r\nb\r\n") << "a\nb\n"
                              << utf8 << false << LineEnd::CrLf;
        QTest::newRow("cr") << QByteArray("a\rb") << "a\nb" << utf8 << false << LineEnd::Cr;
        QTest::newRow("mixed, equals: first wins")
            << QByteArray("a\r\nb\nc\rd") << "a\nb\nc\nd" << utf8 << false << LineEnd::CrLf;
        QTest::newRow("mixed, most used wins")
            << QByteArray("a\r\nb\nc\nd\r\ne\n") << "a\nb\nc\nd\ne\n"
            << utf8 << false << LineEnd::Lf;
        QTest::newRow("lone cr among crlf") << QByteArray("a\rb\r\nc\r\n") << "a\nb\nc\n"
                                            << utf8 << false << LineEnd::CrLf;
        QTest::newRow("utf-8 bom") << QByteArray("\xEF\xBB\xBFhi\r\n") << "hi\n"
                                   << utf8 << true << LineEnd::CrLf;
        QTest::newRow("1252") << QByteArray("caf\xE9 \x80\x35\r\nna\xEFve") << u"café €5\nnaïve"_qs
                              << cp1252 << false << LineEnd::CrLf;
        QTest::newRow("1252 looking like a bom")
            << QByteArray("\xEF\xBB\xBF\xE9") << u"ï»¿é"_qs << cp1252 << false << LineEnd::Lf;
        QTest::newRow("no-break space kept") << QByteArray("a\xC2\xA0"
                                                           "b")
                                             << u"a\u00A0b"_qs << utf8 << false << LineEnd::Lf;
    }
    void decode()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QFETCH(TextEncoding, encoding);
        QFETCH(bool, bom);
        QFETCH(LineEnd, lineEnd);
        const DecodedText decoded = decodeMessageText(bytes);
        QCOMPARE(decoded.text, text);
        QCOMPARE(decoded.format.encoding, encoding);
        QCOMPARE(decoded.format.byteOrderMark, bom);
        QCOMPARE(decoded.format.lineEnd, lineEnd);
    }

    void charactersOnlyKeepLineEnds()
    {
        const DecodedText decoded = decodeCharacters("\xEF\xBB\xBF"
                                                     "a\tb\r\nc\rd\n");
        QCOMPARE(decoded.text, QStringLiteral("a\tb\r\nc\rd\n"));
        QVERIFY(decoded.format.byteOrderMark);
    }

    // Any file whose line ends are all of one style comes back byte for byte.
    void unchangedFileRoundTrips()
    {
        QRandomGenerator random(20240611);
        const QByteArray pool[] = {"a",
                                   "Z",
                                   " ",
                                   "\t",
                                   "\xE9",
                                   "\x80",
                                   "\x81",
                                   "\xC3\xA9",
                                   "\xE2\x82\xAC",
                                   "\xF0\x9F\x98\x80",
                                   "\xEF\xBB\xBF",
                                   QByteArray("\0", 1)};
        const QByteArray ends[] = {"\n", "\r\n", "\r"};
        for (int round = 0; round < 4000; ++round) {
            const QByteArray& end = ends[random.bounded(3)];
            QByteArray bytes;
            const int pieces = random.bounded(30);
            for (int i = 0; i < pieces; ++i) {
                if (random.bounded(5) == 0)
                    bytes += end;
                else
                    bytes += pool[random.bounded(int(std::size(pool)))];
            }
            const DecodedText decoded = decodeMessageText(bytes);
            QVERIFY(!decoded.text.contains(u'\r'));
            QCOMPARE(encodeMessageText(decoded.text, decoded.format), bytes);
        }
    }

    void encodeFallsBackToUtf8()
    {
        const TextFormat cp1252{TextEncoding::Windows1252, false, LineEnd::CrLf};
        QCOMPARE(encodeMessageText(u"café\n", cp1252), QByteArray("caf\xE9\r\n"));
        QCOMPARE(encodeMessageText(u"café ā\n", cp1252), QByteArray("caf\xC3\xA9 \xC4\x81\r\n"));
        const TextFormat bom{TextEncoding::Utf8, true, LineEnd::Lf};
        QCOMPARE(encodeMessageText(u"x\n", bom), QByteArray("\xEF\xBB\xBFx\n"));
        QCOMPARE(encodeMessageText(u"x\n", TextFormat{}), QByteArray("x\n"));
    }
};

QTEST_APPLESS_MAIN(TestTextEncoding)
#include "tst_textencoding.moc"
