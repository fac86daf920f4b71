#pragma once

// The two catalogues shown in the main window's lists. Each entry pairs the caption the list
// shows (and the search matches) with the text that the display shows and the copy buttons
// copy. The text is stored, never cut out of the caption: several entries share a caption
// but not a text, and some texts differ from their caption's leading word.

#include <QString>
#include <QStringList>
#include <QStringView>
#include <span>

namespace catalogue {

struct CatalogueEntry
{
    QStringView caption;
    QStringView text;
};

inline constexpr int kSmileyCount = 205;
inline constexpr int kAcronymCount = 114;

/// @return the emoticon table in list order (index = list row).
std::span<const CatalogueEntry> smileyTable();

/// @return the acronym table in list order (index = list row).
std::span<const CatalogueEntry> acronymTable();

} // namespace catalogue
