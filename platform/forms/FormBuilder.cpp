#include "platform/forms/FormBuilder.h"

#include "platform/forms/SharpPicture.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyleOptionFocusRect>
#include <algorithm>
#include <cmath>
#include <map>

namespace forms {

int twipsToPixels(int twips, double twipsPerPixel)
{
    return int(std::lround(twips / twipsPerPixel));
}

QRect twipsToPixels(const std::array<int, 4>& twips, double twipsX, double twipsY)
{
    const int left = twipsToPixels(twips[0], twipsX);
    const int top = twipsToPixels(twips[1], twipsY);
    return {left, top, twipsToPixels(twips[0] + twips[2], twipsX) - left,
            twipsToPixels(twips[1] + twips[3], twipsY) - top};
}

void setForeColor(QWidget* control, const QColor& colour)
{
    QPalette palette = control->palette();
    palette.setColor(QPalette::WindowText, colour);
    control->setPalette(palette);
}

LineControl::LineControl(const QColor& colour, QWidget* parent) : QWidget(parent), m_colour(colour)
{
    // A drawn line is no target: the pointer moves over it onto the window.
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

QColor LineControl::colour() const
{
    return m_colour.isValid() ? m_colour : palette().color(QPalette::WindowText);
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
    painter.setPen(QPen(colour(), 1));
    painter.drawLine(m_ends.translated(-pos()));
}

namespace {

/// A link for screen readers: its role, and an action that follows it.
class LinkAccessible final : public QAccessibleWidget
{
public:
    explicit LinkAccessible(LinkLabel* link) : QAccessibleWidget(link, QAccessible::Link) {}

    QString text(QAccessible::Text t) const override
    {
        // Without a name of its own, the link is called by what it shows.
        QString value = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && value.isEmpty())
            value = static_cast<const QLabel*>(widget())->text();
        return value;
    }

    QStringList actionNames() const override
    {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& name) override
    {
        if (name == pressAction())
            emit static_cast<LinkLabel*>(widget())->activated();
        else
            QAccessibleWidget::doAction(name);
    }
};

QHash<QString, QAccessible::Role>& windowRoles()
{
    static QHash<QString, QAccessible::Role> roles;
    return roles;
}

QAccessibleInterface* accessibleFor(const QString& className, QObject* object)
{
    if (className == QLatin1String(LinkLabel::staticMetaObject.className()))
        return new LinkAccessible(static_cast<LinkLabel*>(object));
    const auto role = windowRoles().constFind(className);
    if (role != windowRoles().cend() && object && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), *role);
    return nullptr;
}

void installAccessibleFactory()
{
    static const bool installed = [] {
        QAccessible::installFactory(accessibleFor);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace

void setAccessibleWindowRole(const char* className, QAccessible::Role role)
{
    installAccessibleFactory();
    windowRoles().insert(QLatin1String(className), role);
}

LinkLabel::LinkLabel(QWidget* parent) : QLabel(parent)
{
    installAccessibleFactory();
    // Tab reaches it; a click leaves the focus where it was, as on any label.
    setFocusPolicy(Qt::TabFocus);
}

void LinkLabel::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
            emit activated();
            return;
        }
        break;
    default:
        break;
    }
    QLabel::keyPressEvent(event);
}

void LinkLabel::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    // The link under the keyboard shows it, as a button does.
    QPainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = contentsRect();
    option.backgroundColor = palette().color(backgroundRole());
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}

namespace {

QWidget* makeControl(const ControlDesign& design, QWidget* parent)
{
    switch (design.kind) {
    case ControlKind::Label:
    case ControlKind::Link: {
        QLabel* label =
            design.kind == ControlKind::Link ? new LinkLabel(parent) : new QLabel(parent);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(design.alignment);
        label->setWordWrap(design.wordWrap);
        return label;
    }
    case ControlKind::Image: {
        auto* image = new QLabel(parent);
        image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        if (!design.picture.isEmpty())
            image->setPixmap(sharpPixmap(design.picture, qGuiApp->devicePixelRatio()));
        return image;
    }
    case ControlKind::PictureBox: {
        auto* box = new QFrame(parent);
        box->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
        return box;
    }
    case ControlKind::Line:
        return new LineControl(design.foreColor, parent);
    case ControlKind::CommandButton:
    case ControlKind::ToggleButton: {
        auto* button = new QPushButton(parent);
        button->setCheckable(design.kind == ControlKind::ToggleButton);
        return button;
    }
    case ControlKind::CheckBox:
        return new QCheckBox(parent);
    case ControlKind::Frame:
        return new QGroupBox(parent);
    case ControlKind::Panel:
        return new QWidget(parent);
    case ControlKind::TextBox:
        return new QLineEdit(parent);
    case ControlKind::MultiLineTextBox:
        return new QPlainTextEdit(parent);
    case ControlKind::ListBox:
        return new QListWidget(parent);
    }
    return nullptr;
}

void setText(QWidget* control, const QString& text)
{
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        button->setText(text);
    else if (auto* label = qobject_cast<QLabel*>(control))
        label->setText(text);
    else if (auto* frame = qobject_cast<QGroupBox*>(control))
        frame->setTitle(text);
    else if (auto* line = qobject_cast<QLineEdit*>(control))
        line->setText(text);
    else if (auto* box = qobject_cast<QPlainTextEdit*>(control))
        box->setPlainText(text);
}

} // namespace

QHash<QString, QWidget*> buildControls(QWidget* window, const std::vector<ControlDesign>& designs,
                                       double twipsX, double twipsY)
{
    QHash<QString, QWidget*> controls;
    std::map<int, QWidget*> tabOrder;
    for (const ControlDesign& design : designs) {
        QWidget* parent = design.container.isEmpty() ? window : controls.value(design.container);
        Q_ASSERT(parent);
        QWidget* control = design.make ? design.make(parent) : makeControl(design, parent);
        control->setObjectName(design.name);
        if (!design.text.isEmpty())
            setText(control, design.text);
        if (design.font)
            control->setFont(
                platform::makeFont(design.font->face, design.font->pointSize, design.font->bold));
        if (design.foreColor.isValid() && design.kind != ControlKind::Line)
            setForeColor(control, design.foreColor);
        if (design.backColor.isValid()) {
            QPalette palette = control->palette();
            palette.setColor(QPalette::Window, design.backColor);
            control->setPalette(palette);
            control->setAutoFillBackground(true);
        }
        if (design.kind == ControlKind::Line) {
            static_cast<LineControl*>(control)->setEnds(
                QPoint(twipsToPixels(design.twips[0], twipsX),
                       twipsToPixels(design.twips[1], twipsY)),
                QPoint(twipsToPixels(design.twips[2], twipsX),
                       twipsToPixels(design.twips[3], twipsY)));
        } else {
            control->setGeometry(twipsToPixels(design.twips, twipsX, twipsY));
        }
        if (design.autoSize)
            control->resize(control->sizeHint().expandedTo(QSize(0, control->height())));
        if (!design.tooltip.isEmpty())
            control->setToolTip(design.tooltip);
        if (!design.accessibleName.isEmpty())
            control->setAccessibleName(design.accessibleName);
        if (!design.accessibleDescription.isEmpty())
            control->setAccessibleDescription(design.accessibleDescription);
        if (!design.enabled)
            control->setEnabled(false);
        control->setVisible(design.visible);
        if (design.tabIndex >= 0 && control->focusPolicy() != Qt::NoFocus)
            tabOrder.emplace(design.tabIndex, control);
        controls.insert(design.name, control);
    }
    QWidget* previous = nullptr;
    for (const auto& [index, control] : tabOrder) {
        if (previous)
            QWidget::setTabOrder(previous, control);
        previous = control;
    }
    return controls;
}

} // namespace forms
