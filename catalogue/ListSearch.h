#pragma once

// The search box's matching, kept apart from the lists so that it runs without a window.

#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>
#include <span>

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

/// Whether a word of the caption begins with the search text, compared as captionStartsWith
/// compares. A word begins at a letter or digit that follows anything else ("flirtatious"
/// in "Wink - Wink smiley. User just made a flirtatious remark.").
bool captionWordStartsWith(QStringView caption, QStringView searchText);

/// What one change of the search box selects in both lists.
struct SearchChoice
{
    std::optional<int> smiley;  ///< the row List1 selects, -1 for none; no value: unchanged
    std::optional<int> acronym; ///< the same for List2
    /// List2 is searched first, so that List1's choice is the one the display shows last.
    bool acronymFirst = false;

    friend bool operator==(const SearchChoice&, const SearchChoice&) = default;
};

/// The search box's choice with the user's favourites and, optionally, whole words. The
/// captions that begin with the text come first, each list choosing its first one, and the
/// acronym being shown when both lists match. Among them the favourite is chosen instead:
/// the row of the highest rank, in its list and across the two. Only where no caption of
/// either list begins with the text, and words are searched, the one row whose caption has
/// a word beginning with it is chosen: the favourite, else the first, smileys before
/// acronyms. Without ranks above zero this is listSearchRow for each list.
/// @param smileyRanks, acronymRanks each row's rank (see Favourites::ranks), or empty
SearchChoice searchChoice(const QStringList& smileys, const QStringList& acronyms,
                          const QString& searchText, bool byWords,
                          std::span<const double> smileyRanks = {},
                          std::span<const double> acronymRanks = {});

} // namespace catalogue
