// Open, Save, Save as and Clear on the panel: which file gets written, with which bytes,
// and that a file error is reported without losing anything.

#include "tests/translator/PanelFixture.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>
#include <optional>
#include <sys/stat.h>
#include <sys/sysmacros.h>

using platform::MsgAnswer;

class TestMessageFiles : public QObject
{
    Q_OBJECT
private slots:
    void saveWithoutOpenRunsSaveAs()
    {
        PanelFixture panel;
        panel.message.setPlainText(QStringLiteral("line one\nline two"));
        panel.fake.fileDialogs.answer(panel.file("note"));
        panel.save.click();
        QCOMPARE(PanelFixture::read(panel.file("note.txt")), QByteArray("line one\nline two\n"));
        QCOMPARE(panel.fake.fileDialogs.saveRequests.size(), 1);
        QCOMPARE(panel.fake.fileDialogs.saveRequests[0].filter,
                 QStringLiteral("Text File (*.txt)|*.txt"));
        QCOMPARE(panel.handlers.CurrentFile, QString());
        panel.fake.fileDialogs.cancel();
        panel.save.click(); // not remembered: asks again
        QCOMPARE(panel.fake.fileDialogs.saveRequests.size(), 2);
    }

    void saveGoesToTheOpenedFile()
    {
        PanelFixture panel;
        PanelFixture::write(panel.file("a.txt"), "old text");
        panel.fake.fileDialogs.answer(panel.file("a.txt"));
        panel.open.click();
        QCOMPARE(panel.fake.fileDialogs.openRequests[0].filter,
                 QStringLiteral("Text file (*.txt)|*.txt"));
        QCOMPARE(panel.handlers.CurrentFile, panel.file("a.txt"));
        QCOMPARE(panel.status.text(), panel.file("a.txt"));
        panel.fake.fileDialogs.answer(panel.file("b.txt"));
        panel.saveAs.click();
        QCOMPARE(PanelFixture::read(panel.file("b.txt")), QByteArray("old text\n"));
        panel.clear.click();
        panel.message.setPlainText(QStringLiteral("new text"));
        panel.save.click();
        QCOMPARE(PanelFixture::read(panel.file("a.txt")), QByteArray("new text"));
        QCOMPARE(panel.handlers.CurrentFile, panel.file("a.txt"));
        QCOMPARE(panel.status.text(), panel.file("a.txt"));
    }

    void saveAsReplacesTheChosenFileWithoutAsking()
    {
        PanelFixture panel;
        PanelFixture::write(panel.file("b.txt"), "something else entirely");
        panel.message.setPlainText(QStringLiteral("mine"));
        panel.fake.fileDialogs.answer(panel.file("b.txt"));
        panel.saveAs.click();
        QVERIFY(panel.fake.messageBoxes.shown.isEmpty());
        QCOMPARE(PanelFixture::read(panel.file("b.txt")), QByteArray("mine\n"));
    }

    void renamedTargetAsksFirst_data()
    {
        QTest::addColumn<MsgAnswer>("answer");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("no") << MsgAnswer::No << QByteArray("keep me");
        QTest::newRow("yes") << MsgAnswer::Yes << QByteArray("mine\n");
    }
    void renamedTargetAsksFirst()
    {
        QFETCH(MsgAnswer, answer);
        QFETCH(QByteArray, expected);
        PanelFixture panel;
        PanelFixture::write(panel.file("notes.txt"), "keep me");
        panel.message.setPlainText(QStringLiteral("mine"));
        panel.fake.fileDialogs.answer(panel.file("notes.doc"));
        panel.fake.messageBoxes.answers.enqueue(answer);
        panel.saveAs.click();
        QCOMPARE(panel.fake.messageBoxes.shown.size(), 1);
        QCOMPARE(panel.fake.messageBoxes.shown[0].buttons, platform::MsgButtons::YesNo);
        QCOMPARE(panel.fake.messageBoxes.shown[0].defaultButton, platform::MsgDefault::Button2);
        QVERIFY(panel.fake.messageBoxes.shown[0].text.contains(panel.file("notes.txt")));
        QCOMPARE(PanelFixture::read(panel.file("notes.txt")), expected);
        QVERIFY(!QFileInfo::exists(panel.file("notes.doc")));
    }

    void dottedFolder()
    {
        PanelFixture panel;
        QVERIFY(QDir(panel.filesDir.path()).mkdir(QStringLiteral("my.docs")));
        panel.message.setPlainText(QStringLiteral("hi"));
        panel.fake.fileDialogs.answer(panel.file("my.docs/letter"));
        panel.saveAs.click();
        QCOMPARE(PanelFixture::read(panel.file("my.docs/letter.txt")), QByteArray("hi\n"));
    }

    void openMissingNameChangesNothing()
    {
        PanelFixture panel;
        panel.message.setPlainText(QStringLiteral("unsaved words"));
        panel.fake.fileDialogs.answer(panel.file("nothere.txt"));
        panel.open.click();
        QCOMPARE(panel.fake.messageBoxes.shown.size(), 1);
        QVERIFY(panel.fake.messageBoxes.shown[0].text.contains(panel.file("nothere.txt")));
        QVERIFY(!QFileInfo::exists(panel.file("nothere.txt")));
        QCOMPARE(panel.text(), QStringLiteral("unsaved words"));
        QCOMPARE(panel.handlers.CurrentFile, QString());
        QCOMPARE(panel.status.text(), QString());
    }

    void cancelChangesNothing()
    {
        PanelFixture panel;
        panel.message.setPlainText(QStringLiteral("words"));
        panel.open.click(); // the fake cancels when no answer is queued
        panel.saveAs.click();
        QCOMPARE(panel.text(), QStringLiteral("words"));
        QCOMPARE(panel.handlers.CurrentFile, QString());
        QCOMPARE(QDir(panel.filesDir.path()).entryList(QDir::Files), QStringList());
    }

    void openEmptyFile()
    {
        PanelFixture panel;
        PanelFixture::write(panel.file("empty.txt"), "");
        panel.message.setPlainText(QStringLiteral("words"));
        panel.fake.fileDialogs.answer(panel.file("empty.txt"));
        panel.open.click();
        QCOMPARE(panel.text(), QString());
        QCOMPARE(panel.handlers.CurrentFile, panel.file("empty.txt"));
    }

    // Opening and saving an unedited file gives back its bytes; Save as adds one line end
    // of the file's own style.
    void encodingsRoundTrip_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QByteArray>("lineEnd");
        QTest::newRow("windows-1252, crlf") << QByteArray("caf\xE9 \x80\r\nna\xEFve\r\n")
                                            << u"café €\nnaïve\n"_qs << QByteArray("\r\n");
        QTest::newRow("utf-8, lf, no-break space") << QByteArray("a\xC2\xA0"
                                                                 "b\nc")
                                                   << u"a\u00A0b\nc"_qs << QByteArray("\n");
        QTest::newRow("utf-8 with bom, crlf")
            << QByteArray("\xEF\xBB\xBFx\r\ny") << "x\ny" << QByteArray("\r\n");
        QTest::newRow("cr") << QByteArray("x\ry\r") << "x\ny\n" << QByteArray("\r");
        QTest::newRow("mixed line ends")
            << QByteArray("first\r\nsecond\nthird\r\n") << "first\nsecond\nthird\n"
            << QByteArray("\r\n");
        QTest::newRow("lone cr among lf") << QByteArray("a\rb\nc\n") << "a\nb\nc\n"
                                          << QByteArray("\n");
        QTest::newRow("line and paragraph separators") << QByteArray("a\xE2\x80\xA8"
                                                                     "b\xE2\x80\xA9"
                                                                     "c\n")
                                                       << "a\nb\nc\n"
                                                       << QByteArray("\n");
        // The box groups the lines of a long message and cuts a long line into blocks.
        const QByteArray longText = QByteArray("line\n").repeated(5000) +
                                    QByteArray("w").repeated(5000) + "\n" +
                                    QByteArray("some words ").repeated(2000);
        QTest::newRow("utf-8, lf, long")
            << longText << QString::fromLatin1(longText) << QByteArray("\n");
    }
    void encodingsRoundTrip()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, shown);
        QFETCH(QByteArray, lineEnd);
        PanelFixture panel;
        PanelFixture::write(panel.file("in.txt"), bytes);
        panel.fake.fileDialogs.answer(panel.file("in.txt"));
        panel.open.click();
        QCOMPARE(panel.text(), shown);
        PanelFixture::write(panel.file("in.txt"), "overwritten meanwhile");
        panel.save.click();
        QCOMPARE(PanelFixture::read(panel.file("in.txt")), bytes);
        panel.fake.fileDialogs.answer(panel.file("copy.txt"));
        panel.saveAs.click();
        QCOMPARE(PanelFixture::read(panel.file("copy.txt")), bytes + lineEnd);
    }

    // An edited file is written with the line end it used most.
    void editedFileTakesCommonestLineEnd()
    {
        PanelFixture panel;
        PanelFixture::write(panel.file("mixed.txt"), "a\nb\r\nc\r\n");
        panel.fake.fileDialogs.answer(panel.file("mixed.txt"));
        panel.open.click();
        panel.message.setPlainText(QStringLiteral("a\nb\nc\nd"));
        panel.save.click();
        QCOMPARE(PanelFixture::read(panel.file("mixed.txt")), QByteArray("a\r\nb\r\nc\r\nd"));
    }

    void unencodableTextSavedAsUtf8()
    {
        PanelFixture panel;
        PanelFixture::write(panel.file("old.txt"), "caf\xE9\r\n");
        panel.fake.fileDialogs.answer(panel.file("old.txt"));
        panel.open.click();
        panel.message.setPlainText(u"café \u0101\n"_qs);
        panel.save.click();
        QCOMPARE(PanelFixture::read(panel.file("old.txt")), QByteArray("caf\xC3\xA9 \xC4\x81\r\n"));
    }

    // A file error is reported with the file's name and the reason, and changes nothing:
    // not the message, not what stands at the chosen name.
    void fileErrorsReported_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("named");
        QTest::addColumn<QString>("obstacle");
        QTest::addColumn<QString>("reason");
        auto row = [](const char* name, const char* button, const char* chosen, const char* named,
                      const char* obstacle, const char* reason) {
            QTest::newRow(name) << button << chosen << named << obstacle << reason;
        };
        row("open a folder", "open", "folder.txt", "folder.txt", "", "It is a folder");
        row("save as into a missing folder", "saveAs", "missing/x", "missing/x.txt", "",
            "No such file or directory");
        row("save as onto a folder", "saveAs", "folder.txt", "folder.txt", "", "It is a folder");
        row("save into a vanished folder", "save", "sub/a.txt", "sub/a.txt", "",
            "No such file or directory");
        row("open a named pipe", "open", "pipe.txt", "pipe.txt", "fifo", "It is a named pipe");
        row("open a link to an endless device", "open", "zero.txt", "zero.txt", "zero",
            "It is a device");
        row("open a file too large", "open", "huge.txt", "huge.txt", "large", "larger than 64 MB");
        row("save as onto a named pipe", "saveAs", "pipe.txt", "pipe.txt", "fifo",
            "It is a named pipe");
        row("save as onto a device node", "saveAs", "node.txt", "node.txt", "device",
            "It is a device");
        row("save as onto a full disk", "saveAs", "full/old.txt", "full/old.txt", "full",
            "No space left on device");
        // Written in place, the file must find no room before a byte of it is overwritten.
        row("save as onto a hard-linked file on a full disk", "saveAs", "full/old.txt",
            "full/old.txt", "full linked", "No space left on device; the file was left as it was");
        row("save as into a folder refusing new files", "saveAs", "locked/new", "locked/new.txt",
            "refusing", "The folder %1/locked does not allow new files");
        row("save as onto a read-only file in a folder refusing new files", "saveAs",
            "locked/old.txt", "locked/old.txt", "refusing read-only", "Permission denied");
    }
    void fileErrorsReported()
    {
        QFETCH(QString, button);
        QFETCH(QString, chosen);
        QFETCH(QString, named);
        QFETCH(QString, obstacle);
        QFETCH(QString, reason);
        PanelFixture panel;
        FullFolder full;
        std::optional<RefusingFolder> refusing;
        if (reason.contains(QLatin1String("%1")))
            reason = reason.arg(panel.filesDir.path());
        QDir files(panel.filesDir.path());
        QVERIFY(files.mkdir(QStringLiteral("folder.txt")));
        const QString target = panel.file(chosen);
        const QByteArray targetName = QFile::encodeName(target);
        if (obstacle == QLatin1String("fifo")) {
            QCOMPARE(::mkfifo(targetName.constData(), 0600), 0);
        } else if (obstacle == QLatin1String("zero")) {
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), target));
        } else if (obstacle == QLatin1String("large")) {
            QVERIFY(PanelFixture::makeSparseFile(target, qint64(65) << 20));
        } else if (obstacle == QLatin1String("device")) {
            // The null device's numbers: harmless even if it were written.
            if (::mknod(targetName.constData(), S_IFCHR | 0600, makedev(1, 3)) != 0)
                QSKIP("making a device node needs root");
        } else if (obstacle.startsWith(QLatin1String("full"))) {
            if (!full.usable())
                QSKIP("mounting a small file system needs root");
            QVERIFY(QFile::link(full.path(), panel.file("full")));
            PanelFixture::write(target, "old words");
            const QByteArray otherName =
                QFile::encodeName(full.filePath(QStringLiteral("other.txt")));
            if (obstacle.endsWith(QLatin1String("linked")))
                QCOMPARE(::link(targetName.constData(), otherName.constData()), 0);
            full.fill();
        } else if (obstacle.startsWith(QLatin1String("refusing"))) {
            QVERIFY(files.mkdir(QStringLiteral("locked")));
            if (obstacle.endsWith(QLatin1String("read-only"))) {
                PanelFixture::write(target, "old words");
                QVERIFY(QFile::setPermissions(target, QFileDevice::ReadOwner));
            }
            refusing.emplace(panel.file(QStringLiteral("locked")));
        }
        if (button == QLatin1String("save")) {
            QVERIFY(files.mkdir(QStringLiteral("sub")));
            PanelFixture::write(panel.file(chosen), "x");
            panel.fake.fileDialogs.answer(panel.file(chosen));
            panel.open.click();
            QVERIFY(QDir(panel.file("sub")).removeRecursively());
        }
        struct stat before = {};
        ::lstat(QFile::encodeName(panel.file(named)).constData(), &before);
        const bool oldFile = obstacle.startsWith(QLatin1String("full")) ||
                             obstacle.startsWith(QLatin1String("refusing"));
        const QByteArray oldContent = oldFile ? PanelFixture::read(target) : QByteArray();

        // More than the page the old file has, so that it needs more room than it has.
        const QString message = obstacle == QLatin1String("full linked")
                                    ? QStringLiteral("precious words ").repeated(400)
                                    : QStringLiteral("precious words");
        panel.message.setPlainText(message);
        panel.fake.fileDialogs.answer(panel.file(chosen));
        if (button == QLatin1String("open"))
            panel.open.click();
        else if (button == QLatin1String("saveAs"))
            panel.saveAs.click();
        else
            panel.save.click();
        QCOMPARE(panel.fake.messageBoxes.shown.size(), 1);
        const QString text = panel.fake.messageBoxes.shown[0].text;
        QVERIFY2(text.contains(panel.file(named)), qPrintable(text));
        QVERIFY2(text.section(u'\n', 1).contains(reason), qPrintable(text));
        QCOMPARE(panel.text(), message);

        struct stat after = {};
        ::lstat(QFile::encodeName(panel.file(named)).constData(), &after);
        QCOMPARE(after.st_mode, before.st_mode);
        QCOMPARE(after.st_rdev, before.st_rdev);
        QCOMPARE(after.st_ino, before.st_ino);
        if (oldFile)
            QCOMPARE(PanelFixture::read(target), oldContent);
        if (obstacle == QLatin1String("full linked"))
            QCOMPARE(PanelFixture::read(full.filePath(QStringLiteral("other.txt"))), oldContent);
    }

    // Saving writes the file the name leads to and every other name of it shows the new
    // text, whatever the name's length and whether or not its folder takes new files; the
    // folder keeps the names it had, and a new file gets what the umask leaves.
    void saveReachesEveryName_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("other"); ///< another name of the same file
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("umask");
        QTest::addColumn<int>("mode"); ///< of the file after saving
        const QString longName = QString(248, u'n') + QStringLiteral(".txt");
        auto row = [](const char* name, const char* button, const QString& file, const char* other,
                      const char* kind, int umask, int mode) {
            QTest::newRow(name) << button << file << other << kind << umask << mode;
        };
        row("through a link", "saveAs", "link.txt", "real.txt", "symlink", 022, 0640);
        row("hard link", "save", "a.txt", "b.txt", "hard", 022, 0640);
        row("hard link, save as", "saveAs", "a.txt", "b.txt", "hard", 022, 0640);
        row("252-byte name", "save", longName, "", "", 022, 0640);
        row("new 252-byte name", "saveAs", longName, "", "new", 022, 0644);
        row("folder refusing new files", "save", "locked/a.txt", "", "refusing", 022, 0640);
        row("folder refusing new files, save as", "saveAs", "locked/a.txt", "", "refusing", 022,
            0640);
        row("umask 077, new file", "saveAs", "new.txt", "", "new", 077, 0600);
        row("umask 077, old file keeps its mode", "save", "a.txt", "", "", 077, 0640);
    }
    void saveReachesEveryName()
    {
        QFETCH(QString, button);
        QFETCH(QString, name);
        QFETCH(QString, other);
        QFETCH(QString, kind);
        QFETCH(int, umask);
        QFETCH(int, mode);
        PanelFixture panel;
        const Umask mask(mode_t(umask & 0777));
        const QString path = panel.file(name);
        const QString folder = QFileInfo(path).path();
        QVERIFY(QDir().mkpath(folder));
        const bool linked = kind == QLatin1String("symlink");
        if (kind != QLatin1String("new")) {
            PanelFixture::write(linked ? panel.file(other) : path, "old words");
            QVERIFY(QFile::setPermissions(linked ? panel.file(other) : path,
                                          QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ReadGroup));
        }
        if (linked)
            QVERIFY(QFile::link(panel.file(other), path));
        else if (kind == QLatin1String("hard"))
            QCOMPARE(::link(QFile::encodeName(path).constData(),
                            QFile::encodeName(panel.file(other)).constData()),
                     0);
        if (button == QLatin1String("save")) {
            panel.fake.fileDialogs.answer(path);
            panel.open.click();
            QCOMPARE(panel.text(), QStringLiteral("old words"));
        }
        const auto entries = [&folder] {
            return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                          QDir::NoDotAndDotDot);
        };
        QStringList expectedEntries = entries();
        if (kind == QLatin1String("new"))
            expectedEntries = QStringList(expectedEntries) << QFileInfo(path).fileName();
        expectedEntries.sort();
        struct stat before = {};
        ::stat(QFile::encodeName(path).constData(), &before);
        std::optional<RefusingFolder> refusing;
        if (kind == QLatin1String("refusing"))
            refusing.emplace(folder);

        panel.message.setPlainText(QStringLiteral("new words"));
        if (button == QLatin1String("save")) {
            panel.save.click();
        } else {
            panel.fake.fileDialogs.answer(path);
            panel.saveAs.click();
        }
        QStringList shown;
        for (const auto& box : panel.fake.messageBoxes.shown)
            shown << box.text;
        QVERIFY2(shown.isEmpty(), qPrintable(shown.join(u'\n')));
        const QByteArray expected = button == QLatin1String("save") ? "new words" : "new words\n";
        QCOMPARE(PanelFixture::read(path), expected);
        if (!other.isEmpty())
            QCOMPARE(PanelFixture::read(panel.file(other)), expected);
        QCOMPARE(QFileInfo(path).isSymLink(), linked);
        QCOMPARE(entries(), expectedEntries);
        struct stat after = {};
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &after), 0);
        QCOMPARE(int(after.st_mode & 0777), mode);
        if (kind == QLatin1String("hard") || kind == QLatin1String("refusing"))
            QCOMPARE(after.st_ino, before.st_ino);
    }
};

QTEST_MAIN(TestMessageFiles)
#include "tst_messagefiles.moc"
