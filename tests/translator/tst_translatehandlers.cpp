// "Translate now" and "Undo Translate" on the panel, and the dictionary file at start-up.

#include "tests/translator/PanelFixture.h"
#include "translator/EbonicText.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>
#include <QThread>
#include <sys/stat.h>

using platform::MsgIcon;

class TestTranslateHandlers : public QObject
{
    Q_OBJECT
private slots:
    void startsReady()
    {
        PanelFixture panel;
        QVERIFY(!panel.undo.isEnabled());
        QVERIFY(panel.translate.isEnabled());
        panel.handlers.FillDictionaryHolder();
        QCOMPARE(panel.ebonic.toPlainText(),
                 QString(translator::ebonicText()).replace("\r\n", "\n"));
    }

    void dictionaryFileCreatedOnce()
    {
        PanelFixture panel;
        panel.handlers.EnsureDictionaryFile();
        QCOMPARE(PanelFixture::read(panel.dictionaryPath()), translator::dictionaryFileContent());
        const QDateTime modified = QFileInfo(panel.dictionaryPath()).lastModified();
        QThread::msleep(20);
        panel.handlers.EnsureDictionaryFile();
        QCOMPARE(QFileInfo(panel.dictionaryPath()).lastModified(), modified);
        QVERIFY(panel.fake.messageBoxes.shown.isEmpty());
    }

    // Start-up reports what keeps the file from being made, in the system's words, and
    // replaces nothing that stands in its place.
    void dictionaryFileFailureReported_data()
    {
        QTest::addColumn<QString>("obstacle");
        QTest::addColumn<QString>("reason");
        QTest::newRow("folder in the way") << "folder"
                                           << "It is a folder";
        QTest::newRow("missing data folder") << "missing"
                                             << "No such file or directory";
        QTest::newRow("named pipe") << "fifo"
                                    << "It is a named pipe";
        QTest::newRow("link to itself") << "loop"
                                        << "Too many levels of symbolic links";
        QTest::newRow("full disk") << "full"
                                   << "No space left on device";
    }
    void dictionaryFileFailureReported()
    {
        QFETCH(QString, obstacle);
        QFETCH(QString, reason);
        PanelFixture panel;
        FullFolder full;
        QString& folder = panel.fake.paths.windowsDirectory;
        const QString path = panel.dictionaryPath();
        if (obstacle == QLatin1String("folder"))
            QVERIFY(QDir(folder).mkdir(QStringLiteral("winup.ico")));
        else if (obstacle == QLatin1String("missing"))
            folder += QStringLiteral("/missing");
        else if (obstacle == QLatin1String("fifo"))
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else if (obstacle == QLatin1String("loop"))
            QVERIFY(QFile::link(path, path));
        else if (!full.usable())
            QSKIP("mounting a small file system needs root");
        else
            folder = full.path();
        if (full.usable())
            full.fill();
        const auto entries = [&folder] {
            return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                          QDir::NoDotAndDotDot);
        };
        const QStringList before = entries();
        panel.handlers.EnsureDictionaryFile();
        QCOMPARE(panel.fake.messageBoxes.shown.size(), 1);
        const QString text = panel.fake.messageBoxes.shown[0].text;
        QVERIFY2(text.contains(folder + QStringLiteral("/winup.ico")), qPrintable(text));
        QVERIFY2(text.contains(reason), qPrintable(text));
        QCOMPARE(entries(), before);
        QVERIFY(!QFileInfo(folder + QStringLiteral("/winup.ico")).isFile());
    }

    void unknownDataFolderWritesNothing()
    {
        PanelFixture panel;
        panel.fake.paths.windowsDirectory.clear();
        panel.handlers.EnsureDictionaryFile();
        QCOMPARE(panel.fake.messageBoxes.shown.size(), 1);
        QVERIFY(panel.fake.messageBoxes.shown[0].text.contains(QStringLiteral("winup.ico")));
    }

    void emptyMessageAsksForText()
    {
        PanelFixture panel;
        panel.handlers.EnsureDictionaryFile();
        panel.translate.click();
        QCOMPARE(panel.fake.messageBoxes.texts(), QStringList{"Enter some text ."});
        QCOMPARE(panel.fake.messageBoxes.shown[0].icon, MsgIcon::Information);
        QCOMPARE(panel.backup.text(), QStringLiteral("Text1"));
        QVERIFY(!panel.undo.isEnabled());
        QVERIFY(panel.fake.sound.plays.isEmpty());
    }

    void translateAndUndo()
    {
        PanelFixture panel;
        panel.handlers.EnsureDictionaryFile();
        panel.message.setPlainText(QStringLiteral("please help"));
        panel.translate.click();
        QCOMPARE(panel.text(), QStringLiteral("mercy"));
        QCOMPARE(panel.afterTran.text(), QStringLiteral("mercy"));
        QCOMPARE(panel.backup.text(), QStringLiteral("please help"));
        QCOMPARE(panel.status.text(), QStringLiteral("Translate completed !"));
        QVERIFY(panel.undo.isEnabled());
        QCOMPARE(panel.fake.sound.plays.size(), 1);

        panel.undo.click();
        QCOMPARE(panel.text(), QStringLiteral("please help"));
        QVERIFY(!panel.undo.isEnabled());
        QVERIFY(panel.translate.isEnabled());
        QCOMPARE(panel.fake.sound.plays.size(), 1);
    }

    void oneLevelOfUndo()
    {
        PanelFixture panel;
        panel.handlers.EnsureDictionaryFile();
        panel.message.setPlainText(QStringLiteral("head"));
        panel.translate.click();
        QCOMPARE(panel.text(), QStringLiteral("tink"));
        panel.message.setPlainText(QStringLiteral("tink assist"));
        panel.translate.click();
        QCOMPARE(panel.text(), QStringLiteral("tink mercy"));
        panel.undo.click();
        QCOMPARE(panel.text(), QStringLiteral("tink assist"));
    }

    void spacesOnlyComeBackOnUndo()
    {
        PanelFixture panel;
        panel.handlers.EnsureDictionaryFile();
        panel.message.setPlainText(QStringLiteral("   "));
        panel.translate.click();
        QCOMPARE(panel.text(), QString());
        panel.undo.click();
        QCOMPARE(panel.text(), QStringLiteral("   "));
    }

    void longMessageKeptWhole()
    {
        PanelFixture panel;
        panel.handlers.EnsureDictionaryFile();
        const QString message = QStringLiteral("are ").repeated(40000) + u"\u00A0end"_qs;
        panel.message.setPlainText(message);
        panel.translate.click();
        QVERIFY(panel.fake.messageBoxes.shown.isEmpty());
        QCOMPARE(panel.text(), QStringLiteral("be ").repeated(40000) + u"\u00A0end"_qs);
        QCOMPARE(panel.backup.text(), message);
        panel.undo.click();
        QCOMPARE(panel.text(), message);
    }

    // A translation that fails is reported and changes nothing: not the message, not the
    // holders, not the status line, not what Undo brings back.
    void failureChangesNothing_data()
    {
        QTest::addColumn<QByteArray>("dictionary");
        QTest::addColumn<QString>("reason");
        QByteArray built = translator::dictionaryFileContent();
        QByteArray short655 = built.left(built.lastIndexOf("yup\t"));
        QTest::newRow("655 records") << short655 << "ends before record 656";
        QTest::newRow("no tab") << QByteArray("a\tb\r\nc\td\r\nno tab here\r\n") + built
                                << "Record 3 of the dictionary file";
        QTest::newRow("empty record")
            << QByteArray("a\tb\r\n\r\n") + built << "Record 2 of the dictionary file";
        QTest::newRow("missing file") << QByteArray() << "No such file or directory";
        // Read, these would hold the window for good or fill memory until the program dies.
        QTest::newRow("named pipe") << QByteArray("fifo") << "It is a named pipe";
        QTest::newRow("link to an endless device") << QByteArray("link") << "It is a device";
        QTest::newRow("link to itself")
            << QByteArray("loop") << "Too many levels of symbolic links";
        QTest::newRow("too large") << QByteArray("large") << "larger than 64 MB";
    }
    void failureChangesNothing()
    {
        QFETCH(QByteArray, dictionary);
        QFETCH(QString, reason);
        PanelFixture panel;
        panel.handlers.EnsureDictionaryFile();
        panel.message.setPlainText(QStringLiteral("are"));
        panel.translate.click(); // a good translation first: Undo must still bring "are"
        QFile::remove(panel.dictionaryPath());
        const QByteArray path = QFile::encodeName(panel.dictionaryPath());
        if (dictionary == "fifo")
            QCOMPARE(::mkfifo(path.constData(), 0600), 0);
        else if (dictionary == "link")
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), panel.dictionaryPath()));
        else if (dictionary == "loop")
            QVERIFY(QFile::link(panel.dictionaryPath(), panel.dictionaryPath()));
        else if (dictionary == "large")
            QVERIFY(PanelFixture::makeSparseFile(panel.dictionaryPath(), qint64(65) << 20));
        else if (!dictionary.isEmpty())
            PanelFixture::write(panel.dictionaryPath(), dictionary);
        panel.message.setPlainText(QStringLiteral("about"));
        panel.status.setText(QStringLiteral("/some/file.txt"));
        const int plays = int(panel.fake.sound.plays.size());

        panel.translate.click();
        QCOMPARE(panel.fake.messageBoxes.shown.size(), 1);
        const platform::MessageRequest box = panel.fake.messageBoxes.shown[0];
        QCOMPARE(box.icon, MsgIcon::Critical);
        QVERIFY2(box.text.contains(reason), qPrintable(box.text));
        QVERIFY(box.text.contains(panel.dictionaryPath()));
        QCOMPARE(panel.text(), QStringLiteral("about"));
        QCOMPARE(panel.afterTran.text(), QStringLiteral("be"));
        QCOMPARE(panel.status.text(), QStringLiteral("/some/file.txt"));
        QCOMPARE(panel.fake.sound.plays.size(), plays);
        QVERIFY(panel.undo.isEnabled());
        panel.undo.click();
        QCOMPARE(panel.text(), QStringLiteral("are"));
    }

    void firstFailureLeavesUndoOff()
    {
        PanelFixture panel; // no dictionary file
        panel.message.setPlainText(QStringLiteral("are"));
        panel.translate.click();
        QCOMPARE(panel.text(), QStringLiteral("are"));
        QCOMPARE(panel.backup.text(), QStringLiteral("Text1"));
        QCOMPARE(panel.afterTran.text(), QStringLiteral("Text1"));
        QVERIFY(!panel.undo.isEnabled());
    }

    void editedDictionaryInForce()
    {
        PanelFixture panel;
        QByteArray edited = translator::dictionaryFileContent();
        edited.replace("hello\tyo", "hello\thowdy");
        PanelFixture::write(panel.dictionaryPath(), edited);
        panel.handlers.EnsureDictionaryFile();
        panel.message.setPlainText(QStringLiteral("Hello"));
        panel.translate.click();
        QCOMPARE(panel.text(), QStringLiteral("howdy"));
    }

    void openAndClearKeepUndo()
    {
        PanelFixture panel;
        panel.handlers.EnsureDictionaryFile();
        panel.message.setPlainText(QStringLiteral("are"));
        panel.translate.click();
        PanelFixture::write(panel.file("a.txt"), "from a file");
        panel.fake.fileDialogs.answer(panel.file("a.txt"));
        panel.open.click();
        QCOMPARE(panel.text(), QStringLiteral("from a file"));
        panel.clear.click();
        QCOMPARE(panel.text(), QString());
        QVERIFY(panel.undo.isEnabled());
        panel.undo.click();
        QCOMPARE(panel.text(), QStringLiteral("are"));
    }
};

QTEST_MAIN(TestTranslateHandlers)
#include "tst_translatehandlers.moc"
