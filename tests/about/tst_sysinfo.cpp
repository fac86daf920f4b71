// Reading registry values and starting the system information tool.

#include "about/SysInfo.h"
#include "platform/desktop/LinuxRegistry.h"
#include "platform/fakes/FakePlatform.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <stdexcept>

using platform::HKEY_LOCAL_MACHINE;
using platform::fakes::FakePlatform;
using platform::fakes::FakeRegistry;

namespace {
const QString kKey = QStringLiteral("SOFTWARE\\Glyphora\\Test");

class ThrowingRegistry final : public platform::Registry
{
public:
    std::int32_t RegOpenKeyEx(platform::HKEY, const QString&, std::uint32_t,
                              platform::HKEY&) override
    {
        throw std::runtime_error("registry gone");
    }
    std::int32_t RegQueryValueEx(platform::HKEY, const QString&, std::uint32_t&, QByteArray&,
                                 std::uint32_t&) override
    {
        return 2;
    }
    std::int32_t RegCloseKey(platform::HKEY) override { return 0; }
};

/// Sets PATH for one test and puts it back afterwards.
class PathOverride
{
public:
    explicit PathOverride(const QString& path) : m_saved(qgetenv("PATH"))
    {
        qputenv("PATH", QFile::encodeName(path));
    }
    ~PathOverride() { qputenv("PATH", m_saved); }

private:
    QByteArray m_saved;
};

bool makeProgram(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) &&
           file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
} // namespace

class TestSysInfo : public QObject
{
    Q_OBJECT
private slots:
    void getKeyValue_data();
    void getKeyValue();
    void startSysInfo_data();
    void startSysInfo();
    void errorsBecomeTheMessage();
    void linuxRegistryFindsATool();
    void linuxRegistryWithoutTool();
};

void TestSysInfo::getKeyValue_data()
{
    QTest::addColumn<bool>("keyExists");
    QTest::addColumn<quint32>("type");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("before");
    QTest::addColumn<bool>("result");
    QTest::addColumn<QString>("after");
    const QByteArray nul(1, '\0');
    QTest::newRow("string with NUL") << true << quint32(platform::REG_SZ)
                                     << QByteArray("C:\\Tools") + nul << "x" << true << "C:\\Tools";
    QTest::newRow("string without NUL") << true << quint32(platform::REG_SZ)
                                        << QByteArray("C:\\Tools") << "" << true << "C:\\Tools";
    QTest::newRow("empty string") << true << quint32(platform::REG_SZ) << nul << "x" << true << "";
    QTest::newRow("number") << true << quint32(platform::REG_DWORD)
                            << QByteArray::fromHex("0a000000") << "" << true << "10";
    QTest::newRow("number, all bytes")
        << true << quint32(platform::REG_DWORD) << QByteArray::fromHex("04030201") << "old" << true
        << "16909060";
    QTest::newRow("other type") << true << quint32(3) << QByteArray("\x01\x02") << "kept" << true
                                << "kept";
    QTest::newRow("missing value") << true << quint32(0) << QByteArray() << "x" << false << "";
    QTest::newRow("missing key") << false << quint32(0) << QByteArray() << "x" << false << "";
    QTest::newRow("too long") << true << quint32(platform::REG_SZ) << QByteArray(2000, 'a') << "x"
                              << false << "";
}

void TestSysInfo::getKeyValue()
{
    QFETCH(bool, keyExists);
    QFETCH(quint32, type);
    QFETCH(QByteArray, data);
    QFETCH(QString, before);
    QFETCH(bool, result);
    QFETCH(QString, after);
    FakeRegistry registry;
    if (keyExists) {
        registry.keys[kKey]["Other"] = {platform::REG_SZ, "other"};
        if (type != 0)
            registry.keys[kKey]["Value"] = {type, data};
    }
    QString value = before;
    QCOMPARE(about::GetKeyValue(registry, HKEY_LOCAL_MACHINE, kKey, "Value", value), result);
    QCOMPARE(value, after);
    // Read access only, and the key is closed whatever happened.
    QCOMPARE(registry.accessAsked, QList<std::uint32_t>{platform::KEY_READ});
    QCOMPARE(registry.closed.size(), 1);
}

void TestSysInfo::startSysInfo_data()
{
    QTest::addColumn<QByteArray>("pathValue"); // empty: no such value
    QTest::addColumn<quint32>("pathType");
    QTest::addColumn<QByteArray>("folderValue");
    QTest::addColumn<bool>("toolInFolder");
    QTest::addColumn<bool>("startSucceeds");
    QTest::addColumn<QString>("started"); // empty: nothing started, the message shown
    const QByteArray nul(1, '\0');
    QTest::newRow("path") << QByteArray("/opt/info/tool") + nul << quint32(platform::REG_SZ)
                          << QByteArray() << false << true << "/opt/info/tool";
    QTest::newRow("path not tested for existence")
        << QByteArray("/nowhere/tool") << quint32(platform::REG_SZ) << QByteArray("/opt") << true
        << true << "/nowhere/tool";
    QTest::newRow("path fails to start")
        << QByteArray("/opt/info/tool") << quint32(platform::REG_SZ) << QByteArray() << false
        << false << "";
    QTest::newRow("path not a string") // an expandable string, which the lookup leaves empty
        << QByteArray("%ProgramFiles%\\info.exe") << quint32(2) << QByteArray() << false << true
        << "";
    QTest::newRow("folder with tool")
        << QByteArray() << quint32(0) << QByteArray("/opt/msinfo") + nul << true << true
        << "/opt/msinfo/MSINFO32.EXE";
    QTest::newRow("folder without tool")
        << QByteArray() << quint32(0) << QByteArray("/opt/msinfo") << false << true << "";
    QTest::newRow("nothing") << QByteArray() << quint32(0) << QByteArray() << false << true << "";
}

void TestSysInfo::startSysInfo()
{
    QFETCH(QByteArray, pathValue);
    QFETCH(quint32, pathType);
    QFETCH(QByteArray, folderValue);
    QFETCH(bool, toolInFolder);
    QFETCH(bool, startSucceeds);
    QFETCH(QString, started);
    FakePlatform fakes;
    if (!pathValue.isEmpty())
        fakes.registry.keys[about::kMsInfoKey]["PATH"] = {pathType, pathValue};
    if (!folderValue.isEmpty())
        fakes.registry.keys[about::kMsInfoLocationKey]["MSINFO"] = {platform::REG_SZ, folderValue};
    if (toolInFolder)
        fakes.shell.existingFiles << "/opt/msinfo/MSINFO32.EXE";
    fakes.shell.startSucceeds = startSucceeds;

    about::StartSysInfo(fakes.registry, fakes.shell, fakes.messageBoxes, nullptr);

    if (!started.isEmpty() && startSucceeds) {
        QCOMPARE(fakes.shell.started.size(), 1);
        QCOMPARE(fakes.shell.started[0].program, started);
        QVERIFY(fakes.shell.started[0].arguments.isEmpty());
        QVERIFY(fakes.messageBoxes.shown.isEmpty());
    } else {
        QCOMPARE(fakes.messageBoxes.texts(), QStringList{about::kSysInfoUnavailable});
        QCOMPARE(fakes.messageBoxes.shown[0].buttons, platform::MsgButtons::Ok);
        QCOMPARE(fakes.messageBoxes.shown[0].icon, platform::MsgIcon::None);
    }
    for (std::uint32_t access : fakes.registry.accessAsked)
        QCOMPARE(access, platform::KEY_READ);
}

void TestSysInfo::errorsBecomeTheMessage()
{
    FakePlatform fakes;
    ThrowingRegistry registry;
    about::StartSysInfo(registry, fakes.shell, fakes.messageBoxes, nullptr);
    QCOMPARE(fakes.messageBoxes.texts(), QStringList{about::kSysInfoUnavailable});
    QVERIFY(fakes.shell.started.isEmpty());
}

void TestSysInfo::linuxRegistryFindsATool()
{
    QTemporaryDir bin;
    QVERIFY(makeProgram(bin.filePath("hardinfo")));
    QVERIFY(makeProgram(bin.filePath("cpu-x")));
    PathOverride path(bin.path());
    platform::LinuxRegistry registry({"no-such-tool", "hardinfo", "cpu-x"});

    QString value;
    QVERIFY(about::GetKeyValue(registry, HKEY_LOCAL_MACHINE, about::kMsInfoKey, "PATH", value));
    QCOMPARE(value, bin.filePath("hardinfo"));
    QVERIFY(!about::GetKeyValue(registry, HKEY_LOCAL_MACHINE, about::kMsInfoLocationKey, "MSINFO",
                                value));
    QCOMPARE(value, QString());

    // The machine's keys are read-only, as for an ordinary user.
    platform::HKEY key = 0;
    QCOMPARE(registry.RegOpenKeyEx(HKEY_LOCAL_MACHINE, about::kMsInfoKey, 0x2003F, key), 5);
    QCOMPARE(registry.RegOpenKeyEx(HKEY_LOCAL_MACHINE, about::kMsInfoKey, platform::KEY_READ, key),
             0);
    QByteArray small(4, '\0');
    std::uint32_t size = 4;
    std::uint32_t type = 0;
    QCOMPARE(registry.RegQueryValueEx(key, "PATH", type, small, size), 234);
    QCOMPARE(size, std::uint32_t(bin.filePath("hardinfo").toLocal8Bit().size() + 1));
    registry.RegCloseKey(key);

    FakePlatform fakes;
    about::StartSysInfo(registry, fakes.shell, fakes.messageBoxes, nullptr);
    QCOMPARE(fakes.shell.started.size(), 1);
    QCOMPARE(fakes.shell.started[0].program, bin.filePath("hardinfo"));
}

void TestSysInfo::linuxRegistryWithoutTool()
{
    QTemporaryDir bin;
    QFile notProgram(bin.filePath("hardinfo")); // present but not executable
    QVERIFY(notProgram.open(QIODevice::WriteOnly));
    notProgram.close();
    PathOverride path(bin.path());
    platform::LinuxRegistry registry;
    FakePlatform fakes;
    about::StartSysInfo(registry, fakes.shell, fakes.messageBoxes, nullptr);
    QVERIFY(fakes.shell.started.isEmpty());
    QCOMPARE(fakes.messageBoxes.texts(), QStringList{about::kSysInfoUnavailable});
}

QTEST_GUILESS_MAIN(TestSysInfo)
#include "tst_sysinfo.moc"
