#pragma once

#include "platform/forms/FormBuilder.h"

#include <vector>

/// The main window's controls as laid out at design time, in twips (1440 to the inch).
namespace form1 {

constexpr int kClientWidth = 5130;
constexpr int kClientHeight = 6255;
/// How much the translator panel widens the window.
constexpr int kPanelWidth = 5100;
/// Where the translator panel starts (its separator line).
constexpr int kPanelLeft = 5160;

/// @return the controls in creation order: the translator panel, then the picture buttons
///         (one per face, tooltips from the face table), then the rest.
std::vector<forms::ControlDesign> controls();
/// @return the name of the picture button that shows the face at `index` of the face table
QString pictureButton(int index);

} // namespace form1
