#include "about/FormBuilder.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>
#include <cmath>

namespace about {

int twipsToPixels(int twips, double twipsPerPixel)
{
    return int(std::lround(twips / twipsPerPixel));
}

QRect twipsToPixels(const std::array<int, 4>& twips, double twipsX, double twipsY)
{
    return {twipsToPixels(twips[0], twipsX), twipsToPixels(twips[1], twipsY),
            twipsToPixels(twips[2], twipsX), twipsToPixels(twips[3], twipsY)};
}

LineControl::LineControl(const QColor& colour, QWidget* parent) : QWidget(parent), m_colour(colour)
{
    // A drawn line is no target: the pointer moves over it onto the window.
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LineControl::setEnds(QPoint from, QPoint to)
{
    m_ends = QLine(from, to);
    const int left = std::min(from.x(), to.x());
    const int top = std::min(from.y(), to.y());
    setGeometry(left, top, std::max(1, std::abs(to.x() - from.x())),
                std::max(1, std::abs(to.y() - from.y())));
}

void LineControl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(QPen(m_colour, 1));
    const QPoint origin = geometry().topLeft();
    painter.drawLine(m_ends.translated(-origin));
}

namespace {

QWidget* makeControl(const ControlSpec& spec, QWidget* parent)
{
    switch (spec.kind) {
    case ControlKind::Label: {
        auto* label = new QLabel(parent);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setWordWrap(spec.wordWrap);
        label->setText(spec.text);
        return label;
    }
    case ControlKind::Image: {
        auto* image = new QLabel(parent);
        image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        image->setPixmap(QPixmap(spec.picture));
        return image;
    }
    case ControlKind::PictureBox: {
        auto* box = new QFrame(parent);
        box->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
        return box;
    }
    case ControlKind::Line:
        return new LineControl(spec.foreColor, parent);
    case ControlKind::CommandButton:
        return new QPushButton(spec.text, parent);
    case ControlKind::Frame:
        return new QGroupBox(spec.text, parent);
    case ControlKind::TextBox: {
        auto* box = new QPlainTextEdit(parent);
        box->setPlainText(spec.text);
        return box;
    }
    }
    return nullptr;
}

} // namespace

QHash<QString, QWidget*> buildControls(QWidget* window, const std::vector<ControlSpec>& specs,
                                       double twipsX, double twipsY)
{
    QHash<QString, QWidget*> controls;
    for (const ControlSpec& spec : specs) {
        QWidget* parent = spec.container.isEmpty() ? window : controls.value(spec.container);
        Q_ASSERT(parent);
        QWidget* control = makeControl(spec, parent);
        control->setObjectName(spec.name);
        if (spec.font)
            control->setFont(
                platform::makeFont(spec.font->face, spec.font->pointSize, spec.font->bold));
        if (spec.foreColor.isValid() && spec.kind != ControlKind::Line) {
            QPalette palette = control->palette();
            palette.setColor(QPalette::WindowText, spec.foreColor);
            control->setPalette(palette);
        }
        if (spec.kind == ControlKind::Line) {
            auto* line = static_cast<LineControl*>(control);
            line->setEnds(
                QPoint(twipsToPixels(spec.twips[0], twipsX), twipsToPixels(spec.twips[1], twipsY)),
                QPoint(twipsToPixels(spec.twips[2], twipsX), twipsToPixels(spec.twips[3], twipsY)));
        } else {
            control->setGeometry(twipsToPixels(spec.twips, twipsX, twipsY));
        }
        if (spec.autoSize)
            control->resize(control->sizeHint().expandedTo(QSize(0, control->height())));
        control->setVisible(spec.visible);
        controls.insert(spec.name, control);
    }
    return controls;
}

} // namespace about
