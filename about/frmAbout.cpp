#include "about/frmAbout.h"

#include "about/AboutTexts.h"
#include "about/SysInfo.h"
#include "about/mOpenURL.h"

#include <QCursor>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <utility>

using forms::ControlDesign;
using forms::ControlKind;
using forms::FontDesign;
using forms::kNavy;
using forms::setForeColor;
using platform::FontFace;

namespace {

const QColor kBlack(0, 0, 0);
const QColor kGrey(128, 128, 128);
const QColor kWhite(255, 255, 255);

constexpr int kBlinkMilliseconds = 500;

std::vector<ControlDesign> aboutControls()
{
    const FontDesign plain{FontFace::Tahoma, 8.25, false};
    const FontDesign bold{FontFace::Tahoma, 8.25, true};
    return {
        {.name = "lpAppImage",
         .kind = ControlKind::Image,
         .twips = {0, 240, 1215, 3075},
         .picture = ":/about/side.png",
         .accessibleName = "Glyphora artwork"},
        {.name = "lbAppTitle",
         .kind = ControlKind::Label,
         .twips = {1440, 360, 2310, 210},
         .text = about::kProgramTitle,
         .font = FontDesign{FontFace::Tahoma, 9, true},
         .foreColor = kNavy,
         .autoSize = true},
        // The two version labels are the blink's sources: the text and the blank phase.
        {.name = "lbAppVersion(0)",
         .kind = ControlKind::Label,
         .twips = {2760, 720, 960, 195},
         .text = about::kVersionText,
         .visible = false},
        {.name = "lbAppVersion(1)",
         .kind = ControlKind::Label,
         .twips = {1440, 120, 1005, 195},
         .autoSize = true},
        {.name = "Label6",
         .kind = ControlKind::Label,
         .twips = {1440, 720, 1215, 255},
         .font = bold,
         // It blinks: between the blinks a screen reader still finds the version.
         .accessibleDescription = about::kVersionText},
        {.name = "Label7",
         .kind = ControlKind::Label,
         .twips = {1440, 1080, 615, 255},
         .text = "Email    :"},
        {.name = "Label1",
         .kind = ControlKind::Link,
         .twips = {2040, 1080, 1815, 255},
         .text = about::kAuthorEmail,
         .accessibleName = "E-mail the author",
         .accessibleDescription = about::kAuthorEmail},
        {.name = "Label2",
         .kind = ControlKind::Label,
         .twips = {1440, 1320, 615, 255},
         .text = "URL1     :"},
        {.name = "Label5",
         .kind = ControlKind::Link,
         .twips = {2040, 1320, 2775, 255},
         .text = about::kWebPage1,
         .foreColor = kBlack,
         .accessibleName = "Visit the program's web page",
         .accessibleDescription = about::kWebPage1},
        {.name = "Label9",
         .kind = ControlKind::Label,
         .twips = {1440, 1560, 495, 255},
         .text = "URL2     :"},
        {.name = "Label8",
         .kind = ControlKind::Link,
         .twips = {2040, 1560, 3375, 255},
         .text = about::kWebPage2,
         .foreColor = kBlack,
         .accessibleName = "Visit the author's freeware page",
         .accessibleDescription = about::kWebPage2},
        {.name = "Label3",
         .kind = ControlKind::Label,
         .twips = {1440, 1800, 1695, 255},
         .text = "ICQ      : " + about::kIcqNumber},
        {.name = "Label4",
         .kind = ControlKind::Label,
         .twips = {1440, 2040, 2775, 255},
         .text = "Mobile  : " + about::kMobileNumber},
        {.name = "Picture1",
         .kind = ControlKind::PictureBox,
         .twips = {1320, 2400, 3855, 1095},
         .font = plain,
         .accessibleName = "Credits"},
        {.name = "lbAppCopyright",
         .kind = ControlKind::Label,
         .twips = {120, 120, 3285, 195},
         .text = about::kRightsLine,
         .container = "Picture1",
         .autoSize = true},
        {.name = "lbAInfo",
         .kind = ControlKind::Label,
         .twips = {120, 360, 2640, 195},
         .text = about::kAuthorCredit,
         .container = "Picture1",
         .autoSize = true},
        {.name = "Label10",
         .kind = ControlKind::Label,
         .twips = {120, 600, 3255, 195},
         .text = about::kTranslatorCredit,
         .container = "Picture1",
         .autoSize = true},
        {.name = "Line1(0)",
         .kind = ControlKind::Line,
         .twips = {120, 3600, 5640, 3600},
         .foreColor = kGrey},
        {.name = "Line1(1)",
         .kind = ControlKind::Line,
         .twips = {-120, 3600, 5640, 3600},
         .foreColor = kWhite},
        {.name = "lbTemp(1)",
         .kind = ControlKind::Label,
         .twips = {240, 3720, 2925, 1155},
         .text = about::kDistributionNotice,
         .wordWrap = true},
        {.name = "Command1",
         .kind = ControlKind::CommandButton,
         .twips = {3840, 4080, 1275, 375},
         .text = "&Ok",
         .font = plain,
         .accessibleDescription = "Closes this window"},
        {.name = "Command2",
         .kind = ControlKind::CommandButton,
         .twips = {3840, 4560, 1275, 375},
         .text = "&System Info...",
         .font = plain,
         .accessibleDescription = "Starts the system information tool"},
        {.name = "Image1",
         .kind = ControlKind::Image,
         .twips = {4080, 480, 480, 480},
         .picture = ":/about/glyphora32.png",
         .accessibleName = "Glyphora icon"},
        {.name = "Line2",
         .kind = ControlKind::Line,
         .twips = {-360, 5040, 5760, 5040},
         .foreColor = kWhite},
    };
}

} // namespace

forms::WindowDesign frmAbout::design()
{
    return {staticMetaObject.className(),
            QAccessible::Dialog,
            Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint,
            QStringLiteral("About This Freeware ..."),
            {FontFace::Tahoma, 8.25, true},
            QSize(5700, 5310),
            aboutControls()};
}

frmAbout::frmAbout(const platform::Platform& platform, std::function<bool()> soundsOn)
    : forms::SecondaryWindow(platform, std::move(soundsOn), design())
{
    m_label1 = qobject_cast<QLabel*>(control(QStringLiteral("Label1")));
    m_label5 = qobject_cast<QLabel*>(control(QStringLiteral("Label5")));
    m_label8 = qobject_cast<QLabel*>(control(QStringLiteral("Label8")));
    m_label6 = qobject_cast<QLabel*>(control(QStringLiteral("Label6")));
    m_versions[0] = qobject_cast<QLabel*>(control(QStringLiteral("lbAppVersion(0)")));
    m_versions[1] = qobject_cast<QLabel*>(control(QStringLiteral("lbAppVersion(1)")));

    // The e-mail link starts in the system's button-text colour, the web links in black.
    setForeColor(m_label1, palette().color(QPalette::ButtonText));
    const QCursor mailPointer(QPixmap(QStringLiteral(":/about/mailhand.png")), 12, 1);
    const QCursor handPointer(QPixmap(QStringLiteral(":/about/hand.png")), 12, 1);
    m_label1->setCursor(mailPointer);
    m_label5->setCursor(handPointer);
    m_label8->setCursor(handPointer);
    for (QLabel* link : {m_label1, m_label5, m_label8}) {
        link->setMouseTracking(true);
        link->installEventFilter(this);
    }
    setMouseTracking(true);

    // The keyboard and screen readers follow the links without the pointer.
    connect(qobject_cast<forms::LinkLabel*>(m_label1), &forms::LinkLabel::activated, this,
            &frmAbout::Label1_Click);
    connect(qobject_cast<forms::LinkLabel*>(m_label5), &forms::LinkLabel::activated, this,
            &frmAbout::Label5_Click);
    connect(qobject_cast<forms::LinkLabel*>(m_label8), &forms::LinkLabel::activated, this,
            &frmAbout::Label8_Click);

    auto* ok = qobject_cast<QPushButton*>(control(QStringLiteral("Command1")));
    connect(ok, &QPushButton::clicked, this, &frmAbout::Command1_Click);
    // The links come first in the tab order; the window still opens on "Ok".
    ok->setFocus();
    connect(qobject_cast<QPushButton*>(control(QStringLiteral("Command2"))), &QPushButton::clicked,
            this, &frmAbout::Command2_Click);

    m_timer1 = new QTimer(this);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setInterval(kBlinkMilliseconds);
    connect(m_timer1, &QTimer::timeout, this, &frmAbout::Timer1_Timer);
    m_timer1->start();
}

void frmAbout::StartSysInfo()
{
    about::StartSysInfo(m_platform.registry, m_platform.shell, m_platform.messageBoxes, this);
}

void frmAbout::Command1_Click()
{
    closeWithClick();
}

void frmAbout::Command2_Click()
{
    StartSysInfo();
}

void frmAbout::Form_MouseMove()
{
    // Label8 keeps its colour here, as it always has.
    setForeColor(m_label5, kBlack);
    setForeColor(m_label1, kBlack);
}

void frmAbout::Label1_MouseMove()
{
    setForeColor(m_label1, kNavy);
    setForeColor(m_label8, kBlack);
    setForeColor(m_label5, kBlack);
}

void frmAbout::Label5_MouseMove()
{
    setForeColor(m_label5, kNavy);
    setForeColor(m_label8, kBlack);
    setForeColor(m_label1, kBlack);
}

void frmAbout::Label8_MouseMove()
{
    setForeColor(m_label8, kNavy);
    setForeColor(m_label5, kBlack);
    setForeColor(m_label1, kBlack);
}

void frmAbout::Label1_Click()
{
    m_platform.shell.ShellExecute(QStringLiteral("mailto:") + about::kAuthorEmail);
}

void frmAbout::Label5_Click()
{
    about::mOpenURL::OpenURL(m_platform.shell, m_platform.paths, about::kWebPage1);
}

void frmAbout::Label8_Click()
{
    about::mOpenURL::OpenURL(m_platform.shell, m_platform.paths, about::kWebPage2);
}

void frmAbout::Timer1_Timer()
{
    m_label6->setText(m_versions[m_blink]->text());
    m_blink = std::int16_t((m_blink + 1) % 2);
}

bool frmAbout::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_label1 && watched != m_label5 && watched != m_label8)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::MouseMove) {
        if (watched == m_label1)
            Label1_MouseMove();
        else if (watched == m_label5)
            Label5_MouseMove();
        else
            Label8_MouseMove();
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const auto* label = static_cast<QLabel*>(watched);
        if (mouse->button() != Qt::LeftButton ||
            !label->rect().contains(mouse->position().toPoint()))
            return false;
        if (watched == m_label1)
            Label1_Click();
        else if (watched == m_label5)
            Label5_Click();
        else
            Label8_Click();
        return true;
    }
    return false;
}

void frmAbout::mouseMoveEvent(QMouseEvent* event)
{
    // Only the bare window counts: moves over other controls are theirs, not the window's.
    if (!childAt(event->position().toPoint()))
        Form_MouseMove();
    QWidget::mouseMoveEvent(event);
}
