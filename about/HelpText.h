#pragma once

#include <QString>
#include <QStringList>

namespace about {

/// The Quick Help text as its lines, without line ends; trailing blanks are part of a line.
/// @return the 42 lines in order
QStringList helpLines();

/// The Quick Help text as stored: every line, the last one included, ends with CR LF.
/// @return the whole text
QString helpText();

} // namespace about
