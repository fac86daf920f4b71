#pragma once

#include <QIcon>

/// The main window's icon, a smiling face drawn at 16, 32, 48 and 64 pixels. A drawing is
/// read only when the desktop asks for that size: many never ask, and reading all four
/// at start-up cost about a millisecond.
QIcon glyphoraWindowIcon();
