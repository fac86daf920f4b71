#include "app/Form1.h"

#include "about/frmAbout.h"
#include "about/help.h"
#include "app/Form1Layout.h"
#include "app/Module1.h"
#include "app/WindowIcon.h"
#include "catalogue/CatalogueHandlers.h"
#include "platform/Version.h"
#include "platform/forms/Fonts.h"
#include "platform/forms/FormBuilder.h"
#include "translator/TranslatorHandlers.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <cmath>
#include <exception>

using platform::FontFace;
using platform::makeFont;

namespace {
const QString& kAppName = platform::kSettingsApp;
const QString& kSection = platform::kSettingsSection;
const QString kSoundKey = QStringLiteral("Sound");

/// The control of that name, which the layout table made of that class.
template <typename W> W* named(const QHash<QString, QWidget*>& controls, const QString& name)
{
    auto* control = qobject_cast<W*>(controls.value(name));
    Q_ASSERT(control);
    return control;
}

/// Narrows a caption a little where it would not fit its button, rather than let the
/// button clip it at both ends.
void fitCaption(QPushButton* button)
{
    QFont font = button->font();
    const int available = button->width() - 6;
    const int needed = QFontMetrics(font).horizontalAdvance(QString(button->text()).remove('&'));
    if (needed > available && needed > 0) {
        // Relative to the face's own stretch: a stand-in for Tahoma is already narrowed.
        font.setStretch(
            platform::stretchToFit(font.stretch() > 0 ? font.stretch() : 100, needed, available));
        button->setFont(font);
    }
}

/// Narrows the menu bar's face where its items would not all fit the narrow window, rather
/// than let the last ones drop into an overflow menu.
void fitMenuBar(QMenuBar* bar, int available)
{
    QFont font = bar->font();
    int stretch = font.stretch() > 0 ? font.stretch() : 100;
    // The margins round the items do not narrow with the face, hence a few steps.
    for (int needed = bar->sizeHint().width(); needed > available && stretch > 75;
         needed = bar->sizeHint().width()) {
        stretch = platform::stretchToFit(stretch, needed, available);
        font.setStretch(stretch);
        bar->setFont(font);
    }
}

/// Rounds halves to the even neighbour, as the window position conversion expects.
long roundHalfEven(double value)
{
    return std::lrint(value); // the default rounding mode is to nearest, ties to even
}
} // namespace

Form1::Form1(const platform::Platform& platform, QWidget* parent)
    : QMainWindow(parent), m_platform(platform),
      m_sound(platform.resources, platform.sound, platform.messageBoxes, this,
              [this] { return soundsOn(); }),
      m_endProcess([](int code) { QCoreApplication::exit(code); })
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Verot Glyphora v") + QLatin1String(platform::kVersion));
    setWindowIcon(glyphoraWindowIcon());
    // A fixed single border: minimise, no maximise.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFont(makeFont(FontFace::Tahoma, 9));

    createControls();
    createMenu();
    setClientWidth(form1::kClientWidth);
}

Form1::~Form1()
{
    closeSecondaryWindows();
}

void Form1::createControls()
{
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("client"));
    setCentralWidget(m_client);

    const QHash<QString, QWidget*> c =
        forms::buildControls(m_client, form1::controls(), m_platform.windows.TwipsPerPixelX(),
                             m_platform.windows.TwipsPerPixelY());
    m_translatorPanel = c.value(QStringLiteral("translatorPanel"));
    Label2 = named<QLabel>(c, "Label2");
    Check1 = named<QCheckBox>(c, "Check1");
    Check1->setChecked(true);
    chkOnTop = named<QPushButton>(c, "chkOnTop");
    List1 = named<QListWidget>(c, "List1");
    List2 = named<QListWidget>(c, "List2");
    cmdOpenEbonic = named<QPushButton>(c, "cmdOpenEbonic");
    txtSound = named<QLineEdit>(c, "txtSound");

    auto* Label1 = named<QLabel>(c, "Label1");
    auto* lblStatus = named<QLabel>(c, "lblStatus");
    for (QLabel* label : {Label1, lblStatus})
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* Image1 = named<QLabel>(c, "Image1");
    Image1->setScaledContents(true);
    // The picture display sits over the emoticon label, as the two share one place.
    Image1->raise();
    auto* Command1 = named<QPushButton>(c, "Command1");
    auto* Command15 = named<QPushButton>(c, "Command15");
    fitCaption(Command1);
    fitCaption(Command15);
    // Every entry is one line of one font: measuring one row is enough, and measuring all
    // of them would be the largest cost of start-up.
    // A list box scrolls only vertically; a long caption ends in an ellipsis.
    for (QListWidget* list : {List1, List2}) {
        list->setUniformItemSizes(true);
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    auto* Message_Text = named<QPlainTextEdit>(c, "Message_Text");
    Message_Text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Tab goes on to the translator's buttons, as in any form's text box; otherwise the
    // keyboard could never leave the message.
    Message_Text->setTabChangesFocus(true);

    CatalogueControls catalogue{List1,
                                List2,
                                Label1,
                                Label2,
                                Image1,
                                Command1,
                                Command15,
                                named<QPushButton>(c, "Command3"),
                                named<QPushButton>(c, "Sendtxtcmd"),
                                {},
                                named<QLineEdit>(c, "Txt1"),
                                Message_Text,
                                Check1,
                                named<QLabel>(c, "lblNotice")};
    for (int i = 0; i < catalogue::kFaceCount; ++i)
        catalogue.pictureButtons[std::size_t(i)] = named<QPushButton>(c, form1::pictureButton(i));
    m_catalogue = new CatalogueHandlers(
        catalogue, m_platform.clipboard, m_sound, m_platform.inserter, m_platform.messageBoxes,
        m_platform.notifications, m_platform.settings, [this] { stepAside(); }, this);
    m_translator = new TranslatorHandlers(
        {Message_Text, named<QLineEdit>(c, "Rtfbackup"), named<QLineEdit>(c, "rtfaftertran"),
         named<QPlainTextEdit>(c, "Ebonictxt"), lblStatus, named<QPushButton>(c, "Cmdtranlate"),
         named<QPushButton>(c, "cmdUndo"), named<QPushButton>(c, "cmdOpen"),
         named<QPushButton>(c, "cmdSave"), named<QPushButton>(c, "cmdSaveAs"),
         named<QPushButton>(c, "cmdClearText")},
        m_platform, m_sound, this);

    connect(named<QPushButton>(c, "Command2"), &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(Check1, &QCheckBox::toggled, this, &Form1::Check1_Click);
    connect(chkOnTop, &QPushButton::toggled, this, &Form1::chkOnTop_Click);
    connect(cmdOpenEbonic, &QPushButton::clicked, this, &Form1::cmdOpenEbonic_Click);
    connect(named<QPushButton>(c, "cmdCloseEbonic"), &QPushButton::clicked, this,
            &Form1::cmdCloseEbonic_Click);
}

void Form1::createMenu()
{
    // Five top-level items without submenus: choosing one acts at once.
    QMenuBar* bar = menuBar();
    // Menus take the desktop's menu face, a little smaller than the window's.
    bar->setFont(makeFont(FontFace::Tahoma, 8.25));
    auto add = [this, bar](const char* name, const QString& caption, void (Form1::*handler)()) {
        QAction* action = bar->addAction(caption);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    mnusmile = add("mnusmile", QStringLiteral("&Smiley"), &Form1::mnusmile_Click);
    mnuAcronyms = add("mnuAcronyms", QStringLiteral("&Acronyms"), &Form1::mnuAcronyms_Click);
    mnuEbonic =
        add("mnuEbonic", QStringLiteral("&English to ebonic translator"), &Form1::mnuEbonic_Click);
    mnuhelp = add("mnuhelp", QStringLiteral("&Help"), &Form1::mnuhelp_Click);
    mnureadme = add("mnureadme", QStringLiteral("&About"), &Form1::mnureadme_Click);
    mnusmile->setEnabled(false);
    fitMenuBar(bar, forms::twipsToPixels(form1::kClientWidth, m_platform.windows.TwipsPerPixelX()));
}

void Form1::setClientWidth(int twips)
{
    m_clientWidthTwips = twips;
    const QSize client(
        forms::twipsToPixels(twips, m_platform.windows.TwipsPerPixelX()),
        forms::twipsToPixels(form1::kClientHeight, m_platform.windows.TwipsPerPixelY()));
    m_client->setFixedSize(client);
    m_translatorPanel->setVisible(twips > form1::kPanelLeft);
    const int menuHeight = menuBar()->heightForWidth(client.width());
    setFixedSize(client.width(), client.height() + std::max(menuHeight, 0));
}

void Form1::widenBy(int twips)
{
    setClientWidth(m_clientWidthTwips + twips);
}

bool Form1::soundsOn() const
{
    return Check1 && Check1->isChecked();
}

void Form1::PlayResSound(const QString& resourceName, const QString& resourceType)
{
    m_sound.PlayResSound(resourceName, resourceType);
}

void Form1::Form_Load()
{
    if (m_platform.settings.GetSetting(kAppName, kSection, kSoundKey) == QLatin1String("0"))
        Check1->setChecked(false); // runs Check1_Click, which stores "0" again
    forms::setForeColor(Label2, forms::kNavy);
    m_sound.SoundFlags = platform::kClickSoundFlags;
    m_translator->EnsureDictionaryFile();
    PlayResSound(platform::kClickSound, platform::kClickSoundType);
    List1->show();
    List2->hide();
    List1->setFocus();
}

void Form1::paintEvent(QPaintEvent* event)
{
    QMainWindow::paintEvent(event);
    // The hidden dictionary box waits until the window is on screen.
    if (!m_dictionaryHolderFilled) {
        m_dictionaryHolderFilled = true;
        QTimer::singleShot(0, m_translator, &TranslatorHandlers::FillDictionaryHolder);
        // So do the user's own rows: however many, they cost the window nothing to appear.
        QTimer::singleShot(0, m_catalogue, [this] {
            m_catalogue->followOwnEntries(m_platform.paths.GetWindowsDirectory());
        });
    }
}

void Form1::Form_Terminate()
{
    if (m_ended)
        return;
    emit quitStarted();
    WaitSeconds(m_platform.windows, 1);
    closeSecondaryWindows();
    endProgram();
}

void Form1::Command2_Click()
{
    PlayResSound(platform::kClickSound, platform::kClickSoundType);
    emit quitStarted();
    WaitSeconds(m_platform.windows, 1);
    closeSecondaryWindows();
    endProgram();
}

void Form1::closeSecondaryWindows()
{
    for (QPointer<QWidget>* window : {&m_about, &m_help}) {
        if (*window) {
            (*window)->close();
            delete window->data();
        }
    }
}

void Form1::endProgram()
{
    m_ended = true;
    if (m_endProcess)
        m_endProcess(0);
}

void Form1::Check1_Click()
{
    txtSound->setText(Check1->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    SaveSoundSetting();
}

void Form1::SaveSoundSetting()
{
    // A store that cannot be written must not end the program and lose the user's message.
    try {
        m_platform.settings.SaveSetting(kAppName, kSection, kSoundKey, txtSound->text());
    } catch (const std::exception& error) {
        m_platform.messageBoxes.MsgBox(
            this,
            QStringLiteral("The \"Play sounds\" choice could not be saved:\n%1")
                .arg(QString::fromLocal8Bit(error.what())),
            platform::MsgIcon::Exclamation);
    }
}

void Form1::chkOnTop_Click()
{
    const bool topmost = chkOnTop->isChecked();
    const double tppX = m_platform.windows.TwipsPerPixelX();
    const double tppY = m_platform.windows.TwipsPerPixelY();
    const QRect outer = frameGeometry();
    // Divided by the factor itself: rounded to a whole number first, a factor such as 14.4
    // (100 dpi) moved the window by several pixels at every press.
    auto convert = [](double twips, double factor) {
        return factor > 0 ? int(roundHalfEven(double(roundHalfEven(twips)) / factor)) : 0;
    };
    const QRect pixels(convert(outer.x() * tppX, tppX), convert(outer.y() * tppY, tppY),
                       convert(outer.width() * tppX, tppX), convert(outer.height() * tppY, tppY));
    m_platform.windows.SetWindowPos(this, topmost, pixels);
    for (QWidget* window : {m_about.data(), m_help.data()}) {
        if (window)
            keepInTopBand(window);
    }
}

void Form1::settingsChanged()
{
    m_catalogue->readSearchSetting();
}

void Form1::summoned()
{
    m_catalogue->focusSearch();
}

void Form1::stepAside()
{
    // After an insert the user goes on in the window typed into. "On Top" keeps the window
    // where it is; the keyboard has gone over already.
    if (!chkOnTop->isChecked())
        showMinimized();
}

void Form1::keepInTopBand(QWidget* window)
{
    // About and Quick Help have no owner; in the topmost band with the main window they
    // are not hidden under it when it is "On Top".
    m_platform.windows.SetWindowPos(window, chkOnTop->isChecked(), window->frameGeometry());
}

void Form1::mnusmile_Click()
{
    List1->show();
    List2->hide();
    mnuAcronyms->setEnabled(true);
    mnusmile->setEnabled(false);
    PlayResSound(platform::kClickSound, platform::kClickSoundType);
}

void Form1::mnuAcronyms_Click()
{
    List1->hide();
    List2->show();
    mnuAcronyms->setEnabled(false);
    mnusmile->setEnabled(true);
    PlayResSound(platform::kClickSound, platform::kClickSoundType);
}

void Form1::mnuEbonic_Click()
{
    widenBy(form1::kPanelWidth);
    cmdOpenEbonic->setEnabled(false);
    PlayResSound(platform::kClickSound, platform::kClickSoundType);
    mnuAcronyms->setEnabled(true);
    mnusmile->setEnabled(true);
    mnuEbonic->setEnabled(false);
    cmdOpenEbonic->setEnabled(false);
}

void Form1::cmdOpenEbonic_Click()
{
    widenBy(form1::kPanelWidth);
    cmdOpenEbonic->setEnabled(false);
    mnuEbonic->setEnabled(false);
    PlayResSound(platform::kClickSound, platform::kClickSoundType);
}

void Form1::cmdCloseEbonic_Click()
{
    widenBy(-form1::kPanelWidth);
    cmdOpenEbonic->setEnabled(true);
    mnuEbonic->setEnabled(true);
    PlayResSound(platform::kClickSound, platform::kClickSoundType);
}

void Form1::mnuhelp_Click()
{
    if (!m_help)
        m_help = new help(m_platform, [this] { return soundsOn(); });
    bringToFront(m_help);
    PlayResSound(platform::kClickSound, platform::kClickSoundType);
}

void Form1::mnureadme_Click()
{
    if (!m_about)
        m_about = new frmAbout(m_platform, [this] { return soundsOn(); });
    bringToFront(m_about);
    PlayResSound(platform::kClickSound, platform::kClickSoundType);
}

void Form1::bringToFront(QWidget* window)
{
    keepInTopBand(window);
    // The secondary windows have no owner: showing an open one again only raises it.
    window->show();
    if (window->isMinimized())
        window->showNormal();
    window->raise();
    window->activateWindow();
}
