// The built-in dictionary: every property its file format and the translator rely on.

#include "translator/Dictionary.h"
#include "translator/DictionaryFile.h"
#include "translator/EbonicText.h"
#include "translator/Translator.h"

#include <QSet>
#include <QTest>

using namespace translator;

namespace {
QString key(const EbonicEntry& e)
{
    return QString::fromLatin1(e.key);
}
QString replacement(const EbonicEntry& e)
{
    return QString::fromLatin1(e.replacement);
}
// The order ignores hyphens and apostrophes; a key without them comes first on a tie.
QString sortKey(const QString& key)
{
    QString s = key;
    s.remove(u'-').remove(u'\'');
    return s;
}
bool before(const QString& a, const QString& b)
{
    const QString sa = sortKey(a), sb = sortKey(b);
    if (sa != sb)
        return sa < sb;
    return a.size() < b.size();
}
} // namespace

class TestEbonicText : public QObject
{
    Q_OBJECT
private slots:
    void textLayout()
    {
        const QString& text = ebonicText();
        QCOMPARE(text.size(), 10804);
        QVERIFY(text.endsWith(QStringLiteral("\r\n")));
        QVERIFY(!text.contains(QStringLiteral("\r\n\r\n")));
        QVERIFY(!text.contains(u','));
        for (QChar c : text)
            QVERIFY(c.unicode() < 128);
        QStringList lines = text.split(QStringLiteral("\r\n"));
        QCOMPARE(lines.takeLast(), QString());
        QCOMPARE(lines.size(), kEbonicRecordCount);
        qsizetype longest = 0;
        for (const QString& line : std::as_const(lines)) {
            QCOMPARE(line.count(u'\t'), 1);
            QVERIFY(!line.contains(u'\r') && !line.contains(u'\n'));
            longest = std::max(longest, line.size());
        }
        QCOMPARE(longest, 70);
    }

    void readsBackAsItsEntries()
    {
        const DictionaryReadResult read = readDictionaryRecords(ebonicText());
        QVERIFY(read.ok());
        QCOMPARE(read.records.size(), kEbonicRecordCount);
        const auto entries = ebonicEntries();
        for (int i = 0; i < kEbonicRecordCount; ++i) {
            QCOMPARE(read.records[i].key, key(entries[i]));
            QCOMPARE(read.records[i].replacement, replacement(entries[i]));
        }
    }

    void keys()
    {
        QSet<QString> seen;
        QStringList multiWord, punctuated;
        qsizetype shortest = 100, longest = 0;
        for (const EbonicEntry& e : ebonicEntries()) {
            const QString k = key(e);
            QCOMPARE(k, k.toLower());
            QVERIFY2(!seen.contains(k.toLower()), qPrintable(k));
            seen.insert(k.toLower());
            if (k.contains(u' '))
                multiWord << k;
            for (QChar c : k) {
                if (!c.isLetterOrNumber() && c != u' ') {
                    punctuated << k;
                    break;
                }
            }
            shortest = std::min(shortest, k.size());
            longest = std::max(longest, k.size());
        }
        QCOMPARE(multiWord.size(), 2);
        QCOMPARE(multiWord.first(), key(ebonicEntries().front()));
        punctuated.sort();
        QCOMPARE(punctuated, QStringList({"band-aid", "on-line", "please?", "u.s.a.", "you're"}));
        QCOMPARE(shortest, 1);
        QCOMPARE(longest, 14);
    }

    void replacements()
    {
        int withSpaces = 0, withCapitals = 0;
        QStringList oneSpace, quoted;
        qsizetype shortest = 100, longest = 0;
        for (const EbonicEntry& e : ebonicEntries()) {
            const QString r = replacement(e);
            withSpaces += r.contains(u' ');
            withCapitals += r != r.toLower();
            if (r == QStringLiteral(" "))
                oneSpace << key(e);
            if (r.contains(u'"'))
                quoted << key(e) + u'=' + r;
            shortest = std::min(shortest, r.size());
            longest = std::max(longest, r.size());
        }
        QCOMPARE(withSpaces, 152);
        QCOMPARE(withCapitals, 11);
        QCOMPARE(oneSpace, QStringList({"please", "please?"}));
        QCOMPARE(quoted.size(), 1);
        QVERIFY(quoted.first().startsWith(QStringLiteral("accident=\"")));
        QVERIFY(quoted.first().endsWith(u'"'));
        QCOMPARE(quoted.first().count(u'"'), 2);
        QCOMPARE(shortest, 1);
        QCOMPARE(longest, 61);
    }

    void order()
    {
        const auto entries = ebonicEntries();
        for (size_t i = 1; i < entries.size(); ++i)
            QVERIFY2(before(key(entries[i - 1]), key(entries[i])), entries[i].key);
        QCOMPARE(key(entries.back()), QStringLiteral("yup"));
        QCOMPARE(replacement(entries.back()), QStringLiteral("ye"));
        const auto index = [&](const char* k) {
            for (size_t i = 0; i < entries.size(); ++i) {
                if (qstrcmp(entries[i].key, k) == 0)
                    return int(i);
            }
            return -1;
        };
        QVERIFY(index("bandages") >= 0 && index("bandages") < index("band-aid"));
        QVERIFY(index("online") >= 0 && index("online") < index("on-line"));
        QVERIFY(index("your") >= 0 && index("your") < index("you're"));
    }

    void rows_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("replacement");
        QTest::newRow("abbreviate") << "abbreviate"
                                    << "shortamake";
        QTest::newRow("abdomen") << "abdomen"
                                 << "stomik";
        QTest::newRow("abduct") << "abduct"
                                << "kinnap";
        QTest::newRow("abilities") << "abilities"
                                   << "skeelz";
        QTest::newRow("ability") << "ability"
                                 << "skeel";
        QTest::newRow("abort") << "abort"
                               << "stawp";
        QTest::newRow("you're") << "you're"
                                << "yer";
    }
    void rows()
    {
        QFETCH(QString, key);
        QFETCH(QString, replacement);
        const DictionaryReadResult read = readDictionaryRecords(ebonicText());
        QVERIFY(read.records.contains(DictionaryRecord{key, replacement}));
    }

    void chains_data()
    {
        QTest::addColumn<QStringList>("chain");
        QTest::newRow("about") << QStringList{"about", "bout", "brawl", "tussle"};
        QTest::newRow("are") << QStringList{"are", "is", "be"};
        QTest::newRow("assist") << QStringList{"assist", "help", "mercy"};
        QTest::newRow("head") << QStringList{"head", "think", "tink"};
        QTest::newRow("admit") << QStringList{"admit", "confess", "admit"};
        QTest::newRow("bluff") << QStringList{"bluff", "lie", "bluff"};
    }
    void chains()
    {
        QFETCH(QStringList, chain);
        const QList<DictionaryRecord> records = readDictionaryRecords(ebonicText()).records;
        qsizetype at = -1;
        for (qsizetype link = 0; link + 1 < chain.size(); ++link) {
            const auto next = std::find_if(records.begin() + at + 1, records.end(),
                                           [&](const auto& r) { return r.key == chain[link]; });
            QVERIFY2(next != records.end(), qPrintable(chain[link]));
            QCOMPARE(next->replacement, chain[link + 1]);
            at = next - records.begin();
        }
        QCOMPARE(Translator(records).translate(chain.first()), chain.last());
    }

    void tenReplacementsAreLaterKeys()
    {
        const auto entries = ebonicEntries();
        int links = 0;
        for (size_t i = 0; i < entries.size(); ++i) {
            for (size_t j = i + 1; j < entries.size(); ++j)
                links += replacement(entries[i]).toLower() == key(entries[j]);
        }
        QCOMPARE(links, 10);
    }

    void fileContent()
    {
        const QByteArray bytes = dictionaryFileContent();
        QCOMPARE(bytes.size(), 10806);
        QCOMPARE(bytes, ebonicText().toLatin1() + "\r\n");
    }
};

QTEST_APPLESS_MAIN(TestEbonicText)
#include "tst_ebonictext.moc"
