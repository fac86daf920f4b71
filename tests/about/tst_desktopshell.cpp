// The desktop's answer to "which program opens web pages": MIME associations, desktop
// entries and their Exec lines. Everything lives in private XDG folders; nothing is started
// but a stand-in xdg-mime script.

#include "platform/desktop/DesktopShell.h"
#include "platform/desktop/SessionBus.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Qt's "signals" keyword would rename a member of GIO's D-Bus structures.
#undef signals
#include <gio/gio.h>

using namespace platform::xdg;

class TestDesktopShell : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void execProgram_data();
    void execProgram();
    void desktopEntries();
    void defaultFromLists();
    void findExecutable();
    void xdgMimeIsAskedFirst();
    void startedProgramsFindTheUserBus(); // last: it hides the bus for the rest of the run

private:
    QString bin() const { return m_root.filePath("bin"); }
    QString applications() const { return m_root.filePath("data/applications"); }
    bool write(const QString& path, const QByteArray& text, bool executable = false);
    bool writeList(const QString& path, const QByteArray& text);
    QTemporaryDir m_root;
};

bool TestDesktopShell::write(const QString& path, const QByteArray& text, bool executable)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        return false;
    file.close();
    return !executable ||
           file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// GIO keeps what it read of a folder until its file monitor, on a thread of its own, reports
// a change there: a lookup right after the change would race that report. A null text
// removes the list.
bool TestDesktopShell::writeList(const QString& path, const QByteArray& text)
{
    defaultApplicationFromLists("text/html"); // GIO watches only the folders it has read
    GAppInfoMonitor* monitor = g_app_info_monitor_get();
    bool heard = false;
    const auto onChanged =
        +[](GAppInfoMonitor*, gpointer flag) { *static_cast<bool*>(flag) = true; };
    const gulong handler = g_signal_connect(monitor, "changed", G_CALLBACK(onChanged), &heard);
    const bool changed = text.isNull() ? QFile::remove(path) : write(path, text);
    const bool seen = changed && QTest::qWaitFor([&heard] {
                          g_main_context_iteration(nullptr, FALSE);
                          return heard;
                      });
    g_signal_handler_disconnect(monitor, handler);
    g_object_unref(monitor);
    return seen;
}

void TestDesktopShell::initTestCase()
{
    QVERIFY(m_root.isValid());
    for (const char* folder : {"bin", "config", "configdirs", "data/applications", "datadirs"})
        QVERIFY(QDir(m_root.path()).mkpath(folder));
    qputenv("PATH", QFile::encodeName(bin()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_root.filePath("config")));
    qputenv("XDG_CONFIG_DIRS", QFile::encodeName(m_root.filePath("configdirs")));
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_root.filePath("data")));
    // The system folders stay last: the MIME type database lives there.
    qputenv("XDG_DATA_DIRS",
            QFile::encodeName(m_root.filePath("datadirs")) + ":/usr/local/share:/usr/share");
    QVERIFY(write(bin() + "/browser", "", true));
    QVERIFY(write(bin() + "/my browser", "", true));
    QVERIFY(write(bin() + "/plain", ""));
    QVERIFY(write(bin() + "/sandbox", "", true));
    QVERIFY(write(applications() + "/browser.desktop",
                  "[Desktop Entry]\nType=Application\nName=Browser\nExec=browser %u\n\n"
                  "[Desktop Action private]\nExec=browser --private %u\n"));
    QVERIFY(write(applications() + "/vendor/other.desktop",
                  "[Desktop Entry]\nType=Application\nExec=\"" + QFile::encodeName(bin()) +
                      "/my browser\" %U\n"));
    QVERIFY(write(applications() + "/wrapped.desktop",
                  "[Desktop Entry]\nType=Application\nExec=sandbox run org.example.Browser %u\n"));
}

void TestDesktopShell::execProgram_data()
{
    QTest::addColumn<QString>("exec");
    QTest::addColumn<QString>("program"); // $BIN stands for the private program folder
    QTest::newRow("absolute") << "$BIN/browser %u"
                              << "$BIN/browser";
    QTest::newRow("on PATH") << "browser %U"
                             << "$BIN/browser";
    QTest::newRow("quoted, with a blank") << "\"$BIN/my browser\" %f"
                                          << "$BIN/my browser";
    QTest::newRow("escaped quote in quotes") << "\"$BIN/my\\ browser\" %u"
                                             << "$BIN/my browser";
    QTest::newRow("no field code") << "browser"
                                   << "$BIN/browser";
    QTest::newRow("icon and name codes") << "browser %i %c %u"
                                         << "$BIN/browser";
    QTest::newRow("arguments of its own") << "browser --new-window %u"
                                          << "";
    QTest::newRow("not installed") << "nosuch %u"
                                   << "";
    QTest::newRow("not executable") << "$BIN/plain %u"
                                    << "";
    QTest::newRow("unterminated quote") << "\"$BIN/browser %u"
                                        << "";
    QTest::newRow("empty") << ""
                           << "";
}

void TestDesktopShell::execProgram()
{
    QFETCH(QString, exec);
    QFETCH(QString, program);
    QCOMPARE(platform::xdg::execProgram(exec.replace("$BIN", bin())),
             program.replace("$BIN", bin()));
}

void TestDesktopShell::desktopEntries()
{
    QCOMPARE(desktopFilePath("browser.desktop"), applications() + "/browser.desktop");
    QCOMPARE(desktopFilePath("vendor-other.desktop"), applications() + "/vendor/other.desktop");
    QCOMPARE(desktopFilePath("missing.desktop"), QString());
    QCOMPARE(desktopFilePath("../browser.desktop"), QString());
    // The main group's Exec, not an action's.
    QCOMPARE(desktopEntryExec(applications() + "/browser.desktop"), QStringLiteral("browser %u"));
    QVERIFY(write(m_root.filePath("escaped.desktop"), "[Desktop Entry]\nExec=a\\sb\\\\c %u\n"));
    QCOMPARE(desktopEntryExec(m_root.filePath("escaped.desktop")), QStringLiteral("a b\\c %u"));
}

void TestDesktopShell::defaultFromLists()
{
    // The user's configuration comes first; entries not installed are passed over.
    QVERIFY(writeList(m_root.filePath("config/mimeapps.list"),
                      "[Added Associations]\ntext/html=vendor-other.desktop;\n"
                      "[Default Applications]\ntext/html = missing.desktop;browser.desktop;\n"));
    QVERIFY(writeList(applications() + "/mimeapps.list",
                      "[Default Applications]\ntext/html=vendor-other.desktop\n"
                      "text/plain=vendor-other.desktop;\n"));
    QCOMPARE(defaultApplicationFromLists("text/html"), QStringLiteral("browser.desktop"));
    QCOMPARE(defaultApplicationFromLists("text/plain"), QStringLiteral("vendor-other.desktop"));
    QCOMPARE(defaultApplicationFromLists("application/x-glyphora-none"), QString());
    // C source is plain text, but the plain-text program is not named for it.
    QCOMPARE(defaultApplicationFromLists("text/x-csrc"), QString());
    QCOMPARE(defaultApplication("text/html"), QStringLiteral("browser.desktop"));
}

void TestDesktopShell::findExecutable()
{
    platform::DesktopShell shell;
    QTemporaryDir temp;
    int code = 0;
    QCOMPARE(shell.FindExecutable("dummy.html", temp.path(), code), QString());
    QCOMPARE(code, 2); // no such file

    QVERIFY(write(temp.filePath("dummy.html"), ""));
    QVERIFY(writeList(m_root.filePath("config/mimeapps.list"),
                      "[Default Applications]\ntext/html=browser.desktop\n"));
    QCOMPARE(shell.FindExecutable("dummy.html", temp.path(), code), bin() + "/browser");
    QCOMPARE(code, 42);

    // An entry that needs its own arguments is left to xdg-open, when there is one.
    QVERIFY(writeList(m_root.filePath("config/mimeapps.list"),
                      "[Default Applications]\ntext/html=wrapped.desktop\n"));
    QVERIFY(writeList(applications() + "/mimeapps.list", QByteArray()));
    QCOMPARE(shell.FindExecutable("dummy.html", temp.path(), code), QString());
    QCOMPARE(code, 31);
    QVERIFY(write(bin() + "/xdg-open", "", true));
    QCOMPARE(shell.FindExecutable("dummy.html", temp.path(), code), bin() + "/xdg-open");
    QCOMPARE(code, 42);
    QVERIFY(QFile::remove(bin() + "/xdg-open"));
}

void TestDesktopShell::xdgMimeIsAskedFirst()
{
    QVERIFY(writeList(
        m_root.filePath("config/mimeapps.list"),
        "[Default Applications]\ntext/html=browser.desktop\ntext/plain=browser.desktop\n"));
    QVERIFY(write(bin() + "/xdg-mime",
                  "#!/bin/sh\n[ \"$1 $2 $3\" = \"query default text/html\" ] && "
                  "echo vendor-other.desktop\n",
                  true));
    QCOMPARE(defaultApplication("text/html"), QStringLiteral("vendor-other.desktop"));
    // No answer from the tool: the lists decide.
    QCOMPARE(defaultApplication("text/plain"), QStringLiteral("browser.desktop"));
    QVERIFY(QFile::remove(bin() + "/xdg-mime"));
}

void TestDesktopShell::startedProgramsFindTheUserBus()
{
    // Where Glyphora hid a silent session bus from itself, the programs it starts (here the
    // system information tool or the browser; the offscreen test platform opens no mail
    // links) still get the user's address.
    const QByteArray user = "unix:path=/nonexistent/bus";
    qputenv("DBUS_SESSION_BUS_ADDRESS", user);
    platform::SessionBus::hide();
    QVERIFY(qgetenv("DBUS_SESSION_BUS_ADDRESS") != user);
    QVERIFY(write(bin() + "/tool", "#!/bin/sh\necho \"$DBUS_SESSION_BUS_ADDRESS\" >\"$0.seen\"\n",
                  true));
    const auto seen = [this] {
        QFile file(bin() + "/tool.seen");
        return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed() : QByteArray();
    };
    platform::DesktopShell shell;
    QVERIFY(shell.CreateProcess(bin() + "/tool", {}));
    QTRY_COMPARE(seen(), user);
    QVERIFY(qgetenv("DBUS_SESSION_BUS_ADDRESS") != user);
}

QTEST_GUILESS_MAIN(TestDesktopShell)
#include "tst_desktopshell.moc"
