// The dictionary file: how its records are read, and that the program only ever creates it.

#include "translator/Dictionary.h"
#include "translator/DictionaryFile.h"
#include "translator/EbonicText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <sys/stat.h>

using namespace translator;

Q_DECLARE_METATYPE(RecordProblem)
Q_DECLARE_METATYPE(DictionaryLoad)

namespace {
QString joined(const QList<DictionaryRecord>& records)
{
    QStringList parts;
    for (const DictionaryRecord& r : records)
        parts << r.key + u'=' + r.replacement;
    return parts.join(u'|');
}
QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

class TestDictionary : public QObject
{
    Q_OBJECT
private slots:
    void records_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("count");
        QTest::addColumn<RecordProblem>("problem");
        QTest::addColumn<int>("failedRecord");
        QTest::addColumn<QString>("records");
        const auto none = RecordProblem::None;
        QTest::newRow("crlf") << "a\tb\r\nc\td\r\n" << 2 << none << 0 << "a=b|c=d";
        QTest::newRow("lone lf") << "a\tb\nc\td" << 2 << none << 0 << "a=b|c=d";
        QTest::newRow("comma ends a record") << "a\tb,c\td\r\n" << 2 << none << 0 << "a=b|c=d";
        QTest::newRow("lone cr ends a record") << "a\tb\rc\td\r\n" << 2 << none << 0 << "a=b|c=d";
        QTest::newRow("blanks and quotes kept") << " a \t\"b c\" \r\n"
                                                << 1 << none << 0 << " a =\"b c\" ";
        QTest::newRow("fields after the second ignored") << "a\tb\tc\n" << 1 << none << 0 << "a=b";
        QTest::newRow("empty replacement") << "a\t\n" << 1 << none << 0 << "a=";
        QTest::newRow("later records unread") << "a\tb\r\nnonsense" << 1 << none << 0 << "a=b";
        QTest::newRow("too few") << "a\tb\r\nc\td\r\n" << 3 << RecordProblem::EndOfFile << 3 << "";
        QTest::newRow("empty text") << "" << 1 << RecordProblem::EndOfFile << 1 << "";
        QTest::newRow("empty line")
            << "a\tb\r\n\r\nc\td" << 3 << RecordProblem::EmptyRecord << 2 << "";
        QTest::newRow("two commas") << "a\tb,,c\td" << 3 << RecordProblem::EmptyRecord << 2 << "";
        QTest::newRow("no tab") << "a\tb\nc d\n" << 2 << RecordProblem::NoTab << 2 << "";
        QTest::newRow("comma splits a pair") << "a,b\tc\n" << 2 << RecordProblem::NoTab << 1 << "";
        QTest::newRow("trailing comma then end")
            << "a\tb," << 2 << RecordProblem::EndOfFile << 2 << "";
    }
    void records()
    {
        QFETCH(QString, text);
        QFETCH(int, count);
        QFETCH(RecordProblem, problem);
        QFETCH(int, failedRecord);
        QFETCH(QString, records);
        const DictionaryReadResult result = readDictionaryRecords(text, count);
        QCOMPARE(result.problem, problem);
        QCOMPARE(result.failedRecord, failedRecord);
        if (problem == RecordProblem::None)
            QCOMPARE(joined(result.records), records);
    }

    void shortFileFailsAtTheMissingRecord()
    {
        QString text = ebonicText();
        text.chop(2);
        text.truncate(text.lastIndexOf(QStringLiteral("\r\n")) + 2); // 655 records
        const DictionaryReadResult result = readDictionaryRecords(text);
        QCOMPARE(result.problem, RecordProblem::EndOfFile);
        QCOMPARE(result.failedRecord, 656);
        QVERIFY(describeProblem(result, QStringLiteral("/d/winup.ico"))
                    .contains(QStringLiteral("/d/winup.ico ends before record 656")));
    }

    // The file in the shapes editors write it, or refused with a reason that says which;
    // never read into keys that cannot match.
    void load_data()
    {
        QTest::addColumn<QByteArray>("content"); // null: no file; "-": no data folder
        QTest::addColumn<DictionaryLoad>("outcome");
        QTest::addColumn<QString>("reason");
        // The built-in text with one replacement outside Windows-1252.
        QString edited = ebonicText() + QStringLiteral("\r\n");
        edited.replace(QStringLiteral("\r\nyou\tya\r\n"), QStringLiteral("\r\nyou\tya\u263A\r\n"));
        const auto utf16 = [](const QString& text, QStringConverter::Encoding encoding) {
            return QByteArray(QStringEncoder(encoding, QStringConverter::Flag::WriteBom)(text));
        };
        const auto loaded = DictionaryLoad::Loaded;
        QTest::newRow("utf-8") << edited.toUtf8() << loaded << "";
        QTest::newRow("utf-16 le") << utf16(edited, QStringConverter::Utf16LE) << loaded << "";
        QTest::newRow("utf-16 be") << utf16(edited, QStringConverter::Utf16BE) << loaded << "";
        QTest::newRow("utf-32 le") << utf16(edited, QStringConverter::Utf32LE) << loaded << "";
        QTest::newRow("lone cr line ends")
            << QString(edited).replace(QStringLiteral("\r\n"), QStringLiteral("\r")).toUtf8()
            << loaded << "";
        QTest::newRow("utf-16 without its mark") << utf16(edited, QStringConverter::Utf16LE).mid(2)
                                                 << DictionaryLoad::Unreadable << "NUL bytes";
        QTest::newRow("utf-16 cut inside a character")
            << utf16(edited, QStringConverter::Utf16LE).chopped(1) << DictionaryLoad::Unreadable
            << "not valid UTF-16";
        QTest::newRow("too short")
            << QByteArray("you\tU\r\n") << DictionaryLoad::Malformed << "ends before record 2";
        QTest::newRow("missing") << QByteArray() << DictionaryLoad::Missing << "does not exist";
        QTest::newRow("no data folder")
            << QByteArray("-") << DictionaryLoad::NoDataFolder << "HOME is not set";
    }
    void load()
    {
        QFETCH(QByteArray, content);
        QFETCH(DictionaryLoad, outcome);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        QString path = dir.filePath(QStringLiteral("winup.ico"));
        if (content == "-") {
            path.clear();
        } else if (!content.isNull()) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        const LoadedDictionary dictionary = loadDictionaryFile(path);
        QCOMPARE(dictionary.outcome, outcome);
        QVERIFY2(dictionary.problem.contains(reason), qPrintable(dictionary.problem));
        if (outcome != DictionaryLoad::Loaded)
            return;
        QCOMPARE(dictionary.records.size(), kEbonicRecordCount);
        QVERIFY(dictionary.records.contains(
            DictionaryRecord{QStringLiteral("you"), QStringLiteral("ya\u263A")}));
        QCOMPARE(dictionary.records.last(), (DictionaryRecord{"yup", "ye"}));
    }

    void path()
    {
        QCOMPARE(dictionaryFilePath(QStringLiteral("/home/u/.local/share/Glyphora")),
                 QStringLiteral("/home/u/.local/share/Glyphora/winup.ico"));
        QCOMPARE(dictionaryFilePath(QString()), QString());
    }

    // The file gets the permissions the umask leaves, as every file the program creates.
    void createdOnceWithTheBuiltInText_data()
    {
        QTest::addColumn<int>("umask");
        QTest::addColumn<int>("mode");
        QTest::newRow("umask 022") << 022 << 0644;
        QTest::newRow("umask 077") << 077 << 0600;
    }
    void createdOnceWithTheBuiltInText()
    {
        QFETCH(int, umask);
        QFETCH(int, mode);
        const mode_t oldMask = ::umask(mode_t(umask));
        const auto restore = qScopeGuard([oldMask] { ::umask(oldMask); });
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("winup.ico"));
        QCOMPARE(ensureDictionaryFile(path, dictionaryFileContent()).state,
                 DictionaryFileState::Created);
        QCOMPARE(readAll(path), dictionaryFileContent());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"winup.ico"});
        struct stat status = {};
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &status), 0);
        QCOMPARE(int(status.st_mode & 07777), mode);
    }

    void existingFileLeftAlone_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("edited") << QByteArray("hello\tyo\r\n");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("built-in") << dictionaryFileContent();
    }
    void existingFileLeftAlone()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("winup.ico"));
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        const QDateTime modified = QFileInfo(path).lastModified();
        QThread::msleep(20);
        QCOMPARE(ensureDictionaryFile(path, dictionaryFileContent()).state,
                 DictionaryFileState::Existed);
        QCOMPARE(readAll(path), content);
        QCOMPARE(QFileInfo(path).lastModified(), modified);
    }

    void cannotCreate_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("folder in the way") << "winup.ico";
        QTest::newRow("missing folder") << "missing/winup.ico";
    }
    void cannotCreate()
    {
        QFETCH(QString, name);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("winup.ico")));
        const EnsureOutcome outcome =
            ensureDictionaryFile(dir.filePath(name), dictionaryFileContent());
        QCOMPARE(outcome.state, DictionaryFileState::Failed);
        QVERIFY(!outcome.error.isEmpty());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList());
    }
};

QTEST_APPLESS_MAIN(TestDictionary)
#include "tst_dictionary.moc"
