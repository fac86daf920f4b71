#pragma once

#include <QColor>
#include <QWidget>
#include <optional>

/// A straight line drawn on its container, like a line shape on a form. It never takes
/// the mouse or the focus.
class LineControl : public QWidget
{
    Q_OBJECT
public:
    LineControl(QPoint from, QPoint to, std::optional<QColor> colour, QWidget* parent);
    QPoint from() const { return m_from; }
    QPoint to() const { return m_to; }
    QColor colour() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPoint m_from; ///< in the parent's pixels
    QPoint m_to;
    std::optional<QColor> m_colour;
};
