// The main window's controls as a user meets them at start: each built as its table designs
// it (kind, place, caption, tooltip and state), the places a user would notice, the tab
// order.

#include "app/Form1.h"
#include "app/Form1Layout.h"
#include "catalogue/CatalogueTables.h"
#include "catalogue/Faces.h"
#include "platform/fakes/FakePlatform.h"
#include "platform/forms/Fonts.h"
#include "platform/forms/FormBuilder.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextLayout>
#include <QtTest>
#include <memory>

class TestForm1Layout : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void control_data();
    void control();
    void places_data();
    void places();
    void pictureButtons();
    void tabOrder();
    void frame();
    void lines();
    void menu();
    void textDrawnAsWritten_data();
    void textDrawnAsWritten();

private:
    QRect twips(QWidget* widget) const;
    std::unique_ptr<platform::fakes::FakePlatform> m_platform;
    std::unique_ptr<Form1> m_form;
};

void TestForm1Layout::initTestCase()
{
    // The faces the program itself registers at start.
    platform::registerFallbackFonts();
}

void TestForm1Layout::init()
{
    m_platform = std::make_unique<platform::fakes::FakePlatform>();
    m_form = std::make_unique<Form1>(m_platform->services());
}

void TestForm1Layout::cleanup()
{
    m_form.reset();
    m_platform.reset();
}

QRect TestForm1Layout::twips(QWidget* widget) const
{
    const QPoint at = widget->mapTo(m_form->centralWidget(), QPoint());
    return QRect(at.x() * 15, at.y() * 15, widget->width() * 15, widget->height() * 15);
}

void TestForm1Layout::control_data()
{
    QTest::addColumn<int>("index"); // in the window's table
    const std::vector<forms::ControlDesign> designs = form1::controls();
    for (std::size_t i = 0; i < designs.size(); ++i)
        QTest::newRow(qPrintable(designs[i].name)) << int(i);
}

void TestForm1Layout::control()
{
    QFETCH(int, index);
    const forms::ControlDesign design = form1::controls()[std::size_t(index)];
    using forms::ControlKind;
    static const QHash<ControlKind, QString> kinds{
        {ControlKind::Label, "QLabel"},
        {ControlKind::Image, "QLabel"},
        {ControlKind::Line, "forms::LineControl"},
        {ControlKind::CommandButton, "QPushButton"},
        {ControlKind::ToggleButton, "QPushButton"},
        {ControlKind::CheckBox, "QCheckBox"},
        {ControlKind::Frame, "QGroupBox"},
        {ControlKind::Panel, "QWidget"},
        {ControlKind::TextBox, "QLineEdit"},
        {ControlKind::MultiLineTextBox, "QPlainTextEdit"},
        {ControlKind::ListBox, "QListWidget"}};

    auto* widget = m_form->findChild<QWidget*>(design.name);
    QVERIFY(widget);
    QCOMPARE(widget->metaObject()->className(), kinds.value(design.kind));
    QCOMPARE(widget->parentWidget(), design.container.isEmpty()
                                         ? m_form->centralWidget()
                                         : m_form->findChild<QWidget*>(design.container));
    const std::array<int, 4>& t = design.twips;
    if (auto* line = qobject_cast<forms::LineControl*>(widget)) {
        QCOMPARE(QLine(line->ends().p1() * 15, line->ends().p2() * 15),
                 QLine(t[0], t[1], t[2], t[3]));
        QCOMPARE(line->colour(), design.foreColor.isValid()
                                     ? design.foreColor
                                     : m_form->palette().color(QPalette::WindowText));
        return;
    }
    const QRect pixels = widget->geometry();
    QCOMPARE(QRect(pixels.x() * 15, pixels.y() * 15, pixels.width() * 15, pixels.height() * 15),
             QRect(t[0], t[1], t[2], t[3]));
    QCOMPARE(widget->toolTip(), design.tooltip);
    // The translator panel waits, hidden, until the window is widened.
    QCOMPARE(!widget->isHidden(), design.visible && design.kind != ControlKind::Panel);
    QCOMPARE(widget->isEnabled(), design.enabled);

    QString text;
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        text = button->text();
    else if (auto* label = qobject_cast<QLabel*>(widget))
        text = label->text();
    else if (auto* edit = qobject_cast<QLineEdit*>(widget))
        text = edit->text();
    else if (auto* frame = qobject_cast<QGroupBox*>(widget))
        text = frame->title();
    else if (auto* box = qobject_cast<QPlainTextEdit*>(widget))
        text = box->toPlainText();
    QCOMPARE(text, design.text);
}

void TestForm1Layout::places_data()
{
    QTest::addColumn<QRect>("place"); // in the client area
    QTest::newRow("Command4") << QRect(120, 120, 375, 375);
    QTest::newRow("Command14") << QRect(3720, 120, 375, 375);
    QTest::newRow("Label1") << QRect(120, 1320, 1335, 735);
    QTest::newRow("Txt1") << QRect(1680, 1605, 1455, 330);
    QTest::newRow("Command2") << QRect(3720, 2280, 1095, 435);
    QTest::newRow("List1") << QRect(0, 2880, 5055, 2790);
    QTest::newRow("translatorPanel") << QRect(5160, 0, 5070, 6255);
    QTest::newRow("Label3") << QRect(5400, 120, 2775, 255);
    QTest::newRow("Message_Text") << QRect(5400, 480, 4695, 4335);
    QTest::newRow("cmdCloseEbonic") << QRect(9240, 5880, 855, 255);
}

void TestForm1Layout::places()
{
    QFETCH(QRect, place);
    auto* widget = m_form->findChild<QWidget*>(QLatin1String(QTest::currentDataTag()));
    QVERIFY(widget);
    QCOMPARE(twips(widget), place);
}

void TestForm1Layout::pictureButtons()
{
    // One per face, left to right, each called by its face.
    for (std::size_t i = 0; i < catalogue::faces().size(); ++i) {
        auto* button = m_form->findChild<QPushButton*>(QStringLiteral("Command%1").arg(4 + i));
        QVERIFY(button);
        QCOMPARE(button->toolTip(), catalogue::faces()[i].description.toString());
    }
}

void TestForm1Layout::tabOrder()
{
    // The focus chain from the first tab stop; the hidden holders and the translator
    // panel's controls follow, but the user never reaches them while they are hidden.
    QStringList chain;
    QWidget* start = m_form->findChild<QWidget*>("List1");
    QWidget* w = start;
    do {
        if (!w->objectName().isEmpty() && w->focusPolicy() & Qt::TabFocus)
            chain << w->objectName();
        w = w->nextInFocusChain();
    } while (w && w != start);
    const QStringList order = {"List1",     "Command1",  "Command2",  "Command3",  "Txt1",
                               "Check1",    "Command4",  "Command5",  "Command6",  "Command7",
                               "Command8",  "Command9",  "Command10", "Command11", "Command12",
                               "Command13", "Command14", "Command15", "chkOnTop",  "Sendtxtcmd",
                               "List2",     "cmdUndo"};
    QVERIFY2(chain.size() >= order.size(), qPrintable(chain.join(' ')));
    QCOMPARE(chain.mid(0, order.size()), order);
}

void TestForm1Layout::frame()
{
    QCOMPARE(m_form->windowTitle(), QStringLiteral("Verot Glyphora v1.9.0"));
    const Qt::WindowFlags flags = m_form->windowFlags();
    QVERIFY(flags & Qt::WindowMinimizeButtonHint);
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QCOMPARE(m_form->centralWidget()->size(), QSize(5130 / 15, 6255 / 15));
    // Fixed: the user cannot resize it.
    QCOMPARE(m_form->minimumSize(), m_form->maximumSize());
    QVERIFY(!m_form->windowIcon().isNull());
    QVERIFY(m_form->windowIcon().availableSizes().contains(QSize(32, 32)));
    // Each size the desktop may ask for is drawn, in exactly that size.
    for (int side : {16, 24, 32, 48, 64}) {
        const QImage image = m_form->windowIcon().pixmap(QSize(side, side)).toImage();
        QCOMPARE(image.size(), QSize(side, side));
        QVERIFY(image.pixelColor(side / 2, side / 2).alpha() > 0); // the face, not a hole
    }
}

void TestForm1Layout::lines()
{
    auto twipsLine = [this](const char* name) {
        auto* line = m_form->findChild<forms::LineControl*>(QLatin1String(name));
        return line ? QLine(line->ends().p1() * 15, line->ends().p2() * 15) : QLine();
    };
    QCOMPARE(twipsLine("Line1"), QLine(0, 0, 10320, 0));
    QCOMPARE(twipsLine("Line2"), QLine(0, 0, 5160, 0));
    QCOMPARE(twipsLine("Line3"), QLine(5160, 0, 5160, 6240));
    QCOMPARE(twipsLine("Line4"), QLine(0, 6240, 10440, 6240));
    QCOMPARE(m_form->findChild<forms::LineControl*>("Line1")->colour(), QColor(0x40, 0x40, 0x40));
    QCOMPARE(m_form->findChild<forms::LineControl*>("Line2")->colour(), QColor(0x80, 0x80, 0x80));
}

void TestForm1Layout::menu()
{
    const QList<QAction*> actions = m_form->menuBar()->actions();
    QStringList captions;
    QList<bool> enabled;
    for (QAction* action : actions) {
        captions << action->text();
        enabled << action->isEnabled();
        QVERIFY(!action->menu()); // each acts at once
    }
    QCOMPARE(captions, QStringList({"&Smiley", "&Acronyms", "&English to ebonic translator",
                                    "&Help", "&About"}));
    QCOMPARE(enabled, QList<bool>({false, true, true, true, true}));
}

void TestForm1Layout::textDrawnAsWritten_data()
{
    QTest::addColumn<QString>("control");
    QTest::newRow("list") << "List2";
    QTest::newRow("caption display") << "Label2";
    QTest::newRow("text display") << "Label1";
}

// Every letter is drawn as written: no face may turn "TM" into a trademark sign or "fi"
// into a ligature, so each character of a caption or text gets exactly one glyph.
void TestForm1Layout::textDrawnAsWritten()
{
    QFETCH(QString, control);
    auto* widget = m_form->findChild<QWidget*>(control);
    QVERIFY(widget);
    for (const auto& table : {catalogue::smileyTable(), catalogue::acronymTable()}) {
        for (const catalogue::CatalogueEntry& entry : table) {
            for (QStringView text : {entry.caption, entry.text}) {
                QTextLayout layout(text.toString(), widget->font());
                QTextOption option;
                option.setFlags(QTextOption::IncludeTrailingSpaces);
                layout.setTextOption(option);
                layout.beginLayout();
                layout.createLine();
                layout.endLayout();
                qsizetype glyphs = 0;
                for (const QGlyphRun& run : layout.glyphRuns())
                    glyphs += run.glyphIndexes().size();
                QVERIFY2(glyphs == text.size(), qPrintable(QStringLiteral("\"%1\": %2 glyphs in %3")
                                                               .arg(text)
                                                               .arg(glyphs)
                                                               .arg(widget->font().family())));
            }
        }
    }
}

QTEST_MAIN(TestForm1Layout)
#include "tst_form1_layout.moc"
