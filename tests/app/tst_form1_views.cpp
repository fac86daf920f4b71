// The two views: which list is shown, and whether the translator panel is open.

#include "app/Form1.h"
#include "platform/fakes/FakePlatform.h"

#include <QListWidget>
#include <QPlainTextEdit>
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

private:
    template <typename T> T* child(const char* name) { return m_form->findChild<T*>(name); }
    bool enabled(const char* action) { return child<QAction>(action)->isEnabled(); }
    int sounds() const { return int(m_platform->sound.plays.size()); }
    std::unique_ptr<FakePlatform> m_platform;
    std::unique_ptr<Form1> m_form;
};

void TestForm1Views::init()
{
    m_platform = std::make_unique<FakePlatform>();
    m_form = std::make_unique<Form1>(m_platform->services());
    m_form->setProcessEnder([](int) {});
    m_form->Form_Load();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
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

QTEST_MAIN(TestForm1Views)
#include "tst_form1_views.moc"
