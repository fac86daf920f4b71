#include "about/help.h"

#include "about/AboutTexts.h"
#include "about/HelpText.h"

#include <QFontMetrics>
#include <QIcon>
#include <QLabel>
#include <QList>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>
#include <cmath>
#include <utility>

using forms::ControlDesign;
using forms::ControlKind;
using forms::FontDesign;
using forms::twipsToPixels;
using platform::FontFace;

namespace {

const QColor kLogoInitial(0, 0, 255);
const QColor kLogoRest(255, 0, 0);

/// Where the logo starts, inside the frame.
constexpr int kLogoLeft = 720;
constexpr int kLogoTop = 240;
/// The logo ends a little before the version labels at 3720.
constexpr int kLogoRight = 3600;

/// The logo's words, each split into its capital initial and the rest.
const QString kLogoWords[] = {QStringLiteral("Verot"), QStringLiteral("Glyphora"),
                              QStringLiteral("Help")};

std::vector<ControlDesign> helpControls()
{
    const FontDesign initial{FontFace::TimesNewRoman, 26.25, false};
    const FontDesign rest{FontFace::TimesNewRoman, 14.25, false};
    const QString frame = QStringLiteral("Frame1");
    std::vector<ControlDesign> controls = {
        {.name = "Frame1",
         .kind = ControlKind::Frame,
         .twips = {45, 0, 5550, 6420},
         .accessibleName = "Verot Glyphora Help"},
        {.name = "Image1",
         .kind = ControlKind::Image,
         .twips = {135, 225, 480, 480},
         .container = frame,
         .picture = ":/about/glyphora32.png",
         .accessibleName = "Glyphora icon"},
    };
    // The logo labels grow to their letters; layOutLogo() sets them side by side.
    int number = 1;
    for (const QString& word : kLogoWords) {
        controls.push_back({.name = QStringLiteral("Label%1").arg(number++),
                            .kind = ControlKind::Label,
                            .twips = {kLogoLeft, kLogoTop, 0, 0},
                            .text = word.left(1),
                            .container = frame,
                            .font = initial,
                            .foreColor = kLogoInitial,
                            .autoSize = true});
        controls.push_back({.name = QStringLiteral("Label%1").arg(number++),
                            .kind = ControlKind::Label,
                            .twips = {kLogoLeft, kLogoTop, 0, 0},
                            .text = word.mid(1),
                            .container = frame,
                            .font = rest,
                            .foreColor = kLogoRest,
                            .autoSize = true});
    }
    controls.insert(controls.end(), {
                                        {.name = "Label14",
                                         .kind = ControlKind::Label,
                                         .twips = {3720, 600, 1695, 255},
                                         .text = about::kVersionText,
                                         .container = frame,
                                         .font = FontDesign{FontFace::MSSansSerif, 8.25, true}},
                                        {.name = "Label16",
                                         .kind = ControlKind::Label,
                                         .twips = {3720, 840, 1575, 255},
                                         .text = about::kReleaseDate,
                                         .container = frame,
                                         .accessibleDescription = "Release date"},
                                        {.name = "Text1",
                                         .kind = ControlKind::MultiLineTextBox,
                                         .twips = {240, 1320, 5055, 4215},
                                         .text = about::helpText(),
                                         .container = frame,
                                         .accessibleName = "Help text"},
                                        {.name = "cmdCLOSE",
                                         .kind = ControlKind::CommandButton,
                                         .twips = {2160, 5880, 975, 405},
                                         .text = "Ok",
                                         .container = frame,
                                         .accessibleDescription = "Closes the help"},
                                    });
    return controls;
}

/// The help text's lines were broken by hand for the classic face. A wider stand-in (on a
/// scaled screen, or where that face is missing) is narrowed a little until they fit, rather
/// than let each drop its last word onto a line of its own. A line that no small narrowing
/// fits wraps, as it does in the classic face.
void fitHandBrokenLines(QPlainTextEdit* text)
{
    constexpr int kNarrowest = 90; // percent
    // The viewport is laid out only when shown: measure the room from the box itself.
    const int room = text->width() - 2 * text->frameWidth() -
                     text->verticalScrollBar()->sizeHint().width() -
                     int(std::ceil(2 * text->document()->documentMargin())) - 2;
    QFont font = text->font();
    const QFontMetricsF metrics(font);
    int stretch = 100;
    for (const QString& line : text->toPlainText().split(QLatin1Char('\n'))) {
        const qreal needed = metrics.horizontalAdvance(line);
        const int fitting = needed > 0 ? int(std::floor(100 * room / needed)) : 100;
        if (fitting >= kNarrowest)
            stretch = std::min(stretch, fitting);
    }
    if (stretch < 100) {
        font.setStretch(stretch);
        text->setFont(font);
    }
}

} // namespace

forms::WindowDesign help::design()
{
    return {staticMetaObject.className(),
            QAccessible::Window,
            Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                Qt::WindowCloseButtonHint,
            QStringLiteral("Quick Help"),
            // The classic dialog face, which the help text's hand-made line breaks were made for.
            {FontFace::MSSansSerif, 8.25, false},
            QSize(5640, 6495),
            helpControls()};
}

help::help(const platform::Platform& platform, std::function<bool()> soundsOn)
    : forms::SecondaryWindow(platform, std::move(soundsOn), design())
{
    setWindowIcon(QIcon(QStringLiteral(":/about/glyphora32.png")));
    layOutLogo(m_platform.windows.TwipsPerPixelX(), m_platform.windows.TwipsPerPixelY());

    // Read-only: an edit would be lost on closing anyway, and the text is the manual.
    auto* text = qobject_cast<QPlainTextEdit*>(control(QStringLiteral("Text1")));
    text->setReadOnly(true);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    QPalette palette = text->palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    text->setPalette(palette);
    fitHandBrokenLines(text);
    text->moveCursor(QTextCursor::Start);
    text->verticalScrollBar()->setValue(0);

    connect(qobject_cast<QPushButton*>(control(QStringLiteral("cmdCLOSE"))), &QPushButton::clicked,
            this, &help::cmdCLOSE_Click);
}

void help::layOutLogo(double twipsX, double twipsY)
{
    // Initials and rests share one baseline, words are a blank apart, and the whole logo
    // stays clear of the version labels: a wide serif face is scaled down to fit.
    QList<QLabel*> labels;
    for (int number = 1; number <= 6; ++number)
        labels << qobject_cast<QLabel*>(control(QStringLiteral("Label%1").arg(number)));
    const int gap = labels[1]->fontMetrics().horizontalAdvance(QLatin1Char(' '));
    const int left = twipsToPixels(kLogoLeft, twipsX);
    const int room = twipsToPixels(kLogoRight, twipsX) - left;
    int width = 2 * gap;
    for (QLabel* label : labels)
        width += label->width();
    if (width > room) {
        const double scale = double(room) / width;
        for (QLabel* label : labels) {
            QFont font = label->font();
            font.setPointSizeF(font.pointSizeF() * scale);
            label->setFont(font);
            label->resize(label->sizeHint());
        }
    }
    const int baseline = twipsToPixels(kLogoTop, twipsY) + labels[0]->fontMetrics().ascent();
    int x = left;
    for (int i = 0; i < labels.size(); ++i) {
        if (i > 0 && i % 2 == 0)
            x += labels[1]->fontMetrics().horizontalAdvance(QLatin1Char(' '));
        labels[i]->move(x, baseline - labels[i]->fontMetrics().ascent());
        x += labels[i]->width();
    }
}

void help::cmdCLOSE_Click()
{
    closeWithClick();
}
