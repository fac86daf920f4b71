#pragma once

// The search box's matching, kept apart from the lists so that it runs without a window.

#include <QString>
#include <QStringList>
#include <optional>

namespace catalogue {

/// Finds the row a list search selects: the first caption that begins with the search text,
/// compared without regard to letter case from the caption's first character on.
/// @param captions the list's captions in list order.
/// @param searchText the search box's whole text, blanks included.
/// @return -1 when the search text is empty (the list loses its selection), the row of the
///         first matching caption, or no value when nothing matches (the selection stays).
std::optional<int> listSearchRow(const QStringList& captions, const QString& searchText);

} // namespace catalogue
