// Which keys type a face on a layout, with small stand-ins for the US, German and French
// layouts: the level each character needs, the spare keycodes for what a layout lacks, and
// the faces that are not typed at all. Also which windows are typed into.

#include "platform/typing/TypingPlan.h"
#include "platform/typing/TypingTarget.h"

#include <QHash>
#include <QTest>

using namespace platform;

Q_DECLARE_METATYPE(std::optional<WindowType>)

namespace {
/// A layout written as keys: "24=qQ@" is keycode 24 giving q, Q with Shift, @ with AltGr
/// (and Shift+AltGr next). "·" is a level that gives no character (a dead key, say), "␠" a
/// blank, and "k" after the keycode marks a keypad key.
struct FakeLayout
{
    QString keys;
    int modifiers[4]; ///< Shift, AltGr, level 5, Control
    QList<int> spares;

    KeyboardLayout layout() const
    {
        QHash<int, std::pair<QList<char32_t>, bool>> table;
        for (const QString& key : keys.split(' ', Qt::SkipEmptyParts)) {
            const QString code = key.section('=', 0, 0);
            QList<char32_t> levels;
            for (char32_t c : key.section('=', 1).toUcs4())
                levels << (c == U'·' ? 0 : c == U'␠' ? U' ' : c);
            table.insert(QString(code).remove('k').toInt(), {levels, code.endsWith('k')});
        }
        KeyboardLayout layout;
        std::copy(std::begin(modifiers), std::end(modifiers), layout.modifierKeys);
        layout.spareKeycodes = spares;
        layout.key = [table](int keycode, KeyModifiers held) -> KeyOutput {
            const auto [levels, keypad] = table.value(keycode);
            const int level = ((held & kShift) ? 1 : 0) + ((held & kLevel3) ? 2 : 0);
            const char32_t c = (held & kLevel5) ? 0 : levels.value(level);
            if (c == 0)
                return {};
            // Keypad keysyms sit at 0xff80 and above; the others as X has them.
            return {keypad ? 0xffb0 + (c - U'0') : keysymForCharacter(c), c};
        };
        return layout;
    }
};

// Shift_L 50, ISO_Level3_Shift 92, no level 5, Control_L 37.
const FakeLayout kUs{"10=1! 11=2@ 17=8* 18=9( 19=0) 20=-_ 24=qQ 31=iI 33=pP 34=[{ 35=]} 47=;: "
                     "49=`~ 51=\\| 55=vV 65=␠␠ 87k=·1 94=<>|¦",
                     {50, 92, 0, 37},
                     {93, 97}};
const FakeLayout kDe{"10=1!¹¡ 11=2\"² 16=7/{ 17=8([ 18=9)] 19=0=} 20=ß?\\ 21=·· 24=qQ@ 26=eE€ "
                     "31=iI 33=pP 35=+*~ 49=·° 55=vV 59=,; 60=.: 61=-_ 65=␠␠ 87k=·1 94=<>|",
                     {50, 92, 0, 37},
                     {93}};
const FakeLayout kFr{"10=&1 11=é2~ 14=(5[ 15=-6| 16=è7` 17=_8\\ 18=ç9^ 19=à0@ 20=)°] 33=pP 55=vV "
                     "58=,? 59=;. 60=:/ 65=␠␠ 87k=·1",
                     {50, 92, 0, 37},
                     {93}};
// Letters of another script only, one spare keycode: Latin faces go through it in turns.
const FakeLayout kRu{"24=йЙ 47=жЖ 55=мМ 18=9( 19=0) 20=-_", {50, 0, 0, 37}, {93}};
const FakeLayout kNoSpare{"24=qQ", {50, 0, 0, 37}, {}};
// The digit 1 only on the keypad: a keypad key may be read as a command, so it is not used.
const FakeLayout kKeypadOnly{"87k=·1", {50, 0, 0, 37}, {93}};

const QHash<QString, const FakeLayout*> kLayouts = {{"us", &kUs},
                                                    {"de", &kDe},
                                                    {"fr", &kFr},
                                                    {"ru", &kRu},
                                                    {"no spare", &kNoSpare},
                                                    {"keypad only", &kKeypadOnly}};

/// The plan as "[93:60] S+47 G+24": lent keys with their keysym, then each stroke with the
/// modifiers held (S Shift, G AltGr, C Control); rounds split by "|"; "-" when not complete.
QString render(const TypingPlan& plan)
{
    if (!plan.complete)
        return QStringLiteral("-");
    QStringList rounds;
    for (const TypingRound& round : plan.rounds) {
        QStringList tokens;
        for (const auto& [keycode, keysym] : round.lent)
            tokens << QStringLiteral("[%1:%2]").arg(keycode).arg(keysym, 0, 16);
        for (const Keystroke& stroke : round.strokes) {
            QString held;
            held += (stroke.held & kShift) ? "S" : "";
            held += (stroke.held & kLevel3) ? "G" : "";
            held += (stroke.held & kControl) ? "C" : "";
            tokens << (held.isEmpty() ? QString() : held + "+") + QString::number(stroke.keycode);
        }
        rounds << tokens.join(' ');
    }
    return rounds.join(QStringLiteral(" | "));
}
} // namespace

class TestTypingPlan : public QObject
{
    Q_OBJECT
private slots:
    void plan_data();
    void plan();
    void events_data();
    void events();
    void targets_data();
    void targets();
    void terminals_data();
    void terminals();
};

void TestTypingPlan::plan_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("plan");
    QTest::newRow("us wink") << "us"
                             << ";-)"
                             << "47 20 S+19";
    QTest::newRow("us angel: a digit and a blank") << "us"
                                                   << "0 :-)"
                                                   << "19 65 S+47 20 S+19";
    QTest::newRow("us acronym with its trailing blank") << "us"
                                                        << "IP "
                                                        << "S+31 S+33 65";
    QTest::newRow("us turban") << "us"
                               << "@:-)"
                               << "S+11 S+47 20 S+19";
    QTest::newRow("us undecided") << "us"
                                  << ":-\\"
                                  << "S+47 20 51";
    QTest::newRow("us bar on the plain key, not AltGr") << "us"
                                                        << "|"
                                                        << "S+51";
    QTest::newRow("us non-ASCII: spare keys") << "us"
                                              << "é€"
                                              << "[93:e9] [97:20ac] 93 97";
    QTest::newRow("us one spare serves a repeated character") << "us"
                                                              << "éqé"
                                                              << "[93:e9] 93 24 93";
    QTest::newRow("us beyond the basic plane") << "us"
                                               << "🙂"
                                               << "[93:101f642] 93";
    QTest::newRow("de turban: AltGr+q") << "de"
                                        << "@:-)"
                                        << "G+24 S+60 61 S+18";
    QTest::newRow("de hair") << "de"
                             << "{:-)"
                             << "G+16 S+60 61 S+18";
    QTest::newRow("de undecided") << "de"
                                  << ":-\\"
                                  << "S+60 61 G+20";
    QTest::newRow("de asleep") << "de"
                               << "|I"
                               << "G+94 S+31";
    QTest::newRow("de flame") << "de"
                              << "~~:-("
                              << "G+35 G+35 S+60 61 S+17";
    QTest::newRow("de grave is a dead key: spare") << "de"
                                                   << "`:-)"
                                                   << "[93:60] 93 S+60 61 S+18";
    QTest::newRow("de euro on its own key") << "de"
                                            << "€"
                                            << "G+26";
    QTest::newRow("fr wink: semicolon plain") << "fr"
                                              << ";-)"
                                              << "59 15 20";
    QTest::newRow("fr angel: digits need Shift") << "fr"
                                                 << "0 :-)"
                                                 << "S+19 65 60 15 20";
    QTest::newRow("fr glasses") << "fr"
                                << "8-)"
                                << "S+17 15 20";
    QTest::newRow("fr hug: AltGr brackets") << "fr"
                                            << "[]"
                                            << "G+14 G+20";
    QTest::newRow("fr yuk") << "fr"
                            << "|-P"
                            << "G+15 15 S+33";
    QTest::newRow("fr grave and tilde on AltGr") << "fr"
                                                 << "`~"
                                                 << "G+16 G+11";
    QTest::newRow("keypad not used") << "keypad only"
                                     << "1"
                                     << "[93:31] 93";
    QTest::newRow("ru: Latin in turns through one spare") << "ru"
                                                          << ":-p"
                                                          << "[93:3a] 93 20 | [93:70] 93";
    QTest::newRow("no spare for what the layout lacks") << "no spare"
                                                        << "qé"
                                                        << "-";
    QTest::newRow("empty text") << "us"
                                << ""
                                << "";
    QTest::newRow("tab") << "us"
                         << "a\tb"
                         << "-";
    QTest::newRow("line break") << "us"
                                << ":-)\n"
                                << "-";
    QTest::newRow("DEL") << "us"
                         << "\x7f"
                         << "-";
    QTest::newRow("C1 control") << "us"
                                << "\u0085"
                                << "-";
    QTest::newRow("noncharacter") << "us"
                                  << "\uFFFE"
                                  << "-";
    QTest::newRow("lone surrogate") << "us" << QString(QChar(0xd83d)) + "p"
                                    << "-";
}

void TestTypingPlan::plan()
{
    QFETCH(QString, layout);
    QFETCH(QString, text);
    QFETCH(QString, plan);
    const KeyboardLayout keyboard = kLayouts.value(layout)->layout();
    QCOMPARE(render(planTyping(text, keyboard)), plan);
}

void TestTypingPlan::events_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("paste");
    QTest::addColumn<QString>("events");
    // Shift stays down across strokes that all need it, and every modifier is up at the end.
    QTest::newRow("us Q:") << "us"
                           << "Q:" << false << "+50 +24 -24 +47 -47 -50";
    QTest::newRow("us :-)") << "us"
                            << ":-)" << false << "+50 +47 -47 -50 +20 -20 +50 +19 -19 -50";
    QTest::newRow("de @p") << "de"
                           << "@p" << false << "+92 +24 -24 -92 +33 -33";
    QTest::newRow("de from AltGr to Shift") << "de"
                                            << "@:" << false << "+92 +24 -24 -92 +50 +60 -60 -50";
    QTest::newRow("us paste") << "us"
                              << "" << true << "+37 +55 -55 -37";
    QTest::newRow("ru paste on a spare key") << "ru"
                                             << "" << true << "+37 +93 -93 -37";
}

void TestTypingPlan::events()
{
    QFETCH(QString, layout);
    QFETCH(QString, text);
    QFETCH(bool, paste);
    QFETCH(QString, events);
    const KeyboardLayout keyboard = kLayouts.value(layout)->layout();
    const TypingPlan plan = paste ? planPaste(keyboard) : planTyping(text, keyboard);
    QVERIFY(plan.complete);
    QStringList rendered;
    for (const TypingRound& round : plan.rounds) {
        for (const KeyEvent& event : keyEvents(round, keyboard))
            rendered << (event.press ? "+" : "-") + QString::number(event.keycode);
    }
    QCOMPARE(rendered.join(' '), events);
}

void TestTypingPlan::targets_data()
{
    QTest::addColumn<bool>("ours");
    QTest::addColumn<std::optional<WindowType>>("type");
    QTest::addColumn<bool>("target");
    QTest::newRow("a window without a type") << false << std::optional<WindowType>() << true;
    QTest::newRow("a normal window") << false << std::optional(WindowType::Normal) << true;
    QTest::newRow("a dialog") << false << std::optional(WindowType::Dialog) << true;
    QTest::newRow("Glyphora's own") << true << std::optional(WindowType::Normal) << false;
    QTest::newRow("the desktop") << false << std::optional(WindowType::Desktop) << false;
    QTest::newRow("a panel") << false << std::optional(WindowType::Dock) << false;
    QTest::newRow("a notification") << false << std::optional(WindowType::Notification) << false;
    QTest::newRow("a type unknown here") << false << std::optional(WindowType::Other) << true;
}

void TestTypingPlan::targets()
{
    QFETCH(bool, ours);
    QFETCH(std::optional<WindowType>, type);
    QFETCH(bool, target);
    QCOMPARE(isTypingTarget(ours, type), target);
}

void TestTypingPlan::terminals_data()
{
    QTest::addColumn<QByteArray>("instance");
    QTest::addColumn<QByteArray>("className");
    QTest::addColumn<bool>("terminal");
    QTest::newRow("xterm") << QByteArray("xterm") << QByteArray("XTerm") << true;
    QTest::newRow("urxvt") << QByteArray("urxvt") << QByteArray("URxvt") << true;
    QTest::newRow("GNOME") << QByteArray("gnome-terminal-server") << QByteArray("Gnome-terminal")
                           << true;
    QTest::newRow("kitty") << QByteArray("kitty") << QByteArray("kitty") << true;
    QTest::newRow("Konsole") << QByteArray("konsole") << QByteArray("konsole") << true;
    QTest::newRow("a browser") << QByteArray("Navigator") << QByteArray("firefox-esr") << false;
    QTest::newRow("a chat program") << QByteArray("pidgin") << QByteArray("Pidgin") << false;
    QTest::newRow("no class") << QByteArray() << QByteArray() << false;
}

void TestTypingPlan::terminals()
{
    QFETCH(QByteArray, instance);
    QFETCH(QByteArray, className);
    QFETCH(bool, terminal);
    QCOMPARE(isTerminal(instance, className), terminal);
}

QTEST_APPLESS_MAIN(TestTypingPlan)
#include "tst_typing_plan.moc"
