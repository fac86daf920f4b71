#include "app/LineControl.h"

#include <QPainter>

LineControl::LineControl(QPoint from, QPoint to, std::optional<QColor> colour, QWidget* parent)
    : QWidget(parent), m_from(from), m_to(to), m_colour(colour)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    const QRect bounds = QRect(from, to).normalized();
    setGeometry(bounds.x(), bounds.y(), std::max(bounds.width(), 1), std::max(bounds.height(), 1));
}

QColor LineControl::colour() const
{
    return m_colour.value_or(palette().color(QPalette::WindowText));
}

void LineControl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(QPen(colour(), 0));
    painter.drawLine(m_from - pos(), m_to - pos());
}
