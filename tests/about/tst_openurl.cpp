// Opening a web address: the association lookup with its probe file, and the start.

#include "about/mOpenURL.h"
#include "platform/fakes/FakePlatform.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace about::mOpenURL;
using platform::fakes::FakePaths;
using platform::fakes::FakeShell;

namespace {
/// Answers the lookup like the desktop would and notes whether the probe was there to see.
class ProbeShell final : public platform::Shell
{
public:
    void ShellExecute(const QString&) override {}
    QString FindExecutable(const QString& file, const QString& directory, int& code) override
    {
        probeSeen = QFileInfo(QDir(directory).filePath(file)).isFile();
        code = answerCode;
        return answer;
    }
    bool CreateProcess(const QString&, const QStringList&) override { return true; }
    bool FileExists(const QString&) const override { return false; }
    QString answer;
    int answerCode = 42;
    bool probeSeen = false;
};
} // namespace

class TestOpenUrl : public QObject
{
    Q_OBJECT
private slots:
    void stripAtNull_data();
    void stripAtNull();
    void probeComesAndGoes_data();
    void probeComesAndGoes();
    void othersFilesAreLeftAlone();
    void unwritableTempFolder();
    void openUrl_data();
    void openUrl();
};

void TestOpenUrl::stripAtNull_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("stripped");
    QTest::newRow("no NUL") << "C:\\Temp\\"
                            << "C:\\Temp\\";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("NUL then padding") << QStringLiteral("/tmp/\0     ") << "/tmp/";
    QTest::newRow("first NUL counts") << QStringLiteral("a\0b\0c") << "a";
    QTest::newRow("leading NUL") << QStringLiteral("\0abc") << "";
}

void TestOpenUrl::stripAtNull()
{
    QFETCH(QString, text);
    QFETCH(QString, stripped);
    QCOMPARE(StripAtNull(text), stripped);
}

void TestOpenUrl::probeComesAndGoes_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("browser");
    QTest::newRow("found") << 42 << QStringLiteral("/usr/bin/browser\0 junk") << "/usr/bin/browser";
    QTest::newRow("no association") << 31 << ""
                                    << "";
    QTest::newRow("failed lookup") << 2 << ""
                                   << "";
}

void TestOpenUrl::probeComesAndGoes()
{
    QFETCH(int, code);
    QFETCH(QString, answer);
    QFETCH(QString, browser);
    QTemporaryDir temp;
    FakePaths paths;
    paths.tempPath = temp.path() + QLatin1Char('/');
    ProbeShell shell;
    shell.answer = answer;
    shell.answerCode = code;
    int got = 0;
    QCOMPARE(FindBrowser(shell, paths, got), browser);
    QCOMPARE(got, code);
    QVERIFY(shell.probeSeen);
    QVERIFY(QDir(temp.path()).isEmpty());
}

void TestOpenUrl::othersFilesAreLeftAlone()
{
    // A file of the probe's name, or a link planted in its place, is not ours to empty or
    // delete.
    QTemporaryDir temp;
    FakePaths paths;
    paths.tempPath = temp.path() + QLatin1Char('/');
    QFile own(temp.filePath("dummy.html"));
    QVERIFY(own.open(QIODevice::WriteOnly));
    own.write("<p>mine</p>");
    own.close();
    FakeShell shell;
    shell.browser = "/usr/bin/browser";
    int code = 0;
    QCOMPARE(FindBrowser(shell, paths, code), QStringLiteral("/usr/bin/browser"));
    QVERIFY(own.open(QIODevice::ReadOnly));
    QCOMPARE(own.readAll(), QByteArray("<p>mine</p>"));
    own.close();

    QVERIFY(own.remove());
    QFile victim(temp.filePath("victim.txt"));
    QVERIFY(victim.open(QIODevice::WriteOnly));
    victim.write("precious");
    victim.close();
    QVERIFY(QFile::link(victim.fileName(), temp.filePath("dummy.html")));
    FindBrowser(shell, paths, code);
    QVERIFY(victim.open(QIODevice::ReadOnly));
    QCOMPARE(victim.readAll(), QByteArray("precious"));
    QVERIFY(QFileInfo(temp.filePath("dummy.html")).isSymLink());
}

void TestOpenUrl::unwritableTempFolder()
{
    FakePaths paths;
    paths.tempPath = QStringLiteral("/nonexistent-glyphora-folder/");
    FakeShell shell;
    shell.browser = "/usr/bin/browser";
    QVERIFY(OpenURL(shell, paths, "http://example.org/"));
    QCOMPARE(shell.findQueries, QStringList{"/nonexistent-glyphora-folder/|dummy.html"});
    QVERIFY(!QFileInfo::exists("/nonexistent-glyphora-folder"));
}

void TestOpenUrl::openUrl_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("startSucceeds");
    QTest::addColumn<bool>("started");
    QTest::addColumn<bool>("result");
    QTest::newRow("found and started") << 42 << true << true << true;
    QTest::newRow("lowest success code") << 32 << true << true << true;
    QTest::newRow("highest failure code") << 31 << true << false << false;
    QTest::newRow("negative code") << -1 << true << false << false;
    QTest::newRow("start fails") << 42 << false << true << false;
}

void TestOpenUrl::openUrl()
{
    QFETCH(int, code);
    QFETCH(bool, startSucceeds);
    QFETCH(bool, started);
    QFETCH(bool, result);
    QTemporaryDir temp;
    FakePaths paths;
    paths.tempPath = temp.path() + QLatin1Char('/');
    FakeShell shell;
    shell.browser = "/usr/bin/browser";
    shell.findCode = code;
    shell.startSucceeds = startSucceeds;
    const QString url = QStringLiteral("http://example.org/a page?x=1&y=\"2\"");
    QCOMPARE(OpenURL(shell, paths, url), result);
    QCOMPARE(shell.findQueries, QStringList{paths.tempPath + "|dummy.html"});
    QCOMPARE(shell.started.size(), started ? 1 : 0);
    if (started) {
        // The address is the first and only argument, exactly as given.
        QCOMPARE(shell.started[0].program, QStringLiteral("/usr/bin/browser"));
        QCOMPARE(shell.started[0].arguments, QStringList{url});
    }
    QVERIFY(QDir(temp.path()).isEmpty());
}

QTEST_GUILESS_MAIN(TestOpenUrl)
#include "tst_openurl.moc"
