// The main window's controls as a user meets them at start: kind, place, caption,
// tooltip, tab order and state.

#include "app/Form1.h"
#include "catalogue/CatalogueTables.h"
#include "platform/Fonts.h"
#include "platform/fakes/FakePlatform.h"
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
    QWidget* container = widget->parentWidget();
    const bool inFrame = qobject_cast<QGroupBox*>(container) != nullptr;
    const QPoint at = inFrame ? widget->pos() : widget->mapTo(m_form->centralWidget(), QPoint());
    return QRect(at.x() * 15, at.y() * 15, widget->width() * 15, widget->height() * 15);
}

void TestForm1Layout::control_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("tooltip");
    QTest::addColumn<QRect>("place");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<bool>("enabled");

    auto row = [](const char* name, const char* kind, const char* caption, const char* tooltip,
                  QRect place, bool visible = true, bool enabled = true) {
        QTest::newRow(name) << kind << caption << tooltip << place << visible << enabled;
    };
    const char* faces[] = {"Big grin", "Confuse",      "Cool",      "Surprise",         "Frown",
                           "Mad",      "Embarrasment", "Sarcastic", "Stick out tongue", "Smile",
                           "Wink"};
    for (int i = 0; i < 11; ++i) {
        const QByteArray name = "Command" + QByteArray::number(4 + i);
        QTest::newRow(name.constData())
            << "QPushButton"
            << "" << faces[i] << QRect(120 + 360 * i, 120, 375, 375) << true << true;
    }
    row("Label2", "QLabel", "", "", QRect(120, 600, 4815, 615));
    row("Label1", "QLabel", "", "", QRect(120, 1320, 1335, 735));
    row("Image1", "QLabel", "", "", QRect(480, 1440, 495, 495));
    row("Frame1", "QGroupBox", "Search", "", QRect(1560, 1320, 1695, 735));
    row("Txt1", "QLineEdit", "", "Enter search text here", QRect(120, 285, 1455, 330));
    row("Frame2", "QGroupBox", "Sound", "", QRect(3360, 1320, 1575, 735));
    row("Check1", "QCheckBox", " Play sounds", "Enable / Disable Sound",
        QRect(120, 360, 1335, 255));
    row("Command1", "QPushButton", "Copy to clipboard", "Copy To Memory ",
        QRect(120, 2280, 1215, 435));
    row("Command15", "QPushButton", "&Copy to clipboard", "Copy To Memory ",
        QRect(120, 2280, 1215, 435), false);
    row("Command3", "QPushButton", "C&lear search", "Clear Search", QRect(1440, 2280, 1095, 435));
    row("chkOnTop", "QPushButton", "&On Top", "Always on top", QRect(2640, 2280, 960, 435));
    row("Command2", "QPushButton", "&Quit", "Exit", QRect(3720, 2280, 1095, 435));
    row("List1", "QListWidget", "", "", QRect(0, 2880, 5055, 2790));
    row("List2", "QListWidget", "", "", QRect(0, 2880, 5055, 2790), false);
    row("cmdOpenEbonic", "QPushButton", ">>", "", QRect(4080, 5880, 855, 255));
    row("Label3", "QLabel", "English to ebonic Translator", "", QRect(5400, 120, 2775, 255));
    row("Message_Text", "QPlainTextEdit", "", "", QRect(5400, 480, 4695, 4335));
    row("cmdClearText", "QPushButton", "Clear", "", QRect(5400, 4920, 975, 375));
    row("cmdOpen", "QPushButton", "Open", "", QRect(6480, 4920, 975, 375));
    row("cmdSave", "QPushButton", "Save", "", QRect(7560, 4920, 975, 375));
    row("cmdSaveAs", "QPushButton", "Save as", "", QRect(8640, 4920, 1215, 375));
    row("Cmdtranlate", "QPushButton", "Translate now", "", QRect(5400, 5400, 1575, 375));
    row("Sendtxtcmd", "QPushButton", "Add Text face", "", QRect(7080, 5400, 1335, 375));
    row("cmdUndo", "QPushButton", "Undo Translate", "", QRect(8520, 5400, 1455, 375), true, false);
    row("lblStatus", "QLabel", "", "", QRect(5520, 5880, 3615, 255));
    row("cmdCloseEbonic", "QPushButton", "<<", "", QRect(9240, 5880, 855, 255));
    row("txtSound", "QLineEdit", "0", "", QRect(1680, 6240, 615, 315), false);
    row("Rtfbackup", "QLineEdit", "Text1", "", QRect(2400, 6360, 1695, 975), false);
    row("rtfaftertran", "QLineEdit", "Text1", "", QRect(360, 6360, 1095, 735), false);
    row("Ebonictxt", "QPlainTextEdit", "", "", QRect(2760, 7200, 735, 495), false);
}

void TestForm1Layout::control()
{
    QFETCH(QString, kind);
    QFETCH(QString, caption);
    QFETCH(QString, tooltip);
    QFETCH(QRect, place);
    QFETCH(bool, visible);
    QFETCH(bool, enabled);

    auto* widget = m_form->findChild<QWidget*>(QLatin1String(QTest::currentDataTag()));
    QVERIFY(widget);
    QCOMPARE(widget->metaObject()->className(), kind);
    QCOMPARE(twips(widget), place);
    QCOMPARE(widget->toolTip(), tooltip);
    QCOMPARE(!widget->isHidden(), visible);
    QCOMPARE(widget->isEnabled(), enabled);

    QString text;
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        text = button->text();
    else if (auto* label = qobject_cast<QLabel*>(widget))
        text = label->text();
    else if (auto* edit = qobject_cast<QLineEdit*>(widget))
        text = edit->text();
    else if (auto* frame = qobject_cast<QGroupBox*>(widget))
        text = frame->title();
    else if (auto* list = qobject_cast<QListWidget*>(widget); list && list->count() == 0)
        text.clear();
    if (!qobject_cast<QPlainTextEdit*>(widget) && !qobject_cast<QListWidget*>(widget))
        QCOMPARE(text, caption);
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
