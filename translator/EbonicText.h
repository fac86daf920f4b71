#pragma once

// The built-in slang dictionary: the text that the main window keeps in its hidden
// `Ebonictxt` holder and writes to the dictionary file at the first start.

#include <QString>
#include <span>

namespace translator {

struct EbonicEntry
{
    const char* key;
    const char* replacement;
};

/// How many records a translation reads from the dictionary file.
inline constexpr int kEbonicRecordCount = 656;

/// @return the built-in entries in file order (ascending by key, hyphens and apostrophes
///         not counted), pure ASCII, no comma anywhere.
std::span<const EbonicEntry> ebonicEntries();

/// @return the built-in dictionary text: every entry as key, TAB, replacement, CR LF.
const QString& ebonicText();

} // namespace translator
