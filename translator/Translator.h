#pragma once

// Word-for-word translation with dictionary records applied in file order.
//
// The rule: split the message at every single space (one more empty word at the end),
// then for each record in order replace every word whose lower case equals the record
// key's lower case by the record's replacement; replacements are compared again by later
// records, so they chain. Finally join the words with single spaces, dropping empty ones
// and the spaces at both ends.
//
// A word's fate depends only on the word, so each key is followed through the chain of
// later records once, when the translator is built, and the message is then translated in
// one pass with a hash lookup per word.

#include "translator/Dictionary.h"

#include <QList>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <string>
#include <vector>

namespace translator {

/// Lower case as the translator compares words: Qt's locale-independent full Unicode
/// mapping (so "İ" becomes "i̇"), the same for the message, the keys and the replacements.
/// @param text any text
/// @return its lower case
QString lowerCase(QStringView text);

class Translator
{
public:
    /// @param records the dictionary records in file order; duplicate keys allowed
    explicit Translator(const QList<DictionaryRecord>& records);

    /// @param message the message text
    /// @return the translated text
    QString translate(QStringView message) const;

    /// The translator's table, for translations that look words up their own way: one
    /// mapping per distinct key. A word whose lower case equals a mapping's key becomes the
    /// mapping's replacement, which carries no trailing spaces (the join drops them).
    /// @return how many mappings there are
    qsizetype mappingCount() const { return qsizetype(m_entries.size()); }
    /// @param index 0 to mappingCount() - 1
    /// @return the mapping's key, already in lower case
    QStringView mappingKey(qsizetype index) const;
    /// @param index 0 to mappingCount() - 1
    /// @return what a word matching the key becomes once every record has been applied
    QStringView mappingReplacement(qsizetype index) const;
    /// @param word one word (no space in it), in any letter case
    /// @return the index of the mapping the word matches, or -1 when none does
    qsizetype findMapping(QStringView word) const;

private:
    struct Slot
    {
        std::uint32_t hash = 0;
        std::int32_t entry = -1; ///< index into m_entries; -1 when the slot is free
    };
    struct Entry
    {
        qsizetype keyOffset; ///< into m_chars: the key in lower case
        qsizetype keyLength;
        qsizetype valueOffset; ///< into m_chars: where the chain of records ends
        qsizetype valueLength; ///< without the value's trailing spaces
    };

    const Entry* find(const char16_t* lowerWord, qsizetype length, std::uint32_t hash) const;

    std::vector<Slot> m_slots;
    std::vector<Entry> m_entries;
    std::u16string m_chars;
    std::uint32_t m_mask = 0;
};

} // namespace translator
