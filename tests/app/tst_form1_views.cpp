// The two views: which list is shown, and whether the translator panel is open.

#include "app/Form1.h"
#include "platform/fakes/FakePlatform.h"
#include "tests/app/StartedForm1.h"
#include "translator/EbonicText.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QtTest>
#include <memory>

using platform::fakes::FakePlatform;

class TestForm1Views : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void switchLists();
    void panelByButtonAndBack();
    void panelByMenuEnablesBothListItems();
    void closedPanelTakesNoFocus();
    void menuAccessKeys();
    void secondaryWindowsOpenOnce_data();
    void secondaryWindowsOpenOnce();
    void closedWindowOpensAgain();
    void quitClosesSecondaryWindows();
    void translateFromThePanel();
    void panelDialogsBelongToTheWindow();
    void dictionaryHolderFilledOnceShown();
    void everyFaceDrawnWhole();
    void stepsAsideAfterAnInsert_data();
    void stepsAsideAfterAnInsert();

private:
    template <typename T> T* child(const char* name) { return m_form->findChild<T*>(name); }
    bool enabled(const char* action) { return child<QAction>(action)->isEnabled(); }
    int sounds() const { return int(m_platform->sound.plays.size()); }
    std::unique_ptr<FakePlatform> m_platform;
    std::unique_ptr<Form1> m_form;
};

void TestForm1Views::init()
{
    QVERIFY(startShownForm1(m_platform, m_form));
}

void TestForm1Views::cleanup()
{
    m_form.reset();
    m_platform.reset();
}

void TestForm1Views::switchLists()
{
    const int before = sounds();
    child<QAction>("mnuAcronyms")->trigger();
    QVERIFY(child<QListWidget>("List1")->isHidden());
    QVERIFY(!child<QListWidget>("List2")->isHidden());
    QVERIFY(!enabled("mnuAcronyms"));
    QVERIFY(enabled("mnusmile"));
    child<QAction>("mnusmile")->trigger();
    QVERIFY(!child<QListWidget>("List1")->isHidden());
    QVERIFY(child<QListWidget>("List2")->isHidden());
    QVERIFY(enabled("mnuAcronyms"));
    QVERIFY(!enabled("mnusmile"));
    QCOMPARE(sounds(), before + 2);
}

void TestForm1Views::panelByButtonAndBack()
{
    const QRect start = m_form->geometry();
    auto* open = child<QPushButton>("cmdOpenEbonic");
    auto* close = child<QPushButton>("cmdCloseEbonic");
    QVERIFY(!close->isVisible());

    QTest::mouseClick(open, Qt::LeftButton);
    QCOMPARE(m_form->width(), start.width() + 5100 / 15);
    QCOMPARE(m_form->centralWidget()->width(), 10230 / 15);
    QCOMPARE(m_form->geometry().left(), start.left()); // the left edge stays put
    QVERIFY(!open->isEnabled());
    QVERIFY(!enabled("mnuEbonic"));
    QVERIFY(close->isVisible());
    // The button leaves the list items as they were.
    QVERIFY(!enabled("mnusmile"));
    QVERIFY(enabled("mnuAcronyms"));

    QTest::mouseClick(close, Qt::LeftButton);
    QCOMPARE(m_form->geometry(), start);
    QVERIFY(open->isEnabled());
    QVERIFY(enabled("mnuEbonic"));
    QVERIFY(!close->isVisible());
}

void TestForm1Views::panelByMenuEnablesBothListItems()
{
    const int before = sounds();
    child<QAction>("mnuEbonic")->trigger();
    QVERIFY(!child<QPushButton>("cmdOpenEbonic")->isEnabled());
    QVERIFY(!enabled("mnuEbonic"));
    QVERIFY(enabled("mnusmile"));
    QVERIFY(enabled("mnuAcronyms"));
    // Choosing the list already shown shows it again and greys its item.
    child<QAction>("mnusmile")->trigger();
    QVERIFY(!child<QListWidget>("List1")->isHidden());
    QVERIFY(!enabled("mnusmile"));
    QCOMPARE(sounds(), before + 2);
    QVERIFY(child<QPlainTextEdit>("Message_Text")->isVisible());
}

void TestForm1Views::closedPanelTakesNoFocus()
{
    // Tab through every stop: none lies in the closed panel.
    QWidget* first = QApplication::focusWidget();
    QVERIFY(first);
    QWidget* panel = child<QWidget>("translatorPanel");
    for (int i = 0; i < 40; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY2(!panel->isAncestorOf(QApplication::focusWidget()),
                 qPrintable(QApplication::focusWidget()->objectName()));
    }
    child<QPushButton>("cmdOpenEbonic")->click();
    bool reached = false;
    for (int i = 0; i < 40 && !reached; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached = panel->isAncestorOf(QApplication::focusWidget());
    }
    QVERIFY(reached);
}

void TestForm1Views::menuAccessKeys()
{
    QStringList keys;
    for (const char* name : {"mnusmile", "mnuAcronyms", "mnuEbonic", "mnuhelp", "mnureadme"}) {
        const QString text = child<QAction>(name)->text();
        keys << text.mid(text.indexOf('&') + 1, 1);
    }
    QCOMPARE(keys, QStringList({"S", "A", "E", "H", "A"}));
}

void TestForm1Views::secondaryWindowsOpenOnce_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("className");
    QTest::newRow("About") << "mnureadme"
                           << "frmAbout";
    QTest::newRow("Quick Help") << "mnuhelp"
                                << "help";
}

void TestForm1Views::secondaryWindowsOpenOnce()
{
    QFETCH(QString, action);
    QFETCH(QString, className);
    auto windowsOfClass = [&] {
        QList<QWidget*> found;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && className == QLatin1String(w->metaObject()->className()))
                found.append(w);
        return found;
    };
    const int before = sounds();
    m_form->findChild<QAction*>(action)->trigger();
    QCOMPARE(windowsOfClass().size(), 1);
    QWidget* window = windowsOfClass().first();
    QVERIFY(window->parentWidget() == nullptr); // no owner: it may go behind the main window
    QVERIFY(!window->isModal());
    window->showMinimized();
    m_form->findChild<QAction*>(action)->trigger();
    QCOMPARE(windowsOfClass(), QList<QWidget*>{window});
    QVERIFY(!window->isMinimized());
    QCOMPARE(sounds(), before + 2);
}

void TestForm1Views::closedWindowOpensAgain()
{
    auto about = [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->inherits("frmAbout") && w->isVisible())
                return w;
        return static_cast<QWidget*>(nullptr);
    };
    child<QAction>("mnureadme")->trigger();
    QPointer<QWidget> first = about();
    QVERIFY(first);
    first->close();
    QTRY_VERIFY(!first); // closing destroys it
    child<QAction>("mnureadme")->trigger();
    QVERIFY(about());
}

void TestForm1Views::quitClosesSecondaryWindows()
{
    child<QAction>("mnureadme")->trigger();
    child<QAction>("mnuhelp")->trigger();
    m_form->Form_Terminate();
    for (QWidget* w : QApplication::topLevelWidgets())
        QVERIFY2(!w->inherits("frmAbout") && !w->inherits("help"), w->metaObject()->className());
}

void TestForm1Views::translateFromThePanel()
{
    QTest::mouseClick(child<QPushButton>("cmdOpenEbonic"), Qt::LeftButton);
    auto* message = child<QPlainTextEdit>("Message_Text");
    message->setPlainText(QStringLiteral("head"));
    QTest::mouseClick(child<QPushButton>("Cmdtranlate"), Qt::LeftButton);
    QCOMPARE(message->toPlainText(), QStringLiteral("tink"));
    QVERIFY(child<QPushButton>("cmdUndo")->isEnabled());
    QTest::mouseClick(child<QPushButton>("cmdUndo"), Qt::LeftButton);
    QCOMPARE(message->toPlainText(), QStringLiteral("head"));
}

void TestForm1Views::panelDialogsBelongToTheWindow()
{
    // The panel's controls are the window's children: what they open must stay above it.
    QTest::mouseClick(child<QPushButton>("cmdOpenEbonic"), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>("Cmdtranlate"), Qt::LeftButton); // "Enter some text ."
    QTest::mouseClick(child<QPushButton>("cmdOpen"), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>("cmdSaveAs"), Qt::LeftButton);
    QCOMPARE(m_platform->messageBoxes.shown.size(), 1);
    QCOMPARE(m_platform->messageBoxes.shown[0].owner, m_form.get());
    QCOMPARE(m_platform->fileDialogs.openRequests.size(), 1);
    QCOMPARE(m_platform->fileDialogs.openRequests[0].owner, m_form.get());
    QCOMPARE(m_platform->fileDialogs.saveRequests.size(), 1);
    QCOMPARE(m_platform->fileDialogs.saveRequests[0].owner, m_form.get());
}

void TestForm1Views::dictionaryHolderFilledOnceShown()
{
    auto* holder = child<QPlainTextEdit>("Ebonictxt");
    QTRY_COMPARE(holder->toPlainText(), QString(translator::ebonicText()).replace("\r\n", "\n"));
    QVERIFY(holder->isHidden());
}

// The display draws each text whole: a user's own face wider than it at the list's size is
// drawn smaller, while every built-in text keeps its size.
void TestForm1Views::everyFaceDrawnWhole()
{
    QFile file(m_platform->paths.windowsDirectory + QStringLiteral("/smileys.txt"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("\u00AF\\_(\u30C4)_/\u00AF\tShrug - whatever\n"
                              "(\u256F\u00B0\u25A1\u00B0)\u256F\uFE35 \u253B\u2501\u253B\tFlip\n")
                   .toUtf8());
    file.close();
    auto* list = child<QListWidget>("List1");
    QTRY_COMPARE(list->count(), 207);
    auto* display = child<QLabel>("Label1");
    for (int row = 0; row < list->count(); ++row) {
        list->setCurrentRow(row);
        const int width = QFontMetrics(display->font()).horizontalAdvance(display->text());
        QVERIFY2(width <= display->contentsRect().width(), qPrintable(display->text()));
        QVERIFY(row >= 205 || display->font().pointSize() == 24);
    }
    QVERIFY(display->font().pointSizeF() < 24);
}

void TestForm1Views::stepsAsideAfterAnInsert_data()
{
    QTest::addColumn<bool>("onTop");
    QTest::newRow("minimised") << false;
    QTest::newRow("\"On Top\": stays where it is") << true;
}

void TestForm1Views::stepsAsideAfterAnInsert()
{
    QFETCH(bool, onTop);
    if (onTop)
        child<QPushButton>("chkOnTop")->click();
    auto* search = child<QLineEdit>("Txt1");
    search->setFocus();
    QTest::keyClicks(search, QStringLiteral("wink"));
    QTest::keyClick(search, Qt::Key_Return);
    QCOMPARE(m_platform->inserter.requests.size(), 1);
    QCOMPARE(m_platform->inserter.requests[0].text, QStringLiteral(";-)"));
    QCOMPARE(m_form->isMinimized(), !onTop);
    QVERIFY(m_form->isVisible());
    // The next summon finds the search as it was.
    QCOMPARE(search->text(), QStringLiteral("wink"));
}

QTEST_MAIN(TestForm1Views)
#include "tst_form1_views.moc"
