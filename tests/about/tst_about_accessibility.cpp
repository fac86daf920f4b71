// The About and Quick Help windows as a screen reader and a keyboard-only user meet them:
// every control says what it is, and the links are links that the keyboard follows.

#include "about/AboutTexts.h"
#include "about/frmAbout.h"
#include "about/help.h"
#include "platform/fakes/FakePlatform.h"
#include "tests/AccessibleTree.h"

#include <QAccessibleActionInterface>
#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using platform::fakes::FakePlatform;

class TestAboutAccessibility : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void everyVisibleControlIsNamed_data();
    void everyVisibleControlIsNamed();
    void links_data();
    void links();
    void keyboardFollowsLinks();
    void aboutOpensOnOk();

private:
    std::unique_ptr<FakePlatform> m_fakes;
    QTemporaryDir m_temp;
};

void TestAboutAccessibility::init()
{
    m_fakes = std::make_unique<FakePlatform>();
    m_fakes->paths.tempPath = m_temp.path() + QLatin1Char('/');
    m_fakes->shell.browser = QStringLiteral("/usr/bin/browser");
}

void TestAboutAccessibility::everyVisibleControlIsNamed_data()
{
    QTest::addColumn<bool>("about");
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("name");
    QTest::newRow("About") << true << int(QAccessible::Dialog) << "About This Freeware ...";
    QTest::newRow("Quick Help") << false << int(QAccessible::Window) << "Quick Help";
}

void TestAboutAccessibility::everyVisibleControlIsNamed()
{
    QFETCH(bool, about);
    QFETCH(int, role);
    QFETCH(QString, name);
    std::unique_ptr<QWidget> window;
    if (about)
        window = std::make_unique<frmAbout>(m_fakes->services(), [] { return false; });
    else
        window = std::make_unique<help>(m_fakes->services(), [] { return false; });
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    // Announced as a window of its own, by its title.
    QAccessibleInterface* self = QAccessible::queryAccessibleInterface(window.get());
    QCOMPARE(int(self->role()), role);
    QCOMPARE(self->text(QAccessible::Name), name);
    // The version's blink copies its blank phase from an empty label that shows nothing.
    const QStringList silent =
        accessible_tree::silentControls(window.get(), {QStringLiteral("lbAppVersion(1)")});
    QVERIFY2(silent.isEmpty(), qPrintable(silent.join(QStringLiteral("; "))));
}

void TestAboutAccessibility::links_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("opened"); // what following the link asks of the desktop
    QTest::newRow("e-mail") << "Label1"
                            << "E-mail the author" << about::kAuthorEmail
                            << "mailto:" + about::kAuthorEmail;
    QTest::newRow("page 1") << "Label5"
                            << "Visit the program's web page" << about::kWebPage1
                            << about::kWebPage1;
    QTest::newRow("page 2") << "Label8"
                            << "Visit the author's freeware page" << about::kWebPage2
                            << about::kWebPage2;
}

void TestAboutAccessibility::links()
{
    QFETCH(QString, control);
    QFETCH(QString, name);
    QFETCH(QString, description);
    QFETCH(QString, opened);
    frmAbout w(m_fakes->services(), [] { return false; });
    w.setAttribute(Qt::WA_DeleteOnClose, false);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QAccessibleInterface* link = QAccessible::queryAccessibleInterface(w.control(control));
    QCOMPARE(link->role(), QAccessible::Link);
    QCOMPARE(link->text(QAccessible::Name), name);
    QCOMPARE(link->text(QAccessible::Description), description);
    QVERIFY(link->state().focusable);

    // A screen reader follows it with its press action.
    QAccessibleActionInterface* actions = link->actionInterface();
    QVERIFY(actions);
    QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    actions->doAction(QAccessibleActionInterface::pressAction());
    QStringList asked = m_fakes->shell.executed;
    for (const auto& start : m_fakes->shell.started)
        asked += start.arguments;
    QCOMPARE(asked, QStringList{opened});
}

void TestAboutAccessibility::keyboardFollowsLinks()
{
    frmAbout w(m_fakes->services(), [] { return false; });
    w.setAttribute(Qt::WA_DeleteOnClose, false);
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QWidget* mail = w.control(QStringLiteral("Label1"));
    // Shift+Tab from "Ok" goes back over the three links, the e-mail first of them.
    mail->setFocus(Qt::TabFocusReason);
    QCOMPARE(QApplication::focusWidget(), mail);
    QTest::keyClick(mail, Qt::Key_Space, Qt::ControlModifier); // no plain key: nothing
    QVERIFY(m_fakes->shell.executed.isEmpty());
    QTest::keyClick(mail, Qt::Key_Return);
    QCOMPARE(m_fakes->shell.executed, QStringList{"mailto:" + about::kAuthorEmail});

    QTest::keyClick(mail, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), w.control(QStringLiteral("Label5")));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(m_fakes->shell.started.size(), 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), w.control(QStringLiteral("Label8")));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), w.control(QStringLiteral("Command1")));
}

void TestAboutAccessibility::aboutOpensOnOk()
{
    frmAbout w(m_fakes->services(), [] { return false; });
    w.setAttribute(Qt::WA_DeleteOnClose, false);
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QCOMPARE(QApplication::focusWidget(), w.control(QStringLiteral("Command1")));
    // A click on a link leaves the focus where it was, as on any text.
    QTest::mouseClick(w.control(QStringLiteral("Label5")), Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), w.control(QStringLiteral("Command1")));
}

QTEST_MAIN(TestAboutAccessibility)
#include "tst_about_accessibility.moc"
