#pragma once

// The search box's matching, kept apart from the lists so that it runs without a window.

#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

namespace catalogue {

/// Whether a caption begins with a search text as the search box compares them: without
/// regard to letter case, and in capitals too, so the few letters whose folding and upper
/// case disagree (long s, Kelvin sign, ...) do not match each other.
/// @param caption a list caption.
/// @param searchText the text typed, blanks included; an empty text begins every caption.
/// @return whether the caption begins with the text.
bool captionStartsWith(QStringView caption, QStringView searchText);

/// Finds the row a list search selects: the first caption that begins with the search text,
/// compared without regard to letter case from the caption's first character on.
/// @param captions the list's captions in list order.
/// @param searchText the search box's whole text, blanks included.
/// @return -1 when the search text is empty (the list loses its selection), the row of the
///         first matching caption, or no value when nothing matches (the selection stays).
std::optional<int> listSearchRow(const QStringList& captions, const QString& searchText);

} // namespace catalogue
