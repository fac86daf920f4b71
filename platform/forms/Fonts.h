#pragma once

#include <QFont>

namespace platform {

enum class FontFace { Tahoma, MSSansSerif, TimesNewRoman, System };

/// Makes the classic faces available: when the system has no Tahoma, the metric-compatible
/// faces that Debian's fonts-wine installs are registered with the application. Safe to
/// call more than once.
void registerFallbackFonts();

/// A font of the given face and point size; falls back to the system's sans (or serif)
/// face when the face is not available, the sans narrowed to Tahoma's width. On a scaled
/// screen (pixel ratio above 1) a face made only of bitmaps, such as MS Sans Serif, gives
/// way to Tahoma. Latin text is drawn without ligatures or other shaping substitutions.
QFont makeFont(FontFace face, double pointSize, bool bold = false);

/// The stretch (percent) at which the family's letters take the room Tahoma's take, so a
/// stand-in keeps the layout's proportions: 100 for Tahoma and anything narrower.
int stretchToTahomaWidth(const QString& family);

/// The stretch (percent) at which a text `needed` pixels wide at `current` stretch fits
/// `available` pixels, but never below 75, where letters lose their shape.
int stretchToFit(int current, int needed, int available);

} // namespace platform
