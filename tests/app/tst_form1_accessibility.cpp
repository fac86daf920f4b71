// The main window as a screen reader and a keyboard-only user meet it: every control says
// what it is, the emoticon display says what the face means, and Tab reaches every button.

#include "app/Form1.h"
#include "catalogue/Faces.h"
#include "platform/fakes/FakePlatform.h"
#include "tests/AccessibleTree.h"
#include "tests/app/StartedForm1.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>

using platform::fakes::FakePlatform;

class TestForm1Accessibility : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void everyVisibleControlIsNamed_data();
    void everyVisibleControlIsNamed();
    void names_data();
    void names();
    void choosingAnEntryDescribesTheDisplay_data();
    void choosingAnEntryDescribesTheDisplay();
    void pictureButtonDescribesThePicture();
    void tabReachesEveryButton_data();
    void tabReachesEveryButton();

private:
    template <typename T> T* child(const char* name) { return m_form->findChild<T*>(name); }
    QAccessibleInterface* iface(const char* name)
    {
        return QAccessible::queryAccessibleInterface(child<QWidget>(name));
    }
    void openPanel() { child<QPushButton>("cmdOpenEbonic")->click(); }
    std::unique_ptr<FakePlatform> m_platform;
    std::unique_ptr<Form1> m_form;
};

void TestForm1Accessibility::init()
{
    QVERIFY(startShownForm1(m_platform, m_form));
}

void TestForm1Accessibility::cleanup()
{
    m_form.reset();
    m_platform.reset();
}

void TestForm1Accessibility::everyVisibleControlIsNamed_data()
{
    QTest::addColumn<bool>("acronyms");
    QTest::addColumn<bool>("panel");
    QTest::addColumn<int>("picture"); // a picture button to click first; -1: none
    QTest::newRow("start") << false << false << -1;
    QTest::newRow("acronyms, panel open") << true << true << -1;
    QTest::newRow("picture shown") << false << true << 9;
}

void TestForm1Accessibility::everyVisibleControlIsNamed()
{
    QFETCH(bool, acronyms);
    QFETCH(bool, panel);
    QFETCH(int, picture);
    if (acronyms)
        m_form->mnuAcronyms_Click();
    if (panel)
        openPanel();
    if (picture >= 0)
        child<QPushButton>(qPrintable(QStringLiteral("Command%1").arg(4 + picture)))->click();
    const QStringList silent = accessible_tree::silentControls(m_form.get());
    QVERIFY2(silent.isEmpty(), qPrintable(silent.join(QStringLiteral("; "))));
}

void TestForm1Accessibility::names_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");

    auto row = [](const char* control, QAccessible::Role role, const char* name,
                  const char* description) {
        QTest::newRow(control) << control << int(role) << name << description;
    };
    // The picture buttons are called by their faces.
    for (std::size_t i = 0; i < catalogue::faces().size(); ++i) {
        const QString control = QStringLiteral("Command%1").arg(4 + i);
        QTest::newRow(qPrintable(control))
            << control << int(QAccessible::Button) << catalogue::faces()[i].description.toString()
            << "Shows this picture, ready to copy";
    }
    row("Label1", QAccessible::StaticText, "", "The chosen emoticon or acronym");
    row("Label2", QAccessible::StaticText, "", "What the chosen entry means");
    row("Txt1", QAccessible::EditableText, "Search text", "Enter search text here");
    row("Check1", QAccessible::CheckBox, "Play sounds", "Enable / Disable Sound");
    row("Command1", QAccessible::Button, "Copy to clipboard", "Copy To Memory ");
    row("Command15", QAccessible::Button, "Copy picture to clipboard", "Copy To Memory ");
    row("Command3", QAccessible::Button, "Clear search", "Clear Search");
    row("chkOnTop", QAccessible::CheckBox, "On Top", "Always on top");
    row("Command2", QAccessible::Button, "Quit", "Exit");
    row("List1", QAccessible::List, "Smileys", "Choosing one shows it, ready to copy");
    row("List2", QAccessible::List, "Acronyms", "Choosing one shows it, ready to copy");
    row("cmdOpenEbonic", QAccessible::Button, "Open the translator", "");
    row("Label3", QAccessible::StaticText, "English to ebonic Translator", "");
    row("Message_Text", QAccessible::EditableText, "Message", "The text to translate");
    row("cmdClearText", QAccessible::Button, "Clear message", "");
    row("Cmdtranlate", QAccessible::Button, "Translate now", "Translates the message");
    row("cmdUndo", QAccessible::Button, "Undo Translate",
        "Brings back the message as it was before the translation");
    row("lblStatus", QAccessible::StaticText, "", "Translator status");
    row("cmdCloseEbonic", QAccessible::Button, "Close the translator", "");
}

void TestForm1Accessibility::names()
{
    QFETCH(QString, control);
    QFETCH(int, role);
    QFETCH(QString, name);
    QFETCH(QString, description);
    QAccessibleInterface* i = iface(qPrintable(control));
    QVERIFY(i);
    QCOMPARE(int(i->role()), role);
    QCOMPARE(i->text(QAccessible::Name), name);
    QCOMPARE(i->text(QAccessible::Description), description);
}

void TestForm1Accessibility::choosingAnEntryDescribesTheDisplay_data()
{
    QTest::addColumn<bool>("acronyms");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("description");
    QTest::newRow("first smiley") << false << 0 << "0 :-)"
                                  << "Angel - User is an angel. At heart - at least.";
    QTest::newRow("shared caption") << false << 13 << ":-*"
                                    << "Bizarre - Smiley after a BIZARRE comment.";
    QTest::newRow("acronym") << true << 5 << "AFK"
                             << "AFK - away from keyboard";
}

void TestForm1Accessibility::choosingAnEntryDescribesTheDisplay()
{
    QFETCH(bool, acronyms);
    QFETCH(int, row);
    QFETCH(QString, text);
    QFETCH(QString, description);
    if (acronyms)
        m_form->mnuAcronyms_Click();
    auto* list = child<QListWidget>(acronyms ? "List2" : "List1");
    QAccessibleInterface* display = iface("Label1");

    list->setCurrentRow(row);
    // The face's punctuation is its name; what it means comes with it.
    QCOMPARE(display->text(QAccessible::Name), text);
    QCOMPARE(display->text(QAccessible::Description), description);

    list->setCurrentRow(-1);
    QCOMPARE(display->text(QAccessible::Name), QString());
    QCOMPARE(display->text(QAccessible::Description),
             QStringLiteral("The chosen emoticon or acronym"));
}

void TestForm1Accessibility::pictureButtonDescribesThePicture()
{
    child<QPushButton>("Command14")->click();
    QAccessibleInterface* picture = iface("Image1");
    QCOMPARE(picture->text(QAccessible::Name), QStringLiteral("Chosen picture"));
    QCOMPARE(picture->text(QAccessible::Description), QStringLiteral("Wink"));
    QVERIFY(!picture->state().invisible);
    QVERIFY(iface("Label1")->state().invisible);
}

void TestForm1Accessibility::tabReachesEveryButton_data()
{
    QTest::addColumn<bool>("panel");
    QTest::newRow("panel closed") << false;
    QTest::newRow("panel open") << true;
}

void TestForm1Accessibility::tabReachesEveryButton()
{
    QFETCH(bool, panel);
    if (panel)
        openPanel();
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    child<QWidget>("List1")->setFocus();
    QCOMPARE(QApplication::focusWidget(), child<QWidget>("List1"));

    // Round the whole chain, typing Tab as a user would, until the focus comes back.
    QSet<QWidget*> reached;
    for (int presses = 0; presses < 100; ++presses) {
        QWidget* focus = QApplication::focusWidget();
        QVERIFY(focus);
        reached.insert(focus);
        QTest::keyClick(focus, Qt::Key_Tab);
        if (QApplication::focusWidget() == child<QWidget>("List1"))
            break;
    }
    QCOMPARE(QApplication::focusWidget(), child<QWidget>("List1"));
    QStringList missed;
    for (QAbstractButton* button : m_form->findChildren<QAbstractButton*>()) {
        // The menu bar's own overflow button is not one of the window's controls.
        if (button->objectName().startsWith(QLatin1String("qt_")))
            continue;
        if (button->isVisible() && button->isEnabled() && !reached.contains(button))
            missed << button->objectName();
    }
    QVERIFY2(missed.isEmpty(), qPrintable(missed.join(QStringLiteral(", "))));
    QCOMPARE(reached.contains(child<QWidget>("Message_Text")), panel);
    QVERIFY(reached.contains(child<QWidget>("Txt1")));
    // Typing Tab in the message moved on: it left no tab character behind.
    QVERIFY(!child<QPlainTextEdit>("Message_Text")->toPlainText().contains(QLatin1Char('\t')));
}

QTEST_MAIN(TestForm1Accessibility)
#include "tst_form1_accessibility.moc"
