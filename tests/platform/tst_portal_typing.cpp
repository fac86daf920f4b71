// Typing through the desktop portal, against a stand-in portal on a private session bus that
// records what it is asked: the session made once and kept, the keysyms in order after the
// window has stepped aside, a user who declines, no portal at all, a portal that goes
// away in the middle of a face, and a portal of version 2 that remembers the permission.
// The global shortcuts portal, for the summon key in a Wayland session: the shortcut bound
// with the key asked for, its presses heard, a new key bound afresh, no portal at all.

#include "platform/desktop/PortalSummonKey.h"
#include "platform/fakes/FakePlatform.h"
#include "platform/typing/portal/PortalTextInserter.h"

#include <QClipboard>
#include <QDBusAbstractAdaptor>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QGuiApplication>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using platform::PortalTextInserter;
using platform::TextInserter;

namespace {
const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kGlobalShortcuts = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
} // namespace

/// A shortcut as BindShortcuts is given it.
struct FakeShortcut
{
    QString id;
    QVariantMap properties;
};
Q_DECLARE_METATYPE(FakeShortcut)

QDBusArgument& operator<<(QDBusArgument& argument, const FakeShortcut& shortcut)
{
    argument.beginStructure();
    argument << shortcut.id << shortcut.properties;
    argument.endStructure();
    return argument;
}
const QDBusArgument& operator>>(const QDBusArgument& argument, FakeShortcut& shortcut)
{
    argument.beginStructure();
    argument >> shortcut.id >> shortcut.properties;
    argument.endStructure();
    return argument;
}

/// The portal's RemoteDesktop interface, answering each request by its Response signal.
class FakePortal : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.RemoteDesktop")
    Q_PROPERTY(uint version MEMBER version)
public:
    explicit FakePortal(QStringList& log) : m_log(log) {}
    uint version = 1;
    uint startAnswer = 0;       ///< 1: the user declines
    QStringList tokensHonoured; ///< restore tokens the portal still knows
    int goAwayAtKey = -1;       ///< the portal leaves the bus at this key event
    QString session;

    void closeSession()
    {
        QDBusMessage closed = QDBusMessage::createSignal(
            session, QStringLiteral("org.freedesktop.portal.Session"), QStringLiteral("Closed"));
        closed << QVariantMap();
        QDBusConnection(QStringLiteral("fake-portal")).send(closed);
    }

    /// The request's path, answered with this Response once the call has returned.
    QDBusObjectPath respondLater(const QVariantMap& options, uint answer,
                                 const QVariantMap& results)
    {
        return respond(options, answer, results);
    }
    QString sessionFor(const QVariantMap& options) const
    {
        return kPath + QStringLiteral("/session/") + caller() + QLatin1Char('/') +
               options.value(QStringLiteral("session_handle_token")).toString();
    }

public slots:
    QDBusObjectPath CreateSession(const QVariantMap& options)
    {
        m_log << QStringLiteral("CreateSession");
        session = kPath + QStringLiteral("/session/") + caller() + QLatin1Char('/') +
                  options.value(QStringLiteral("session_handle_token")).toString();
        return respond(options, 0, {{QStringLiteral("session_handle"), session}});
    }
    QDBusObjectPath SelectDevices(const QDBusObjectPath& handle, const QVariantMap& options)
    {
        QString line = QStringLiteral("SelectDevices %1 types %2")
                           .arg(handle.path() == session ? "session" : "unknown")
                           .arg(options.value(QStringLiteral("types")).toUInt());
        if (options.contains(QStringLiteral("persist_mode")))
            line += QStringLiteral(" persist %1")
                        .arg(options.value(QStringLiteral("persist_mode")).toUInt());
        m_token = options.value(QStringLiteral("restore_token")).toString();
        if (!m_token.isEmpty())
            line += QStringLiteral(" token ") + m_token;
        m_persist = options.contains(QStringLiteral("persist_mode"));
        m_log << line;
        return respond(options, 0, {});
    }
    QDBusObjectPath Start(const QDBusObjectPath& handle, const QString&, const QVariantMap& options)
    {
        m_log << QStringLiteral("Start %1").arg(handle.path() == session ? "session" : "unknown");
        if (!m_token.isEmpty() && !tokensHonoured.contains(m_token))
            return respond(options, 2, {});
        QVariantMap results{{QStringLiteral("devices"), 1u}};
        if (m_persist) {
            // A new token at every start: each serves once.
            tokensHonoured = {QStringLiteral("T%1").arg(++m_issued)};
            results.insert(QStringLiteral("restore_token"), tokensHonoured.first());
        }
        return respond(options, startAnswer, results);
    }
    void NotifyKeyboardKeysym(const QDBusObjectPath&, const QVariantMap&, int keysym, uint state)
    {
        // Gone: what was sent before it went fails too.
        if (goAwayAtKey >= 0 && m_keys++ >= goAwayAtKey) {
            connection().unregisterService(kService);
            sendErrorReply(QDBusError::ServiceUnknown, QStringLiteral("The portal has gone."));
            return;
        }
        m_log << QStringLiteral("%1%2").arg(keysym, 0, 16).arg(state ? '+' : '-');
    }

private:
    /// The request object's path, as the caller expects it from the token it gave.
    QString caller() const
    {
        return message().service().mid(1).replace(QLatin1Char('.'), QLatin1Char('_'));
    }
    QDBusObjectPath respond(const QVariantMap& options, uint answer, const QVariantMap& results)
    {
        const QString path = kPath + QStringLiteral("/request/") + caller() + QLatin1Char('/') +
                             options.value(QStringLiteral("handle_token")).toString();
        QTimer::singleShot(0, this, [path, answer, results] {
            QDBusMessage response = QDBusMessage::createSignal(
                path, QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Response"));
            response << answer << results;
            QDBusConnection(QStringLiteral("fake-portal")).send(response);
        });
        return QDBusObjectPath(path);
    }

    QStringList& m_log;
    int m_keys = 0;
    QString m_token;
    bool m_persist = false;
    int m_issued = 0;
};

/// The portal's GlobalShortcuts interface, beside RemoteDesktop on the same object.
class FakeShortcuts : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.GlobalShortcuts")
public:
    FakeShortcuts(FakePortal* portal, QStringList& log)
        : QDBusAbstractAdaptor(portal), m_portal(portal), m_log(log)
    {}
    QString session;

public slots:
    QDBusObjectPath CreateSession(const QVariantMap& options)
    {
        session = m_portal->sessionFor(options);
        m_log << QStringLiteral("shortcuts CreateSession");
        return m_portal->respondLater(options, 0, {{QStringLiteral("session_handle"), session}});
    }
    QDBusObjectPath BindShortcuts(const QDBusObjectPath& handle,
                                  const QList<FakeShortcut>& shortcuts, const QString&,
                                  const QVariantMap& options)
    {
        for (const FakeShortcut& shortcut : shortcuts)
            m_log << QStringLiteral("BindShortcuts %1 %2 %3")
                         .arg(handle.path() == session ? "session" : "unknown", shortcut.id,
                              shortcut.properties.value("preferred_trigger").toString());
        return m_portal->respondLater(options, 0, {});
    }

private:
    FakePortal* m_portal;
    QStringList& m_log;
};

class TestPortalTyping : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();
    void typing_data();
    void typing();
    void declinedIsNotAskedAgain();
    void sessionClosedByTheDesktop();
    void permissionKeptFromRunToRun();
    void summonKeyThroughThePortal();
    void onlyWhatTheLayoutHas();

private:
    /// Runs one insert to its end.
    TextInserter::Result insert(PortalTextInserter& inserter, const QString& text,
                                bool paste = false);
    void startPortal();

    QTemporaryDir m_dir;
    QProcess m_bus;
    QString m_address;
    QStringList m_log;
    std::unique_ptr<FakePortal> m_portal;
    FakeShortcuts* m_shortcuts = nullptr; ///< owned by the portal
};

void TestPortalTyping::initTestCase()
{
    qDBusRegisterMetaType<FakeShortcut>();
    qDBusRegisterMetaType<QList<FakeShortcut>>();
    m_bus.start(QStringLiteral("dbus-daemon"),
                {QStringLiteral("--session"), QStringLiteral("--nofork"),
                 QStringLiteral("--print-address"),
                 QStringLiteral("--address=unix:path=") + m_dir.path() + QStringLiteral("/bus")});
    QVERIFY(m_bus.waitForReadyRead(10000));
    m_address = QString::fromUtf8(m_bus.readLine()).trimmed();
    QVERIFY(!m_address.isEmpty());
}

void TestPortalTyping::cleanupTestCase()
{
    m_bus.terminate();
    m_bus.waitForFinished();
}

void TestPortalTyping::startPortal()
{
    QDBusConnection bus = QDBusConnection::connectToBus(m_address, QStringLiteral("fake-portal"));
    QVERIFY(bus.isConnected());
    m_portal = std::make_unique<FakePortal>(m_log);
    m_shortcuts = new FakeShortcuts(m_portal.get(), m_log);
    QVERIFY(bus.registerObject(kPath, m_portal.get(),
                               QDBusConnection::ExportAllSlots |
                                   QDBusConnection::ExportAllProperties |
                                   QDBusConnection::ExportAdaptors));
    QVERIFY(bus.registerService(kService));
}

void TestPortalTyping::cleanup()
{
    QDBusConnection bus(QStringLiteral("fake-portal"));
    if (bus.isConnected()) {
        bus.unregisterService(kService);
        bus.unregisterObject(kPath);
    }
    QDBusConnection::disconnectFromBus(QStringLiteral("fake-portal"));
    m_portal.reset();
    m_log.clear();
}

TextInserter::Result TestPortalTyping::insert(PortalTextInserter& inserter, const QString& text,
                                              bool paste)
{
    std::optional<TextInserter::Result> result;
    inserter.insert({.text = text, .paste = paste, .stepAside = [this] { m_log << "step aside"; }},
                    [&result](const TextInserter::Result& r) { result = r; });
    if (!QTest::qWaitFor([&result] { return result.has_value(); }, 10000))
        return {TextInserter::Outcome::Busy, QStringLiteral("no answer")};
    return *result;
}

void TestPortalTyping::typing_data()
{
    QTest::addColumn<bool>("portal");
    QTest::addColumn<QString>("text"); ///< "<paste>" for the paste keystroke
    QTest::addColumn<int>("goAwayAtKey");
    QTest::addColumn<TextInserter::Outcome>("outcome");
    QTest::addColumn<QStringList>("calls");
    const QStringList session = {"CreateSession", "SelectDevices session types 1", "Start session",
                                 "step aside"};
    using Outcome = TextInserter::Outcome;
    QTest::newRow("a face, after the window stepped aside")
        << true << ":-)" << -1 << Outcome::Inserted
        << session + QStringList{"3a+", "3a-", "2d+", "2d-", "29+", "29-"};
    QTest::newRow("beyond Latin-1, as Unicode keysyms")
        << true << "é🙂" << -1 << Outcome::Inserted
        << session + QStringList{"e9+", "e9-", "101f642+", "101f642-"};
    QTest::newRow("the paste keystroke") << true << "<paste>" << -1 << Outcome::Inserted
                                         << session + QStringList{"ffe3+", "76+", "76-", "ffe3-"};
    QTest::newRow("a character without a keysym: nothing asked")
        << true << "a\tb" << -1 << Outcome::NotTypeable << QStringList{};
    QTest::newRow("no portal") << false << ":-)" << -1 << Outcome::NoTarget << QStringList{};
    QTest::newRow("the portal goes in the middle")
        << true << ":-)" << 2 << Outcome::Failed << session + QStringList{"3a+", "3a-"};
}

void TestPortalTyping::typing()
{
    QFETCH(bool, portal);
    QFETCH(QString, text);
    QFETCH(int, goAwayAtKey);
    QFETCH(TextInserter::Outcome, outcome);
    QFETCH(QStringList, calls);
    if (portal) {
        startPortal();
        m_portal->goAwayAtKey = goAwayAtKey;
    }
    PortalTextInserter inserter(m_address);
    QCOMPARE(inserter.target(), TextInserter::Target::Any); // unknown until asked
    const TextInserter::Result result = insert(inserter, text, text == "<paste>");
    QCOMPARE(result.outcome, outcome);
    // Replies to keys sent before the portal went may still be on their way.
    QTRY_COMPARE(m_log, calls);
    if (outcome == TextInserter::Outcome::Failed)
        QVERIFY(!result.message.isEmpty());
    if (!portal)
        QCOMPARE(inserter.target(), TextInserter::Target::None);

    if (outcome == TextInserter::Outcome::Inserted) {
        // The session is kept for the run: the next insert only types.
        m_log.clear();
        QCOMPARE(insert(inserter, QStringLiteral("B")).outcome, TextInserter::Outcome::Inserted);
        QCOMPARE(m_log, (QStringList{"step aside", "42+", "42-"}));
    }
}

void TestPortalTyping::declinedIsNotAskedAgain()
{
    startPortal();
    m_portal->startAnswer = 1;
    PortalTextInserter inserter(m_address);
    QCOMPARE(insert(inserter, QStringLiteral(":-)")).outcome, TextInserter::Outcome::NoTarget);
    QCOMPARE(m_log,
             (QStringList{"CreateSession", "SelectDevices session types 1", "Start session"}));
    QCOMPARE(inserter.target(), TextInserter::Target::None);
    m_log.clear();
    QCOMPARE(insert(inserter, QStringLiteral(":-)")).outcome, TextInserter::Outcome::NoTarget);
    QVERIFY(m_log.isEmpty());
}

void TestPortalTyping::sessionClosedByTheDesktop()
{
    startPortal();
    PortalTextInserter inserter(m_address);
    QCOMPARE(insert(inserter, QStringLiteral("a")).outcome, TextInserter::Outcome::Inserted);
    m_portal->closeSession();
    QTest::qWait(100);
    m_log.clear();
    QCOMPARE(insert(inserter, QStringLiteral("a")).outcome, TextInserter::Outcome::Inserted);
    QCOMPARE(m_log.value(0), QStringLiteral("CreateSession"));
}

// Version 2: the permission is asked to be kept, the token stored, sent at the next run and
// renewed; one the portal has forgotten leads to the question asked afresh.
void TestPortalTyping::permissionKeptFromRunToRun()
{
    startPortal();
    m_portal->version = 2;
    platform::fakes::FakeSettingsStore settings;
    const QString token = QStringLiteral("Glyphora/Settings/RemoteDesktopToken");
    const QStringList typed = {"step aside", "61+", "61-"};
    {
        PortalTextInserter run(m_address, &settings);
        QCOMPARE(insert(run, QStringLiteral("a")).outcome, TextInserter::Outcome::Inserted);
    }
    QCOMPARE(m_log, QStringList({"CreateSession", "SelectDevices session types 1 persist 2",
                                 "Start session"}) +
                        typed);
    QCOMPARE(settings.values.value(token), QStringLiteral("T1"));

    m_log.clear();
    {
        PortalTextInserter next(m_address, &settings);
        QCOMPARE(insert(next, QStringLiteral("a")).outcome, TextInserter::Outcome::Inserted);
    }
    QCOMPARE(m_log,
             QStringList({"CreateSession", "SelectDevices session types 1 persist 2 token T1",
                          "Start session"}) +
                 typed);
    QCOMPARE(settings.values.value(token), QStringLiteral("T2"));

    // Forgotten by the portal: asked afresh, and the new token kept.
    m_portal->tokensHonoured.clear();
    m_log.clear();
    {
        PortalTextInserter again(m_address, &settings);
        QCOMPARE(insert(again, QStringLiteral("a")).outcome, TextInserter::Outcome::Inserted);
    }
    QCOMPARE(m_log,
             QStringList({"CreateSession", "SelectDevices session types 1 persist 2 token T2",
                          "Start session", "CreateSession",
                          "SelectDevices session types 1 persist 2", "Start session"}) +
                 typed);
    QCOMPARE(settings.values.value(token), QStringLiteral("T3"));
}

// Where the layout can be read, a face with a character it lacks is not sent as keys, which
// a desktop would drop while saying all went well: it is pasted, and the user's clipboard
// put back afterwards. Without a key for Ctrl+V, it is copied instead.
void TestPortalTyping::onlyWhatTheLayoutHas()
{
    startPortal();
    PortalTextInserter inserter(m_address);
    bool hasV = true;
    inserter.setLayoutReader([&hasV] {
        platform::KeyboardLayout layout;
        layout.minKeycode = 38;
        layout.maxKeycode = 55;
        layout.modifierKeys[3] = 37; // Control
        layout.spareKeycodes = {93}; // not to be lent: the portal types keysyms
        layout.key = [&hasV](int keycode, platform::KeyModifiers held) -> platform::KeyOutput {
            if (held & ~platform::kControl)
                return {}; // one level only
            if (keycode == 38)
                return {0x61, U'a'};
            if (keycode == 55 && hasV)
                return {0x76, U'v'};
            return {};
        };
        return std::optional(layout);
    });
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("keep me"));
    QCOMPARE(insert(inserter, QStringLiteral("a\u30C4")).outcome, TextInserter::Outcome::Inserted);
    QCOMPARE(m_log.mid(m_log.size() - 4), (QStringList{"ffe3+", "76+", "76-", "ffe3-"}));
    QCOMPARE(clipboard->text(), QStringLiteral("a\u30C4"));
    QTRY_COMPARE(clipboard->text(), QStringLiteral("keep me"));

    m_log.clear();
    QCOMPARE(insert(inserter, QStringLiteral("a")).outcome, TextInserter::Outcome::Inserted);
    QCOMPARE(m_log, (QStringList{"step aside", "61+", "61-"}));

    hasV = false;
    m_log.clear();
    const TextInserter::Result missing = insert(inserter, QStringLiteral("a\u30C4"));
    QCOMPARE(missing.outcome, TextInserter::Outcome::NotTypeable);
    QCOMPARE(missing.message,
             QStringLiteral("your keyboard layout has no key for \u201C\u30C4\u201D, "
                            "and the desktop types only what it has"));
    QVERIFY(m_log.isEmpty());
    QCOMPARE(clipboard->text(), QStringLiteral("keep me"));
}

void TestPortalTyping::summonKeyThroughThePortal()
{
    {
        // No portal: said, so that the user binds the command instead.
        platform::PortalSummonKey key(m_address);
        QSignalSpy unavailable(&key, &platform::PortalSummonKey::unavailable);
        key.bind(platform::parseKeyChord(u"super+period").chord);
        QTRY_COMPARE(unavailable.size(), 1);
        QCOMPARE(unavailable[0][0].toString(),
                 QStringLiteral("the desktop has no portal for global shortcuts"));
    }
    startPortal();
    platform::PortalSummonKey key(m_address);
    QSignalSpy pressed(&key, &platform::PortalSummonKey::pressed);
    const auto activate = [](const QString& session) {
        QDBusMessage activated =
            QDBusMessage::createSignal(kPath, kGlobalShortcuts, QStringLiteral("Activated"));
        activated << QVariant::fromValue(QDBusObjectPath(session)) << QStringLiteral("summon")
                  << qulonglong(1) << QVariantMap{{"activation_token", "token-1"}};
        QDBusConnection(QStringLiteral("fake-portal")).send(activated);
    };
    key.bind(platform::parseKeyChord(u"super+period").chord);
    QTRY_COMPARE(m_log, (QStringList{"shortcuts CreateSession",
                                     "BindShortcuts session summon LOGO+period"}));
    activate(m_shortcuts->session);
    QTRY_COMPARE(pressed.size(), 1);
    QCOMPARE(pressed[0][0].toMap().value("activation-token").toString(), QStringLiteral("token-1"));

    // Another key: a session of its own; the old one's presses no longer count.
    const QString old = m_shortcuts->session;
    m_log.clear();
    key.bind(platform::parseKeyChord(u"ctrl+alt+F5").chord);
    QTRY_COMPARE(m_log, (QStringList{"shortcuts CreateSession",
                                     "BindShortcuts session summon CTRL+ALT+F5"}));
    activate(old);
    activate(m_shortcuts->session);
    QTRY_COMPARE(pressed.size(), 2);
    QTest::qWait(50);
    QCOMPARE(pressed.size(), 2);
}

QTEST_MAIN(TestPortalTyping)
#include "tst_portal_typing.moc"
