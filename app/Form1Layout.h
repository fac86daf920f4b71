#pragma once

#include <QColor>
#include <QString>
#include <optional>
#include <span>

/// The main window's controls as laid out at design time, in twips (1440 to the inch).
/// Positions are relative to the client area, or to the frame named in `container`.
struct ControlLayout
{
    const char* name;
    const char* container; ///< nullptr: the client area
    const char* caption;   ///< nullptr: none
    const char* tooltip;   ///< nullptr: none
    int left;
    int top;
    int width;
    int height;
    int tabIndex; ///< -1: takes no tab stop
    /// What a screen reader calls the control; nullptr: its caption. Labels keep their
    /// caption as their name (a label given a name no longer exposes its text).
    const char* accessibleName;
    /// What a screen reader adds about it; nullptr: its tooltip.
    const char* accessibleDescription;
};

/// A line control, from (x1, y1) to (x2, y2) in twips.
struct LineLayout
{
    const char* name;
    int x1;
    int y1;
    int x2;
    int y2;
    std::optional<QColor> colour; ///< none: the window-text colour
};

namespace form1 {

constexpr int kClientWidth = 5130;
constexpr int kClientHeight = 6255;
/// How much the translator panel widens the window.
constexpr int kPanelWidth = 5100;
/// Where the translator panel starts (its separator line).
constexpr int kPanelLeft = 5160;

std::span<const ControlLayout> controls();
std::span<const LineLayout> lines();
/// @return the layout of the named control, or nullptr.
const ControlLayout* find(const QString& name);

/// Converts a Windows colour value &H00BBGGRR.
constexpr QColor fromBgr(unsigned value)
{
    return QColor(int(value & 0xff), int((value >> 8) & 0xff), int((value >> 16) & 0xff));
}

} // namespace form1
