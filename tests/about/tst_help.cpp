// The Quick Help text and window.

#include "about/AboutTexts.h"
#include "about/HelpText.h"
#include "about/help.h"
#include "platform/fakes/FakePlatform.h"

#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

using platform::fakes::FakePlatform;

class TestHelp : public QObject
{
    Q_OBJECT
private slots:
    void textShape();
    void lines_data();
    void lines();
    void windowShowsTheText();
    void okCloses_data();
    void okCloses();
};

void TestHelp::textShape()
{
    const QString text = about::helpText();
    QCOMPARE(text.size(), 1835);
    QCOMPARE(text.count(QStringLiteral("\r\n")), 42);
    QVERIFY(text.endsWith(QStringLiteral("\r\n")));
    QCOMPARE(text.count(QLatin1Char('\n')), 42); // no bare line feeds
    QCOMPARE(text.count(QLatin1Char('\r')), 42);
    QCOMPARE(about::helpLines().size(), 42);
    QCOMPARE(about::helpLines().join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"), text);
}

void TestHelp::lines_data()
{
    QTest::addColumn<int>("number"); // counting from 1
    QTest::addColumn<QString>("line");
    QTest::newRow("first") << 1 << "Glyphora is a free, comprehensive collection of more than ";
    QTest::newRow("end of paragraph") << 9 << "communication a lot more expressive.";
    QTest::newRow("empty") << 10 << "";
    QTest::newRow("commands") << 11 << "Commands: ";
    QTest::newRow("paste") << 20 << "paste. ";
    QTest::newRow("thanks") << 23 << "search box.   " + about::kHelpThanksNote;
    QTest::newRow("empty 24") << 24 << "";
    QTest::newRow("3d face") << 31
                             << "3d face: Please note that the 3d face only support html format . ";
    QTest::newRow("as is") << 34
                           << "This software is provided \"as is\", without any guarantee made as ";
    QTest::newRow("double blank") << 35
                                  << "to its suitability  for any particular use. It may contain "
                                     "bugs, so use ";
    QTest::newRow("web page") << 40 << about::kWebPage1 + " and download the latest ";
    QTest::newRow("last") << 42 << "a bug report to: " + about::kAuthorEmail;
}

void TestHelp::lines()
{
    QFETCH(int, number);
    QFETCH(QString, line);
    QCOMPARE(about::helpLines().at(number - 1), line);
}

void TestHelp::windowShowsTheText()
{
    FakePlatform fakes;
    for (int opening = 0; opening < 2; ++opening) {
        help w(fakes.services(), [] { return true; });
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto* text = qobject_cast<QPlainTextEdit*>(w.control("Text1"));
        QVERIFY(text);
        QCOMPARE(text->toPlainText(),
                 QString(about::helpText()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        QVERIFY(text->isReadOnly());
        QCOMPARE(text->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(text->palette().color(QPalette::Base), QColor(Qt::white));
        // Every line can be reached, and a fresh window starts at the top.
        QCOMPARE(text->verticalScrollBar()->value(), 0);
        QVERIFY(text->verticalScrollBar()->maximum() > 0);
        QCOMPARE(text->textCursor().position(), 0);
        text->verticalScrollBar()->setValue(text->verticalScrollBar()->maximum());
    }
}

void TestHelp::okCloses_data()
{
    QTest::addColumn<bool>("soundsOn");
    QTest::addColumn<int>("plays");
    QTest::newRow("sounds on") << true << 1;
    QTest::newRow("sounds off") << false << 0;
}

void TestHelp::okCloses()
{
    QFETCH(bool, soundsOn);
    QFETCH(int, plays);
    FakePlatform fakes;
    QPointer<help> w = new help(fakes.services(), [soundsOn] { return soundsOn; });
    w->show();
    QTest::mouseClick(qobject_cast<QPushButton*>(w->control("cmdCLOSE")), Qt::LeftButton);
    QCOMPARE(fakes.sound.plays.size(), plays);
    if (plays)
        QCOMPARE(fakes.sound.plays[0].flags, 5u);
    QVERIFY(fakes.messageBoxes.shown.isEmpty());
    QTRY_VERIFY(w.isNull());
}

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
