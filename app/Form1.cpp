#include "app/Form1.h"

#include "about/frmAbout.h"
#include "about/help.h"
#include "app/Form1Layout.h"
#include "app/LineControl.h"
#include "app/Module1.h"
#include "app/WindowIcon.h"
#include "catalogue/CatalogueHandlers.h"
#include "platform/Fonts.h"
#include "platform/Version.h"
#include "translator/MessageView.h"
#include "translator/TranslatorHandlers.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <cmath>
#include <exception>
#include <map>

using platform::FontFace;
using platform::makeFont;

namespace {
const QString kAppName = QStringLiteral("Glyphora");
const QString kSection = QStringLiteral("Settings");
const QString kSoundKey = QStringLiteral("Sound");

const QColor kDarkBlue = form1::fromBgr(0x00800000);
const QColor kLightGrey = form1::fromBgr(0x00E0E0E0);

void setTextColour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

void setBackground(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
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
    setTabOrder();
    setClientWidth(form1::kClientWidth);
}

Form1::~Form1()
{
    closeSecondaryWindows();
}

int Form1::toPixelsX(int twips) const
{
    return int(std::lround(twips / m_platform.windows.TwipsPerPixelX()));
}

int Form1::toPixelsY(int twips) const
{
    return int(std::lround(twips / m_platform.windows.TwipsPerPixelY()));
}

QRect Form1::toPixels(int left, int top, int width, int height) const
{
    // Convert both edges so that neighbouring controls stay flush.
    const int x = toPixelsX(left);
    const int y = toPixelsY(top);
    return QRect(x, y, toPixelsX(left + width) - x, toPixelsY(top + height) - y);
}

template <typename W> W* Form1::place(W* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    const ControlLayout* layout = form1::find(QLatin1String(name));
    Q_ASSERT(layout);
    QRect geometry = toPixels(layout->left, layout->top, layout->width, layout->height);
    if (widget->parentWidget() == m_translatorPanel)
        geometry.translate(-m_translatorPanel->x(), 0);
    widget->setGeometry(geometry);
    if (layout->tooltip)
        widget->setToolTip(QString::fromLatin1(layout->tooltip));
    if (layout->accessibleName)
        widget->setAccessibleName(QString::fromLatin1(layout->accessibleName));
    else if (!layout->caption && layout->tooltip)
        widget->setAccessibleName(QString::fromLatin1(layout->tooltip)); // a picture's name
    if (layout->accessibleDescription)
        widget->setAccessibleDescription(QString::fromLatin1(layout->accessibleDescription));
    if (layout->caption) {
        const QString caption = QString::fromLatin1(layout->caption);
        if constexpr (std::is_base_of_v<QPlainTextEdit, W>)
            widget->setPlainText(caption);
        else if constexpr (std::is_same_v<W, QGroupBox>)
            widget->setTitle(caption);
        else if constexpr (requires { widget->setText(caption); })
            widget->setText(caption);
    }
    return widget;
}

void Form1::createControls()
{
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("client"));
    setCentralWidget(m_client);

    // The translator panel holds the controls right of the separator; it is hidden while
    // the window is narrow, so none of them can take the focus out of sight.
    m_translatorPanel = new QWidget(m_client);
    m_translatorPanel->setObjectName(QStringLiteral("translatorPanel"));
    const QRect panel = toPixels(form1::kPanelLeft + 1, 0,
                                 form1::kClientWidth + form1::kPanelWidth - form1::kPanelLeft - 1,
                                 form1::kClientHeight);
    m_translatorPanel->setGeometry(panel);

    static const char* const kPictureButtons[] = {
        "Command4",  "Command5",  "Command6",  "Command7",  "Command8", "Command9",
        "Command10", "Command11", "Command12", "Command13", "Command14"};
    for (std::size_t i = 0; i < m_pictureButtons.size(); ++i) {
        m_pictureButtons[i] = place(new QPushButton(m_client), kPictureButtons[i]);
        m_pictureButtons[i]->setIconSize(QSize(toPixelsX(300), toPixelsY(300)));
    }

    Label2 = place(new QLabel(m_client), "Label2");
    Label2->setFont(makeFont(FontFace::Tahoma, 12, true));
    Label2->setWordWrap(true);
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTextColour(Label2, kDarkBlue);

    Label1 = place(new QLabel(m_client), "Label1");
    Label1->setFont(makeFont(FontFace::Tahoma, 24));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setFrameShape(QFrame::Panel);
    Label1->setFrameShadow(QFrame::Sunken);
    Label1->setTextFormat(Qt::PlainText);
    setBackground(Label1, kLightGrey);

    Image1 = place(new QLabel(m_client), "Image1");
    Image1->setScaledContents(true);

    Frame1 = place(new QGroupBox(m_client), "Frame1");
    Frame1->setFont(makeFont(FontFace::Tahoma, 8.25, true));
    Txt1 = place(new QLineEdit(Frame1), "Txt1");
    Txt1->setFont(makeFont(FontFace::Tahoma, 9.75));

    Frame2 = place(new QGroupBox(m_client), "Frame2");
    Frame2->setFont(makeFont(FontFace::Tahoma, 8.25, true));
    Check1 = place(new QCheckBox(Frame2), "Check1");
    Check1->setChecked(true);

    const QFont small = makeFont(FontFace::Tahoma, 8.25);
    Command1 = place(new QPushButton(m_client), "Command1");
    Command1->setFont(small);
    fitCaption(Command1);
    Command15 = place(new QPushButton(m_client), "Command15");
    Command15->setFont(small);
    fitCaption(Command15);
    Command15->hide();
    Command3 = place(new QPushButton(m_client), "Command3");
    Command3->setFont(small);
    chkOnTop = place(new QPushButton(m_client), "chkOnTop");
    chkOnTop->setFont(small);
    chkOnTop->setCheckable(true);
    Command2 = place(new QPushButton(m_client), "Command2");
    Command2->setFont(small);

    const QFont listFont = makeFont(FontFace::MSSansSerif, 8.25);
    List1 = place(new QListWidget(m_client), "List1");
    List1->setFont(listFont);
    List2 = place(new QListWidget(m_client), "List2");
    List2->setFont(listFont);
    List2->hide();
    // Every entry is one line of one font: measuring one row is enough, and measuring all
    // of them would be the largest cost of start-up.
    // A list box scrolls only vertically; a long caption ends in an ellipsis.
    for (QListWidget* list : {List1, List2}) {
        list->setUniformItemSizes(true);
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }

    cmdOpenEbonic = place(new QPushButton(m_client), "cmdOpenEbonic");

    Label3 = place(new QLabel(m_translatorPanel), "Label3");
    Message_Text = place(new translator::MessageEdit(m_translatorPanel), "Message_Text");
    Message_Text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Tab goes on to the translator's buttons, as in any form's text box; otherwise the
    // keyboard could never leave the message.
    Message_Text->setTabChangesFocus(true);
    cmdClearText = place(new QPushButton(m_translatorPanel), "cmdClearText");
    cmdOpen = place(new QPushButton(m_translatorPanel), "cmdOpen");
    cmdSave = place(new QPushButton(m_translatorPanel), "cmdSave");
    cmdSaveAs = place(new QPushButton(m_translatorPanel), "cmdSaveAs");
    Cmdtranlate = place(new QPushButton(m_translatorPanel), "Cmdtranlate");
    Sendtxtcmd = place(new QPushButton(m_translatorPanel), "Sendtxtcmd");
    cmdUndo = place(new QPushButton(m_translatorPanel), "cmdUndo");
    cmdUndo->setEnabled(false);
    lblStatus = place(new QLabel(m_translatorPanel), "lblStatus");
    lblStatus->setFrameShape(QFrame::Panel);
    lblStatus->setFrameShadow(QFrame::Sunken);
    lblStatus->setTextFormat(Qt::PlainText);
    setBackground(lblStatus, kLightGrey);
    cmdCloseEbonic = place(new QPushButton(m_translatorPanel), "cmdCloseEbonic");

    // Hidden holders: never shown, they only keep text for the handlers.
    txtSound = place(new QLineEdit(m_client), "txtSound");
    Rtfbackup = place(new QLineEdit(m_client), "Rtfbackup");
    rtfaftertran = place(new QLineEdit(m_client), "rtfaftertran");
    Ebonictxt = place(new QPlainTextEdit(m_client), "Ebonictxt");
    for (QWidget* holder : {static_cast<QWidget*>(txtSound), static_cast<QWidget*>(Rtfbackup),
                            static_cast<QWidget*>(rtfaftertran), static_cast<QWidget*>(Ebonictxt)})
        holder->hide();

    for (const LineLayout& line : form1::lines()) {
        auto* control =
            new LineControl(QPoint(toPixelsX(line.x1), toPixelsY(line.y1)),
                            QPoint(toPixelsX(line.x2), toPixelsY(line.y2)), line.colour, m_client);
        control->setObjectName(QLatin1String(line.name));
    }
    // The picture display sits over the emoticon label, as the two share one place.
    Image1->raise();

    m_catalogue =
        new CatalogueHandlers({List1, List2, Label1, Label2, Image1, Command1, Command15, Command3,
                               Sendtxtcmd, m_pictureButtons, Txt1, Message_Text, Check1},
                              m_platform.clipboard, m_sound, this);
    m_translator =
        new TranslatorHandlers({Message_Text, Rtfbackup, rtfaftertran, Ebonictxt, lblStatus,
                                Cmdtranlate, cmdUndo, cmdOpen, cmdSave, cmdSaveAs, cmdClearText},
                               m_platform, m_sound, this);

    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(Check1, &QCheckBox::toggled, this, &Form1::Check1_Click);
    connect(chkOnTop, &QPushButton::toggled, this, &Form1::chkOnTop_Click);
    connect(cmdOpenEbonic, &QPushButton::clicked, this, &Form1::cmdOpenEbonic_Click);
    connect(cmdCloseEbonic, &QPushButton::clicked, this, &Form1::cmdCloseEbonic_Click);
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
    fitMenuBar(bar, toPixelsX(form1::kClientWidth));
}

void Form1::setTabOrder()
{
    std::map<int, QWidget*> byIndex;
    for (const ControlLayout& layout : form1::controls()) {
        if (layout.tabIndex < 0)
            continue;
        auto* widget = findChild<QWidget*>(QLatin1String(layout.name));
        if (widget && widget->focusPolicy() != Qt::NoFocus)
            byIndex.emplace(layout.tabIndex, widget);
    }
    QWidget* previous = nullptr;
    for (const auto& [index, widget] : byIndex) {
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

void Form1::setClientWidth(int twips)
{
    m_clientWidthTwips = twips;
    const QSize client(toPixelsX(twips), toPixelsY(form1::kClientHeight));
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
    setTextColour(Label2, kDarkBlue);
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
    }
}

void Form1::Form_Terminate()
{
    if (m_ended)
        return;
    WaitSeconds(m_platform.windows, 1);
    closeSecondaryWindows();
    endProgram();
}

void Form1::Command2_Click()
{
    PlayResSound(platform::kClickSound, platform::kClickSoundType);
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
    auto convert = [](double twips, double factor) {
        const long divisor = roundHalfEven(factor);
        return divisor == 0 ? 0 : int(roundHalfEven(twips) / divisor);
    };
    const QRect pixels(convert(outer.x() * tppX, tppX), convert(outer.y() * tppY, tppY),
                       convert(outer.width() * tppX, tppX), convert(outer.height() * tppY, tppY));
    m_platform.windows.SetWindowPos(this, topmost, pixels);
    for (QWidget* window : {m_about.data(), m_help.data()}) {
        if (window)
            keepInTopBand(window);
    }
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
