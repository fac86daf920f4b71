// The two catalogues against hand-copied rows: counts, order, and the entries whose text
// or caption is easy to get wrong (blanks, quotes, backslash, duplicates); and the user's
// own rows read from their files, bad lines named.

#include "catalogue/CatalogueTables.h"
#include "catalogue/OwnEntries.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

using catalogue::acronymTable;
using catalogue::smileyTable;

class TestCatalogueTables : public QObject
{
    Q_OBJECT
private slots:
    void counts()
    {
        QCOMPARE(smileyTable().size(), std::size_t(205));
        QCOMPARE(acronymTable().size(), std::size_t(114));
    }

    void smileyRows_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("caption");
        // clang-format off
        QTest::newRow("0 digit, blank") << 0 << "0 :-)" << "Angel - User is an angel. At heart - at least.";
        QTest::newRow("3 trailing blank") << 3 << "d:-)" << "Baseball - User is a baseball player. ";
        QTest::newRow("7 duplicate caption") << 7 << "(:-)" << "Big - Smiley big-face.";
        QTest::newRow("8 duplicate caption") << 8 << "):-)" << "Big - Smiley big-face.";
        QTest::newRow("51 no blank after hyphen") << 51 << ":-6" << "Eat -Smiley after eating something sour.";
        QTest::newRow("87") << 87 << "[]" << "Hug - Hugs";
        QTest::newRow("88") << 88 << "(:-" << "Ill - User is ill.";
        QTest::newRow("91 one digit") << 91 << "8" << "Infinity - Infinity";
        QTest::newRow("92 colon only") << 92 << ":" << "Invisible - Smiley invisible man.";
        QTest::newRow("109") << 109 << ":-" << "Male - User is male.";
        QTest::newRow("136 quotes") << 136 << ":-(0)" << "Ordinary - \"Have an ordinary day\" smiley.";
        QTest::newRow("145 inner blank") << 145 << "O |-)" << "Religion - Net.Religion";
        QTest::newRow("173 inner blank") << 173 << ":-( )" << "Step - You stepped on my toe.";
        QTest::newRow("187 backslash") << 187 << ":-\\" << "Undecided smiley.";
        QTest::newRow("196") << 196 << ";-)" << "Wink - Wink smiley. User just made a flirtatious remark.";
        QTest::newRow("200 doubled blank") << 200 << ":-0" << "Yelling - No Yelling.  (Quiet Lab)";
        QTest::newRow("204 last") << 204 << "|-P" << "Yuk - Yuk !!";
        // clang-format on
    }
    void smileyRows()
    {
        QFETCH(int, row);
        QFETCH(QString, text);
        QFETCH(QString, caption);
        QCOMPARE(catalogue::CatalogueList(smileyTable()).textAt(row), text);
        QCOMPARE(smileyTable()[std::size_t(row)].caption.toString(), caption);
    }

    void acronymRows_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("caption");
        QTest::newRow("0 doubled blanks") << 0 << "4me"
                                          << "4me  -  for me";
        QTest::newRow("1 lower-case k") << 1 << "6k"
                                        << "6K - sick";
        QTest::newRow("2 trailing blank") << 2 << "A3"
                                          << "A3 - anytime, anywhere, anyplace ";
        QTest::newRow("3 doubled blank") << 3 << "AAMOF"
                                         << "AAMOF  - as a matter of fact";
        QTest::newRow("17 before 18") << 17 << "BFN"
                                      << "BFN - bye for now";
        QTest::newRow("18 after 17") << 18 << "B4N"
                                     << "B4N - bye for now";
        QTest::newRow("52 trailing blank in text") << 52 << "IMO "
                                                   << "IMO - in my opinion";
        QTest::newRow("109") << 109 << "W8"
                             << "W8 - wait";
        QTest::newRow("113 last") << 113 << "WUF"
                                  << "WUF - where are you from";
    }
    void acronymRows()
    {
        QFETCH(int, row);
        QFETCH(QString, text);
        QFETCH(QString, caption);
        QCOMPARE(catalogue::CatalogueList(acronymTable()).textAt(row), text);
        QCOMPARE(acronymTable()[std::size_t(row)].caption.toString(), caption);
    }

    // Equal captions stay separate rows with their own texts.
    void duplicatesStaySeparate()
    {
        for (int row : {7, 72, 112, 119, 201}) {
            const auto& a = smileyTable()[std::size_t(row)];
            const auto& b = smileyTable()[std::size_t(row) + 1];
            QCOMPARE(a.caption, b.caption);
            QVERIFY2(a.text != b.text, qPrintable(QString::number(row)));
        }
        for (int row : {5, 40, 182})
            QCOMPARE(catalogue::CatalogueList(smileyTable()).textAt(row), QStringLiteral(":-}"));
    }

    void textsAndCaptionsWithinLimits()
    {
        for (const auto& e : smileyTable()) {
            QVERIFY(e.text.size() >= 1 && e.text.size() <= 6);
            QVERIFY(e.caption.size() <= 70);
        }
        for (const auto& e : acronymTable()) {
            QVERIFY(e.text.size() >= 1 && e.text.size() <= 5);
            QVERIFY(e.caption.size() <= 37);
        }
    }

    void captionsKeepTableOrder()
    {
        const QStringList captions = catalogue::CatalogueList(acronymTable()).captions();
        QCOMPARE(captions.size(), 114);
        QCOMPARE(captions.at(17), QStringLiteral("BFN - bye for now"));
        QCOMPARE(captions.at(18), QStringLiteral("B4N - bye for now"));
    }

    void rowsOutsideTheTableGiveNoText()
    {
        QCOMPARE(catalogue::CatalogueList(smileyTable()).textAt(-1), QString());
        QCOMPARE(catalogue::CatalogueList(smileyTable()).textAt(205), QString());
        QCOMPARE(catalogue::CatalogueList(acronymTable()).textAt(114), QString());
    }

    void ownEntries_data()
    {
        QTest::addColumn<QByteArray>("content"); // null: no file; "fifo": a named pipe
        QTest::addColumn<QString>("entries");    // text=caption, joined by |
        QTest::addColumn<QStringList>("problems");
        QTest::addColumn<qsizetype>("unnamed");
        const QString shrug = QStringLiteral("\u00AF\\_(\u30C4)_/\u00AF");
        const QString flip =
            QStringLiteral("(\u256F\u00B0\u25A1\u00B0)\u256F\uFE35 \u253B\u2501\u253B");
        QTest::newRow("byte order mark, CR LF, comments, empty lines, kaomoji")
            << ("\xEF\xBB\xBF# mine\r\n\r\n" + shrug + "\tShrug - whatever\r\n" + flip +
                "\tFlip - table flip")
                   .toUtf8()
            << shrug + "=Shrug - whatever|" + flip + "=Flip - table flip" << QStringList()
            << qsizetype(0);
        // Only the file's first U+FEFF is a mark; one that begins a later field is kept.
        QTest::newRow("byte order marks after the first are characters")
            << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF#a\tb\xEF\xBB\xBF\n:)\t\xEF\xBB\xBF"
                          "c\n")
            << QStringLiteral("\uFEFF#a=b\uFEFF|:)=\uFEFFc") << QStringList() << qsizetype(0);
        QTest::newRow("blanks are the entry's own")
            << QByteArray("IMO \t IMO - in my opinion\n") << "IMO = IMO - in my opinion"
            << QStringList() << qsizetype(0);
        // 255 characters of four bytes and two UTF-16 units each.
        QTest::newRow("255 characters fit")
            << QString(QString::fromUtf8("\xF0\x9F\x98\x80").repeated(255) + "\tc").toUtf8()
            << QString::fromUtf8("\xF0\x9F\x98\x80").repeated(255) + "=c" << QStringList()
            << qsizetype(0);
        QTest::newRow("each bad kind named, the good lines kept")
            << QByteArray("a\tA\n"
                          "no tab\n"
                          "\tno text\n"
                          "no caption\t\n"
                          "two\ttabs\there\n"
                          "b\xFF\tbad bytes\n"
                          "cr\rinside\tc\n" +
                          QByteArray(256, 'x') + "\tlong text\n" + "t\t" + QByteArray(256, 'y') +
                          "\n#\tcomment\nb\tB")
            << "a=A|b=B"
            << QStringList{"line 2: no TAB between the text and its caption.",
                           "line 3: the text is empty.",
                           "line 4: the caption is empty.",
                           "line 5: more than one TAB.",
                           "line 6: not valid UTF-8.",
                           "line 7: the text holds a control character.",
                           "line 8: the text is longer than 255 characters.",
                           "line 9: the caption is longer than 255 characters."}
            << qsizetype(0);
        // Past a thousand, skipped lines are counted, not named.
        QStringList named;
        for (int line = 1; line <= catalogue::kMostNamedProblems; ++line)
            named << QStringLiteral("line %1: no TAB between the text and its caption.").arg(line);
        QTest::newRow("a file of bad lines")
            << QByteArray("x\n").repeated(catalogue::kMostNamedProblems + 3) + "a\tb\n"
            << "a=b" << named << qsizetype(3);
        QTest::newRow("more entries than a list holds")
            << QByteArray("a\tb\n").repeated(catalogue::kMostOwnEntries + 2)
            << QStringList(catalogue::kMostOwnEntries, QStringLiteral("a=b")).join(u'|')
            << QStringList{QStringLiteral("line %1: more than %2 entries; this line and those "
                                          "after it are not read.")
                               .arg(catalogue::kMostOwnEntries + 1)
                               .arg(catalogue::kMostOwnEntries)}
            << qsizetype(0);
        QTest::newRow("missing file") << QByteArray() << "" << QStringList() << qsizetype(0);
        QTest::newRow("named pipe")
            << QByteArray("fifo") << "" << QStringList{"Cannot read %1: It is a named pipe"}
            << qsizetype(0);
    }
    void ownEntries()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, entries);
        QFETCH(QStringList, problems);
        QFETCH(qsizetype, unnamed);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("smileys.txt"));
        if (content == "fifo") {
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (!content.isNull()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        const catalogue::OwnEntries own = catalogue::readOwnEntries(path);
        QStringList got;
        for (const catalogue::OwnEntry& entry : own.entries)
            got << entry.text + u'=' + entry.caption;
        QCOMPARE(got.join(u'|'), entries);
        QCOMPARE(own.problems.size(), problems.size());
        QCOMPARE(own.unnamed, unnamed);
        for (qsizetype i = 0; i < problems.size(); ++i) {
            const QString expected = problems[i].contains(QStringLiteral("%1"))
                                         ? problems[i].arg(path)
                                         : path + QStringLiteral(", ") + problems[i];
            QVERIFY2(own.problems[i].startsWith(expected), qPrintable(own.problems[i]));
        }
        const catalogue::CatalogueList listed(smileyTable(), own.entries);
        QCOMPARE(listed.size(), 205 + own.entries.size());
        QCOMPARE(listed.captions().first(205), catalogue::CatalogueList(smileyTable()).captions());
        if (!own.entries.isEmpty())
            QCOMPARE(listed.textAt(205), own.entries.first().text);
    }

    void tenThousandOwnRows()
    {
        QByteArray content;
        for (int i = 0; i < 10000; ++i)
            content +=
                "(\xE3\x83\x84)" + QByteArray::number(i) + "\tOwn " + QByteArray::number(i) + "\n";
        const catalogue::OwnEntries own = catalogue::parseOwnEntries(content, QStringLiteral("f"));
        QCOMPARE(own.entries.size(), 10000);
        QVERIFY(own.problems.isEmpty());
        QCOMPARE(own.entries.last(),
                 (catalogue::OwnEntry{QStringLiteral("(\u30C4)9999"), QStringLiteral("Own 9999")}));
    }
};

QTEST_APPLESS_MAIN(TestCatalogueTables)
#include "tst_CatalogueTables.moc"
