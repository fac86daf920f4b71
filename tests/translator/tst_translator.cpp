// The one-pass translator: the panel's cases with the built-in dictionary, dictionaries
// with duplicate, empty and spaced keys, and agreement with the literal record-by-record
// rule on random messages and dictionaries.

#include "tests/support/LiteralTranslator.h"
#include "translator/Dictionary.h"
#include "translator/EbonicText.h"
#include "translator/Translator.h"

#include <QRandomGenerator>
#include <QTest>

using namespace translator;

namespace {
QString translated(const QString& dictionary, const QString& message)
{
    const DictionaryReadResult read =
        readDictionaryRecords(dictionary, int(dictionary.count(u'\n')));
    if (!read.ok())
        return QStringLiteral("<unreadable>");
    return Translator(read.records).translate(message);
}
} // namespace

class TestTranslator : public QObject
{
    Q_OBJECT
private slots:
    void builtIn_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("expected");
        QTest::newRow("chain of two") << "are"
                                      << "be";
        QTest::newRow("lower case compare, chain of three") << "About"
                                                            << "tussle";
        QTest::newRow("replacement keeps its case") << "BARBECUE"
                                                    << "BBQ";
        QTest::newRow("one-space replacement vanishes") << "please help"
                                                        << "mercy";
        QTest::newRow("question mark key") << "please? help"
                                           << "mercy";
        QTest::newRow("dotted key") << "the u.s.a."
                                    << "da tha US of A";
        QTest::newRow("punctuation stops a match") << "hello, about."
                                                   << "hello, about.";
        QTest::newRow("quoted replacement") << "accident"
                                            << "\"oopsie daisy my bad\"";
        QTest::newRow("chain back to itself") << "admit bluff"
                                              << "admit bluff";
        QTest::newRow("apostrophe key") << "you're your"
                                        << "yer yo";
        QTest::newRow("hyphen key") << "band-aid"
                                    << "lil boo boo patch";
        QTest::newRow("line break joins two words") << "are\nare"
                                                    << "are\nare";
        QTest::newRow("line break as a word") << "are \n are"
                                              << "be \n be";
        QTest::newRow("double spaces fold") << "are  are"
                                            << "be be";
        QTest::newRow("end spaces go") << "   are   "
                                       << "be";
        QTest::newRow("only spaces") << "     "
                                     << "";
        QTest::newRow("spaced keys never match") << "a lot of orange juice"
                                                 << "a lot uh orinj juice";
        QTest::newRow("unknown words stay") << "Zebra xylophone"
                                            << "Zebra xylophone";
        QTest::newRow("tab is no separator") << "are\tare"
                                             << "are\tare";
        QTest::newRow("no-break space is no separator") << u"are\u00A0are"_qs << u"are\u00A0are"_qs;
        QTest::newRow("last entry") << "Yup"
                                    << "ye";
    }
    void builtIn()
    {
        QFETCH(QString, message);
        QFETCH(QString, expected);
        const DictionaryReadResult read = readDictionaryRecords(ebonicText());
        QCOMPARE(Translator(read.records).translate(message), expected);
        QCOMPARE(reference::literalTranslate(ebonicText(), message), std::optional(expected));
    }

    void customDictionaries_data()
    {
        QTest::addColumn<QString>("dictionary");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("expected");
        QTest::newRow("duplicate key: first wins") << "a\tb\nA\tc\n"
                                                   << "a"
                                                   << "b";
        QTest::newRow("duplicate key after a chain") << "a\tb\nb\ta\na\tc\n"
                                                     << "a b"
                                                     << "c c";
        QTest::newRow("empty key fills empty words") << "\tX\n"
                                                     << "a  b"
                                                     << "a X b X";
        QTest::newRow("spaced key reached by a chain") << "x\tp q\np q\tz\n"
                                                       << "x"
                                                       << "z";
        QTest::newRow("replacement spaces at the ends") << "a\t  b  \n"
                                                        << "a a"
                                                        << "b   b";
        QTest::newRow("empty replacement") << "a\t\n"
                                           << "x a y"
                                           << "x y";
        QTest::newRow("replacement of spaces only") << "a\t   \n"
                                                    << "a x"
                                                    << "x";
        QTest::newRow("full lower case")
            << u"i\u0307stanbul\tcity\n"_qs << u"\u0130STANBUL istanbul"_qs << "city istanbul";
        QTest::newRow("non-ascii letters")
            << u"\u00E4rger\tanger\n"_qs << u"\u00C4RGER"_qs << "anger";
        QTest::newRow("chain order is file order") << "b\tc\na\tb\n"
                                                   << "a"
                                                   << "b";
    }
    void customDictionaries()
    {
        QFETCH(QString, dictionary);
        QFETCH(QString, message);
        QFETCH(QString, expected);
        QCOMPARE(translated(dictionary, message), expected);
        QCOMPARE(reference::literalTranslate(dictionary, message, int(dictionary.count(u'\n'))),
                 std::optional(expected));
    }

    void noWordLimit()
    {
        QString message;
        for (int i = 0; i < 40000; ++i)
            message += QStringLiteral("are ");
        QString expected = QStringLiteral("be ").repeated(40000);
        expected.chop(1);
        const DictionaryReadResult read = readDictionaryRecords(ebonicText());
        QCOMPARE(Translator(read.records).translate(message), expected);
    }

    // Random dictionaries (duplicates, chains, empty and spaced keys, capitals, letters whose
    // lower case changes length) and random messages: the one-pass result must be the
    // record-by-record one.
    void agreesWithTheLiteralRule()
    {
        const QString pool[] = {"a",
                                "A",
                                "b",
                                "ab",
                                "AB",
                                "x y",
                                "",
                                " ",
                                "  z",
                                "q ",
                                "\n",
                                u"\u0130"_qs,
                                u"i\u0307"_qs,
                                u"\u00C4"_qs,
                                u"\u00E4"_qs,
                                u"\u03A3"_qs,
                                u"\u03C3"_qs,
                                u"\u00DF"_qs,
                                u"SS"_qs,
                                u"\U00010400"_qs,
                                u"\U00010428"_qs,
                                u"\u00A0"_qs,
                                "a.",
                                "\r"};
        const int poolSize = int(std::size(pool));
        QRandomGenerator random(656);
        for (int round = 0; round < 5000; ++round) {
            const int count = 1 + random.bounded(12);
            QString dictionary;
            for (int r = 0; r < count; ++r) {
                dictionary += pool[random.bounded(poolSize)];
                dictionary += u'\t';
                dictionary += pool[random.bounded(poolSize)];
                if (random.bounded(4) == 0)
                    dictionary += pool[random.bounded(poolSize)];
                dictionary += random.bounded(3) ? QStringLiteral("\r\n") : QStringLiteral("\n");
            }
            // Pool entries with line ends or nothing in them split records or leave them
            // empty: both translators must read or refuse such files alike.
            QString message;
            const int words = random.bounded(16);
            for (int w = 0; w < words; ++w) {
                message += pool[random.bounded(poolSize)];
                if (random.bounded(3))
                    message += u' ';
            }
            const DictionaryReadResult read = readDictionaryRecords(dictionary, count);
            const std::optional<QString> literal =
                reference::literalTranslate(dictionary, message, count);
            QCOMPARE(read.ok(), literal.has_value());
            if (!read.ok())
                continue;
            const QString fast = Translator(read.records).translate(message);
            if (fast != *literal) {
                qWarning() << "round" << round << "dictionary" << dictionary << "message"
                           << message;
                QCOMPARE(fast, *literal);
            }
        }
    }
};

QTEST_APPLESS_MAIN(TestTranslator)
#include "tst_translator.moc"
