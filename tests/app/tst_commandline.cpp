// The real program from a terminal without a display or a session bus: --help, --version,
// wrong usage, the three commands with their exit codes and messages, the user's
// dictionary file used or refused, line ends and encodings kept, failed reads and writes,
// and the window refused with a message.
// No command may create the data folder, the dictionary file or the settings file, but for
// the two that exist to change them: the summon key (shortcut) and the autostart entry.

#include "platform/Version.h"
#include "translator/DictionaryFile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {
constexpr char kProgram[] = GLYPHORA_PROGRAM;
const QByteArray kNoFile; // null: no dictionary file

QByteArray userDictionary()
{
    // The file the window writes, with one record changed.
    QByteArray content = translator::dictionaryFileContent();
    content.replace("\r\nyou\tya\r\n", "\r\nyou\tQ9\r\n");
    return content;
}

QStringList allFiles(const QString& folder)
{
    QStringList files;
    for (const QFileInfo& info :
         QDir(folder).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
        files += info.isDir() ? allFiles(info.filePath()) : QStringList{info.filePath()};
    return files;
}
} // namespace

class TestCommandLine : public QObject
{
    Q_OBJECT
private slots:
    void run_data()
    {
        QTest::addColumn<QStringList>("arguments"); // %1: a folder holding a.txt and w.txt
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("dictionary");
        QTest::addColumn<bool>("toFullDisk");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("output");       // exact, unless lines is 0 or more
        QTest::addColumn<int>("lines");               // lines of TEXT<TAB>CAPTION, or -1
        QTest::addColumn<QStringList>("errorParts");  // each in the error output
        QTest::addColumn<int>("errorLines");          // -1: any number
        QTest::addColumn<QStringList>("environment"); // NAME=value set, NAME removed
        QTest::addColumn<QStringList>("ownFiles");    // name=content, in the data folder

        const QByteArray version = QByteArray("Glyphora ") + platform::kVersion + '\n';
        const QByteArray none;
        const QByteArray missing = "does not exist";
        QTest::newRow("version") << QStringList{"--version"} << none << kNoFile << false << 0
                                 << version << -1 << QStringList() << 0 << QStringList()
                                 << QStringList();
        QTest::newRow("Qt's options and their values are passed over")
            << QStringList{"-session", "--version", "-reverse", "--version"} << none << kNoFile
            << false << 0 << version << -1 << QStringList() << 0 << QStringList() << QStringList();
        QTest::newRow("unknown option")
            << QStringList{"--frobnicate"} << none << kNoFile << false << 2 << QByteArray() << -1
            << QStringList{"glyphora: unknown option '--frobnicate'\nUsage: glyphora"} << -1
            << QStringList() << QStringList();
        QTest::newRow("unknown command")
            << QStringList{"frobnicate"} << none << kNoFile << false << 2 << QByteArray() << -1
            << QStringList{"glyphora: unknown command 'frobnicate'\nUsage: glyphora"} << -1
            << QStringList() << QStringList();
        QTest::newRow("a Qt option without its value")
            << QStringList{"-platform"} << none << kNoFile << false << 2 << QByteArray() << -1
            << QStringList{"glyphora: option '-platform' needs a value\nUsage: glyphora"} << -1
            << QStringList() << QStringList();
        QTest::newRow("a Qt option without its value, last")
            << QStringList{"-reverse", "--platform"} << none << kNoFile << false << 2
            << QByteArray() << -1
            << QStringList{"glyphora: option '--platform' needs a value\nUsage: glyphora"} << -1
            << QStringList() << QStringList();
        // The window without a display: a message and 1, not Qt's abort and a core.
        const QString noDisplay = "glyphora: cannot open a window: no display (";
        const QString commands = "these commands work: glyphora acronym, glyphora smiley, "
                                 "glyphora translate, glyphora shortcut, glyphora autostart; see "
                                 "glyphora --help.";
        QTest::newRow("the window without a display")
            << QStringList() << none << kNoFile << false << 1 << QByteArray() << -1
            << QStringList{noDisplay, commands} << 1 << QStringList() << QStringList();
        QTest::newRow("the window minimised, without a display")
            << QStringList{"--minimized"} << none << kNoFile << false << 1 << QByteArray() << -1
            << QStringList{noDisplay, commands} << 1 << QStringList() << QStringList();
        QTest::newRow("the window on an X display that is not there")
            << QStringList{"-platform", "xcb", "-display", ":4242"} << none << kNoFile << false << 1
            << QByteArray() << -1 << QStringList{noDisplay, ":4242)", commands} << 1
            << QStringList() << QStringList();
        QTest::newRow("the window on Wayland without a compositor")
            << QStringList{"-platform", "wayland"} << none << kNoFile << false << 1 << QByteArray()
            << -1 << QStringList{noDisplay, commands} << 1 << QStringList() << QStringList();
        QTest::newRow("the window on a window system Qt does not have")
            << QStringList{"-platform", "nonesuch"} << none << kNoFile << false << 1 << QByteArray()
            << -1 << QStringList{"glyphora: cannot open a window: ", "\"nonesuch\""} << 1
            << QStringList() << QStringList();
        QTest::newRow("every acronym")
            << QStringList{"acronym"} << none << kNoFile << false << 0 << QByteArray() << 114
            << QStringList() << 0 << QStringList() << QStringList();
        QTest::newRow("acronym") << QStringList{"acronym", "brb"} << none << kNoFile << false << 0
                                 << QByteArray("BRB - be right back\n") << -1 << QStringList() << 0
                                 << QStringList() << QStringList();
        QTest::newRow("acronyms in list order, any case")
            << QStringList{"acronym", "Lol", "afk"} << none << kNoFile << false << 0
            << QByteArray("LOL - laughing out loud\nAFK - away from keyboard\n"
                          "AFKB - away from keyboard\n")
            << -1 << QStringList() << 0 << QStringList() << QStringList();
        QTest::newRow("acronym found nothing, the others still printed")
            << QStringList{"acronym", "zzz", "brb"} << none << kNoFile << false << 1
            << QByteArray("BRB - be right back\n") << -1 << QStringList{"'zzz'"} << 1
            << QStringList() << QStringList();
        QTest::newRow("every emoticon")
            << QStringList{"smiley"} << none << kNoFile << false << 0 << QByteArray() << 205
            << QStringList() << 0 << QStringList() << QStringList();
        QTest::newRow("emoticon") << QStringList{"smiley", "angel"} << none << kNoFile << false << 0
                                  << QByteArray(
                                         "0 :-)\tAngel - User is an angel. At heart - at least.\n")
                                  << -1 << QStringList() << 0 << QStringList() << QStringList();
        QTest::newRow("translate standard input without a dictionary file")
            << QStringList{"translate"} << QByteArray("are you\n") << kNoFile << false << 0
            << QByteArray("be ya\n") << -1 << QStringList{missing, "built-in"} << 1 << QStringList()
            << QStringList();
        QTest::newRow("translate files; a missing one and a folder named, the rest done")
            << QStringList{"translate", "%1/a.txt", "%1/missing.txt", "%1", "-", "%1/w.txt"}
            << QByteArray("you\n") << kNoFile << false << 1
            << QByteArray("be\r\nya\rbe\nya\ncaf\xE9 be\n") << -1
            << QStringList{"/missing.txt: No such file", ": Is a directory"} << 3 << QStringList()
            << QStringList();
        QTest::newRow("the user's dictionary")
            << QStringList{"translate", "%1/a.txt"} << none << userDictionary() << false << 0
            << QByteArray("be\r\nQ9\rbe\n") << -1 << QStringList() << 0 << QStringList()
            << QStringList();
        QTest::newRow("a broken dictionary file: the built-in one and why")
            << QStringList{"translate", "-"} << QByteArray("you") << QByteArray("you\tU\r\n")
            << false << 0 << QByteArray("ya") << -1
            << QStringList{"winup.ico ends before record 2", "built-in"} << 1 << QStringList()
            << QStringList();
        QTest::newRow("translate to a full disk")
            << QStringList{"translate"} << QByteArray("are\n") << kNoFile << true << 1
            << QByteArray() << -1 << QStringList{"standard output: No space left"} << 2
            << QStringList() << QStringList();
        QTest::newRow("an empty word")
            << QStringList{"acronym", "brb", ""} << none << kNoFile << false << 2 << QByteArray()
            << -1 << QStringList{"empty WORD"} << -1 << QStringList() << QStringList();
        // A terminal must not act on what an argument or a file name holds.
        QTest::newRow("controls in a word are written out")
            << QStringList{"acronym", "\x1b]0;owned\x07zz\u009b", "brb"} << none << kNoFile << false
            << 1 << QByteArray("BRB - be right back\n") << -1
            << QStringList{"'\\x1b]0;owned\\x07zz\\u009b'"} << 1 << QStringList() << QStringList();
        QTest::newRow("controls in a file name")
            << QStringList{"translate", "%1/\x1b[2J\u009b.txt"} << none << kNoFile << false << 1
            << QByteArray() << -1 << QStringList{"/\\x1b[2J\\u009b.txt: No such file"} << 2
            << QStringList() << QStringList();
        QTest::newRow("no HOME: no data folder, the built-in dictionary")
            << QStringList{"translate"} << QByteArray("are you\n") << kNoFile << false << 0
            << QByteArray("be ya\n") << -1
            << QStringList{"there is no data folder (HOME is not set)", "built-in"} << 1
            << QStringList{"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME"} << QStringList();
        // Relative to the working folder, which holds a dictionary file there.
        QTest::newRow("a relative XDG_DATA_HOME is ignored")
            << QStringList{"translate"} << QByteArray("you\n") << userDictionary() << false << 0
            << QByteArray("ya\n") << -1
            << QStringList{"home/.local/share/Glyphora/winup.ico does not exist"} << 1
            << QStringList{"XDG_DATA_HOME=data"} << QStringList();
        QTest::newRow("own faces after the built-in ones, a bad line named")
            << QStringList{"smiley"} << none << kNoFile << false << 0
            << QByteArray("\xC2\xAF\\_(\xE3\x83\x84)_/\xC2\xAF\tShrug - whatever\n") << 206
            << QStringList{"smileys.txt, line 3: no TAB"} << 1 << QStringList()
            << QStringList{"smileys.txt=# mine\n\xC2\xAF\\_(\xE3\x83\x84)_/\xC2\xAF\tShrug - "
                           "whatever\r\nno tab\n"};
        QTest::newRow("an own file of bad lines: a thousand named, the rest counted")
            << QStringList{"acronym", "brb"} << none << kNoFile << false << 0
            << QByteArray("BRB - be right back\n") << -1
            << QStringList{"acronyms.txt, line 1000: no TAB",
                           "acronyms.txt: 2 more lines were skipped."}
            << 1001 << QStringList()
            << QStringList{QStringLiteral("acronyms.txt=") + QStringLiteral("x\n").repeated(1002)};
        QTest::newRow("an own acronym found by its word, a leading is skipped")
            << QStringList{"acronym", "is", "brb", "smh"} << none << kNoFile << false << 0
            << QByteArray("BRB - be right back\nSMH - shaking my head\n") << -1 << QStringList()
            << 0 << QStringList() << QStringList{"acronyms.txt=SMH\tSMH - shaking my head\n"};
    }

    void run()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, dictionary);
        QFETCH(bool, toFullDisk);
        QFETCH(int, status);
        QFETCH(QByteArray, output);
        QFETCH(int, lines);
        QFETCH(QStringList, errorParts);
        QFETCH(int, errorLines);
        QFETCH(QStringList, environment);
        QFETCH(QStringList, ownFiles);

        QTemporaryDir root;
        QVERIFY(root.isValid());
        const QString home = root.filePath("home"), config = root.filePath("config"),
                      data = root.filePath("data"), files = root.filePath("files");
        for (const QString& folder : {home, config, data, files})
            QVERIFY(QDir().mkpath(folder));
        const auto write = [](const QString& path, const QByteArray& bytes) {
            QFile file(path);
            return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
        };
        QVERIFY(write(files + "/a.txt", "are\r\nyou\rare\n"));
        QVERIFY(write(files + "/w.txt", "caf\xE9 are\n"));
        const QString dictionaryPath = data + "/Glyphora/" + translator::kDictionaryFileName;
        if (!dictionary.isNull()) {
            QVERIFY(QDir().mkpath(data + "/Glyphora"));
            QVERIFY(write(dictionaryPath, dictionary));
        }
        QStringList dataFiles = dictionary.isNull() ? QStringList() : QStringList{dictionaryPath};
        for (const QString& file : ownFiles) {
            QVERIFY(QDir().mkpath(data + "/Glyphora"));
            dataFiles << data + "/Glyphora/" + file.section(u'=', 0, 0);
            QVERIFY(write(dataFiles.last(), file.section(u'=', 1).toUtf8()));
        }

        QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
        for (const char* name :
             {"DISPLAY", "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "QT_QPA_PLATFORM"})
            variables.remove(QString::fromLatin1(name));
        variables.insert("HOME", home);
        variables.insert("XDG_CONFIG_HOME", config);
        variables.insert("XDG_DATA_HOME", data);
        variables.insert("XDG_CACHE_HOME", root.filePath("cache"));
        variables.insert("XDG_RUNTIME_DIR", root.filePath("runtime"));
        for (const QString& variable : environment) {
            if (variable.contains(u'='))
                variables.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
            else
                variables.remove(variable);
        }
        QProcess process;
        process.setProcessEnvironment(variables);
        process.setWorkingDirectory(root.path());
        if (toFullDisk)
            process.setStandardOutputFile("/dev/full");
        for (QString& argument : arguments)
            argument.replace("%1", files);
        process.start(QString::fromLocal8Bit(kProgram), arguments);
        QVERIFY(process.waitForStarted());
        process.write(input);
        process.closeWriteChannel();
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        const QByteArray out = process.readAllStandardOutput();
        const QByteArray error = process.readAllStandardError();
        if (process.exitCode() != status)
            qWarning() << error;
        QCOMPARE(process.exitCode(), status);
        if (lines < 0) {
            QCOMPARE(out, output);
        } else {
            const QList<QByteArray> got = out.split('\n');
            QCOMPARE(got.size(), lines + 1);
            QVERIFY(got.last().isEmpty());
            // Acronyms are captions alone; emoticons a text and a caption.
            const int tabs = arguments.first() == QLatin1String("smiley") ? 1 : 0;
            for (qsizetype i = 0; i + 1 < got.size(); ++i)
                QVERIFY2(got[i].count('\t') == tabs && !got[i].contains('\r'), got[i]);
            QVERIFY(out.endsWith(output));
        }
        for (const QString& part : errorParts)
            QVERIFY2(error.contains(part.toUtf8()), error);
        QVERIFY2(!error.contains('\x1b') && !error.contains('\x07'), error);
        if (errorLines >= 0)
            QCOMPARE(error.count('\n'), errorLines);

        // Nothing of the user's was made or changed, nor anything in the working folder.
        QCOMPARE(
            QDir(root.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            (QStringList{"config", "data", "files", "home"}));
        QCOMPARE(allFiles(config), QStringList());
        QCOMPARE(allFiles(home), QStringList());
        dataFiles.sort();
        QCOMPARE(allFiles(data), dataFiles);
        if (!dictionary.isNull()) {
            QFile file(dictionaryPath);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), dictionary);
        }
    }

    // The summon key stored, shown and refused, the autostart entry written and taken away,
    // and the search's way chosen, in one user folder, step by step.
    void settingsCommands()
    {
        QTemporaryDir root;
        QVERIFY(root.isValid());
        const QString config = root.filePath("config");
        QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS"})
            variables.remove(QString::fromLatin1(name));
        variables.insert("HOME", root.filePath("home"));
        variables.insert("XDG_CONFIG_HOME", config);
        variables.insert("XDG_DATA_HOME", root.filePath("data"));
        const QString settings = config + "/Glyphora/Glyphora.conf";
        const QString entry = config + "/autostart/glyphora.desktop";
        struct Step
        {
            QStringList arguments;
            int status;
            QByteArray output;
            QByteArray errorPart;
        };
        const Step steps[] = {
            {{"shortcut"}, 0, "super+period\n", {}},
            {{"shortcut", "Ctrl+Alt+E"}, 0, {}, {}},
            {{"shortcut"}, 0, "ctrl+alt+e\n", {}},
            {{"shortcut", "Meta+."}, 0, {}, {}},
            {{"shortcut"}, 0, "super+period\n", {}},
            {{"shortcut", "ctrl++"}, 0, {}, {}},
            {{"shortcut"}, 0, "ctrl+plus\n", {}},
            {{"shortcut", "ctrl+alt"}, 2, {}, "'ctrl+alt' has no key besides its modifiers"},
            {{"shortcut", "hyper+q"}, 2, {}, "'hyper' is not a key Glyphora knows"},
            {{"shortcut", "a+b"}, 2, {}, "two keys, 'a' and 'b'"},
            {{"shortcut", "f5", "x"}, 2, {}, "shortcut takes at most one KEY"},
            {{"shortcut"}, 0, "ctrl+plus\n", {}}, // the refused keys changed nothing
            {{"shortcut", "NONE"}, 0, {}, {}},
            {{"shortcut"}, 0, "none\n", {}},
            {{"autostart"}, 2, {}, "autostart takes one word, on or off"},
            {{"autostart", "maybe"}, 2, {}, "autostart takes on or off, not 'maybe'"},
            {{"autostart", "on"}, 0, {}, {}},
            {{"autostart", "off"}, 0, {}, {}},
            {{"autostart", "off"}, 0, {}, {}}, // already off
            {{"search"}, 0, "words\n", {}},
            {{"search", "start"}, 0, {}, {}},
            {{"search"}, 0, "start\n", {}},
            {{"search", "all"}, 2, {}, "search takes words or start, not 'all'"},
            {{"search", "words"}, 0, {}, {}},
            {{"search"}, 0, "words\n", {}},
        };
        for (const Step& step : steps) {
            QProcess process;
            process.setProcessEnvironment(variables);
            process.start(QString::fromLocal8Bit(kProgram), step.arguments);
            QVERIFY(process.waitForFinished(30000));
            const QByteArray error = process.readAllStandardError();
            const QByteArray what = step.arguments.join(u' ').toUtf8() + ": " + error;
            QVERIFY2(process.exitCode() == step.status, what);
            QVERIFY2(process.readAllStandardOutput() == step.output, what);
            QVERIFY2(step.errorPart.isEmpty() ? error.isEmpty() : error.contains(step.errorPart),
                     what);
            if (step.arguments == QStringList{"autostart", "on"}) {
                // A valid entry that starts this program minimised.
                QFile file(entry);
                QVERIFY(file.open(QIODevice::ReadOnly));
                QVERIFY(
                    file.readAll().contains(QByteArray("\nExec=") + kProgram + " --minimized\n"));
                QCOMPARE(QProcess::execute("desktop-file-validate", {entry}), 0);
            }
        }
        QVERIFY(!QFile::exists(entry));

        // A key in the settings that is none: the default, and why.
        QFile file(settings);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("[Settings]\nSound=0\nSummonKey=hyper+q\n");
        file.close();
        QProcess process;
        process.setProcessEnvironment(variables);
        process.start(QString::fromLocal8Bit(kProgram), {"shortcut"});
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitCode(), 0);
        QCOMPARE(process.readAllStandardOutput(), QByteArray("super+period\n"));
        QVERIFY(process.readAllStandardError().contains(
            "the summon key in the settings, 'hyper+q', cannot be used"));
    }
};

QTEST_APPLESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
