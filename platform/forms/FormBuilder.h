#pragma once

// Builds a fixed-layout window from its control table. Positions are designed in twips
// (1/1440 inch) and placed at the screen's logical resolution, so the windows keep their
// proportions at any DPI.

#include "platform/forms/Fonts.h"

#include <QAccessible>
#include <QColor>
#include <QHash>
#include <QLabel>
#include <QLine>
#include <QRect>
#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace forms {

/// A colour as the form designer writes it, &H00BBGGRR.
constexpr QColor fromBgr(unsigned value)
{
    return QColor(int(value & 0xff), int((value >> 8) & 0xff), int((value >> 16) & 0xff));
}

/// The navy of titles, of a freshly chosen entry's description and of the link under the
/// pointer.
inline constexpr QColor kNavy = fromBgr(0x00800000);

enum class ControlKind {
    Label,
    Link,
    Image,
    PictureBox,
    Line,
    CommandButton,
    /// A button that stays down until clicked again.
    ToggleButton,
    CheckBox,
    Frame,
    /// A bare container, drawn as nothing.
    Panel,
    TextBox,
    MultiLineTextBox,
    ListBox
};

struct FontDesign
{
    platform::FontFace face;
    double pointSize;
    bool bold;
};

/// One control as designed.
struct ControlDesign
{
    QString name;
    ControlKind kind;
    /// Left, top, width and height in twips from the container's corner; for a line its end
    /// points x1, y1, x2, y2.
    std::array<int, 4> twips;
    /// Caption or initial text.
    QString text = {};
    /// The containing control's name; empty for the window itself.
    QString container = {};
    std::optional<FontDesign> font = std::nullopt;
    /// Text colour, a line's colour; invalid means the container's text colour.
    QColor foreColor = {};
    /// Invalid: the container shows through.
    QColor backColor = {};
    /// Where a label's text sits.
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
    /// Resource path of an image's picture.
    QString picture = {};
    QString tooltip = {};
    /// The label grows or shrinks to its text; only its top-left corner is fixed.
    bool autoSize = false;
    bool visible = true;
    bool enabled = true;
    bool wordWrap = false;
    /// Place in the tab order, counting from 0; -1: where the table puts it.
    int tabIndex = -1;
    /// What a screen reader calls the control; empty: its caption. A label given a name no
    /// longer exposes its text, so plain labels keep theirs and take a description instead.
    QString accessibleName = {};
    /// What a screen reader adds about the control; empty: its tooltip.
    QString accessibleDescription = {};
    /// Makes a control of the window's own class in place of the kind's usual one.
    std::function<QWidget*(QWidget* parent)> make = {};
};

/// Twips to whole pixels at the given factor.
/// @param twips a length or coordinate in twips
/// @param twipsPerPixel the screen's twips per pixel along that axis
/// @return the nearest whole number of pixels
int twipsToPixels(int twips, double twipsPerPixel);

/// A rectangle given in twips, in pixels. Both edges are converted, so controls that meet
/// in twips meet in pixels.
/// @param twips left, top, width, height in twips
/// @param twipsX horizontal twips per pixel
/// @param twipsY vertical twips per pixel
/// @return the rectangle in pixels
QRect twipsToPixels(const std::array<int, 4>& twips, double twipsX, double twipsY);

/// Sets the colour of a control's text.
void setForeColor(QWidget* control, const QColor& colour);

/// A straight line control, one pixel wide, like a line shape on a form. The pointer passes
/// through it to the window.
class LineControl final : public QWidget
{
    Q_OBJECT
public:
    /// @param colour invalid: the window's text colour
    LineControl(const QColor& colour, QWidget* parent);
    QColor colour() const;
    /// Places the line between two points given in the parent's pixels.
    void setEnds(QPoint from, QPoint to);
    QLine ends() const { return m_ends; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_colour;
    QLine m_ends;
};

/// Tells screen readers what kind of window a class is. A window that is a plain widget
/// would otherwise be announced as a bare pane rather than as a window or dialog.
/// @param className the window's class name, as its meta-object gives it
/// @param role QAccessible::Window or QAccessible::Dialog
void setAccessibleWindowRole(const char* className, QAccessible::Role role);

/// A label that acts as a link: the keyboard reaches it with Tab and follows it with Enter or
/// Space, and a screen reader sees a link that it can follow. The pointer's click stays with
/// the window, which also colours the link under the pointer.
class LinkLabel final : public QLabel
{
    Q_OBJECT
public:
    explicit LinkLabel(QWidget* parent);

signals:
    /// Following the link by the keyboard or a screen reader.
    void activated();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

/// Creates every control of `designs` on `window`, in table order (later ones lie on top),
/// names each after its entry and sets the tab order of those with a tab index. A container
/// must come before the controls it holds.
/// @param window the window (or client area) that receives the controls
/// @param designs the control table
/// @param twipsX horizontal twips per pixel
/// @param twipsY vertical twips per pixel
/// @return the controls by name
QHash<QString, QWidget*> buildControls(QWidget* window, const std::vector<ControlDesign>& designs,
                                       double twipsX, double twipsY);

} // namespace forms
