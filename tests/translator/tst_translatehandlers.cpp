// "Translate now" and "Undo Translate" on the panel, and the dictionary file at start-up.

#include "tests/translator/PanelFixture.h"
#include "translator/Dictionary.h"
#include "translator/EbonicText.h"
#include "translator/Translator.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QMimeData>
#include <QTest>
#include <QTextBlock>
#include <QThread>
#include <optional>
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
        QTest::newRow("data folder refusing new files") << "refusing"
                                                        << "does not allow new files";
    }
    void dictionaryFileFailureReported()
    {
        QFETCH(QString, obstacle);
        QFETCH(QString, reason);
        PanelFixture panel;
        FullFolder full;
        std::optional<RefusingFolder> refusing;
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
        else if (obstacle == QLatin1String("refusing"))
            refusing.emplace(folder);
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

    // Said once at start-up; every translation then uses the built-in dictionary.
    void unknownDataFolderTranslatesWithTheBuiltInDictionary()
    {
        PanelFixture panel;
        panel.fake.paths.windowsDirectory.clear();
        panel.handlers.EnsureDictionaryFile();
        QCOMPARE(panel.fake.messageBoxes.shown.size(), 1);
        QVERIFY(panel.fake.messageBoxes.shown[0].text.contains(
            QStringLiteral("no data folder (HOME is not set)")));
        panel.message.setPlainText(QStringLiteral("are"));
        panel.translate.click();
        QCOMPARE(panel.text(), QStringLiteral("be"));
        QCOMPARE(panel.fake.messageBoxes.shown.size(), 1);
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

    // The box shows a long message in blocks of bounded length; what it translates, shows
    // and brings back is the message itself.
    void longMessageKeptWhole_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("translation");
        QTest::newRow("paragraph") << QStringLiteral("are ").repeated(40000) + u"\u00A0end"_qs
                                   << QStringLiteral("be ").repeated(40000) + u"\u00A0end"_qs;
        // Cut inside: no cut may split a surrogate pair or a letter from its accent.
        const QString word = u"x\U0001F600e\u0301"_qs.repeated(3000);
        const auto translated = [](const QString& message) {
            return translator::Translator(
                       translator::readDictionaryRecords(translator::ebonicText()).records)
                .translate(message);
        };
        QTest::newRow("one word") << word << word;
        const QString lines = QStringLiteral("x are \n").repeated(5000) + word + "\n" +
                              QStringLiteral("are ").repeated(5000);
        QTest::newRow("lines and long lines") << lines << translated(lines);
    }
    void longMessageKeptWhole()
    {
        QFETCH(QString, message);
        QFETCH(QString, translation);
        PanelFixture panel;
        panel.handlers.EnsureDictionaryFile();
        panel.message.setPlainText(message);
        panel.translate.click();
        QVERIFY(panel.fake.messageBoxes.shown.isEmpty());
        QCOMPARE(panel.text(), translation);
        QCOMPARE(panel.backup.text(), message);
        panel.undo.click();
        QCOMPARE(panel.text(), message);
        const QString shown = panel.message.document()->toRawText();
        for (const int cut : translator::MessageDisplay::of(&panel.message)->cuts()) {
            QVERIFY(!shown.at(cut - 1).isHighSurrogate());
            QVERIFY(!shown.at(cut + 1).isLowSurrogate() && !shown.at(cut + 1).isMark());
        }
        // A short message afterwards has the box's face and its own undo again.
        panel.message.setFont(QFont(QStringLiteral("Serif"), 17));
        panel.message.setPlainText(QStringLiteral("are"));
        panel.translate.click();
        QCOMPARE(panel.message.document()->defaultFont(), panel.message.font());
        QTest::keyClicks(&panel.message, QStringLiteral("x"));
        QTest::keySequence(&panel.message, QKeySequence::Undo);
        QCOMPARE(panel.text(), QStringLiteral("be"));
    }

    // Keys and copies beside the cut of a long word act on the message's characters, and
    // never add or lose a line end.
    void editsBesideACut_data()
    {
        QTest::addColumn<int>("anchor");
        QTest::addColumn<int>("position");
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("copied");
        // The word is cut after its 4096th letter, x; the box's next block starts with y.
        const QString a(4095, u'a'), b(903, u'b');
        const int cut = 4096;
        QTest::newRow("backspace after")
            << cut + 1 << cut + 1 << QKeySequence("Backspace") << a + "y" + b << QString();
        QTest::newRow("delete before")
            << cut << cut << QKeySequence("Del") << a + "x" + b << QString();
        QTest::newRow("enter before")
            << cut << cut << QKeySequence("Return") << a + "x\ny" + b << QString();
        QTest::newRow("enter after")
            << cut + 1 << cut + 1 << QKeySequence("Return") << a + "x\ny" + b << QString();
        QTest::newRow("typed at both sides")
            << cut << cut << QKeySequence("Z, Right, Z") << a + "xzzy" + b << QString();
        QTest::newRow("selection deleted, undo")
            << cut - 1 << cut + 2 << QKeySequence("Del, Ctrl+Z") << a + b << QString();
        QTest::newRow("line end where a cut was deleted")
            << cut - 1 << cut + 2 << QKeySequence("Del, Return") << a + "\n" + b << QString();
        QTest::newRow("copied") << cut - 1 << cut + 2 << QKeySequence("Ctrl+C") << a + "xy" + b
                                << QStringLiteral("xy");
    }
    void editsBesideACut()
    {
        QFETCH(int, anchor);
        QFETCH(int, position);
        QFETCH(QKeySequence, keys);
        QFETCH(QString, expected);
        QFETCH(QString, copied);
        PanelFixture panel;
        panel.handlers.EnsureDictionaryFile();
        panel.message.setPlainText(QString(4095, u'a') + "xy" + QString(903, u'b'));
        panel.translate.click(); // shows the unknown word as it was, cut into blocks
        QCOMPARE(translator::MessageDisplay::of(&panel.message)->cuts(), QList<int>{4096});
        QApplication::clipboard()->clear();
        QTextCursor cursor = panel.message.textCursor();
        cursor.setPosition(anchor);
        cursor.setPosition(position, QTextCursor::KeepAnchor);
        panel.message.setTextCursor(cursor);
        QTest::keySequence(&panel.message, keys);
        QCOMPARE(panel.text(), expected);
        QCOMPARE(QApplication::clipboard()->text(), copied);
    }

    // Text entering the box by any way goes into blocks of bounded length, whatever the
    // blocks it goes into hold; the message read back, copied and kept by Ctrl+Z is exact.
    void textEnteredKeptBounded_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<int>("anchor");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("way");
        QTest::addColumn<QString>("entered");
        const QString word(100000, u'w'), cutWord(5000, u's');
        const QString fullBlocks = QStringLiteral("are ").repeated(5000); // the first holds 16384
        QTest::newRow("word pasted into a word") << "ab" << 1 << 1 << "paste" << word;
        QTest::newRow("paragraph pasted across a cut")
            << cutWord << 4000 << 4200 << "paste" << QStringLiteral("are ").repeated(10000);
        QTest::newRow("lines pasted into a cut word")
            << cutWord << 4500 << 4500 << "paste" << QStringLiteral("x are\r\n").repeated(5000);
        QTest::newRow("word dropped") << "ab" << 1 << 1 << "drop" << word;
        QTest::newRow("typed into a full block")
            << fullBlocks << 100 << 100 << "keys" << QStringLiteral("z ").repeated(50);
        QTest::newRow("typed into a word just short")
            << QString(4096, u'w') + " end" << 10 << 10 << "keys" << QStringLiteral("www");
        QTest::newRow("Add Text face into a full block")
            << fullBlocks << 100 << 100 << "face" << QStringLiteral(";-)");
    }
    void textEnteredKeptBounded()
    {
        QFETCH(QString, start);
        QFETCH(int, anchor);
        QFETCH(int, position);
        QFETCH(QString, way);
        QFETCH(QString, entered);
        PanelFixture panel;
        auto* display = translator::MessageDisplay::of(&panel.message);
        display->setMessage(start);
        const QString expected = display->message(0, anchor) +
                                 QString(entered).replace(QStringLiteral("\r\n"), u"\n"_qs) +
                                 display->message(position, -1);
        QTextCursor cursor = panel.message.textCursor();
        cursor.setPosition(anchor);
        cursor.setPosition(position, QTextCursor::KeepAnchor);
        panel.message.setTextCursor(cursor);
        if (way == "paste") {
            QApplication::clipboard()->setText(entered);
            QTest::keySequence(&panel.message, QKeySequence::Paste);
        } else if (way == "drop") {
            panel.message.show();
            QVERIFY(QTest::qWaitForWindowExposed(&panel.message));
            QMimeData data;
            data.setText(entered);
            const QPoint at = panel.message.cursorRect().center();
            QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(panel.message.viewport(), &enter);
            QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(panel.message.viewport(), &drop);
        } else if (way == "keys") {
            QTest::keyClicks(&panel.message, entered);
        } else {
            panel.message.insertPlainText(entered); // as "Add Text face" does
        }
        QCoreApplication::processEvents(); // an edit's blocks are cut once it is over
        QCOMPARE(panel.text(), expected);
        for (QTextBlock block = panel.message.document()->begin(); block.isValid();
             block = block.next()) {
            const QString text = block.text();
            QVERIFY2(text.size() <= translator::kLongestBlock,
                     qPrintable(QString::number(text.size())));
            qsizetype run = 0;
            for (const QChar c : text) {
                run = c.isSpace() ? 0 : run + 1;
                QVERIFY(run <= translator::kLongestWord);
            }
        }
        QTest::keySequence(&panel.message, QKeySequence::SelectAll);
        QTest::keySequence(&panel.message, QKeySequence::Copy);
        QCOMPARE(QApplication::clipboard()->text(), expected);
        // The box's own undo is off once it holds cuts.
        QTest::keySequence(&panel.message, QKeySequence::Undo);
        QCOMPARE(panel.text(), expected);
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
        QTest::newRow("missing file") << QByteArray() << "does not exist";
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
