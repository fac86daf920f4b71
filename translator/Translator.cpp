#include "translator/Translator.h"

#include <QHash>
#include <cstring>

namespace translator {

namespace {

// FNV-1a over UTF-16 code units: cheap enough to run while the word is scanned.
constexpr std::uint32_t kHashSeed = 2166136261u;
inline std::uint32_t mix(std::uint32_t h, char16_t c)
{
    return (h ^ c) * 16777619u;
}

std::uint32_t hashOf(const char16_t* text, qsizetype length)
{
    std::uint32_t h = kHashSeed;
    for (qsizetype i = 0; i < length; ++i)
        h = mix(h, text[i]);
    return h;
}

qsizetype lengthWithoutTrailingSpaces(QStringView text)
{
    qsizetype n = text.size();
    while (n > 0 && text[n - 1] == u' ')
        --n;
    return n;
}

// Words up to this length with ASCII capitals are lowered without an allocation.
constexpr qsizetype kShortWord = 64;

// Appends pieces the way the text is rebuilt after the words are replaced: joined by one
// space, and trimmed after every word, so a piece of only spaces adds nothing, trailing
// spaces never stay and nothing leads the text.
class Joiner
{
public:
    explicit Joiner(qsizetype expected) : m_text(expected, Qt::Uninitialized) { rebase(0); }

    void add(const char16_t* piece, qsizetype length)
    {
        if (length == 0)
            return;
        if (m_at == m_begin) {
            while (length > 0 && *piece == u' ') {
                ++piece;
                --length;
            }
        } else {
            reserve(length + 1);
            *m_at++ = u' ';
        }
        reserve(length);
        std::memcpy(m_at, piece, size_t(length) * sizeof(char16_t));
        m_at += length;
    }

    QString take()
    {
        m_text.truncate(m_at - m_begin);
        return std::move(m_text);
    }

private:
    void reserve(qsizetype length)
    {
        if (m_end - m_at >= length)
            return;
        const qsizetype used = m_at - m_begin;
        m_text.resize(std::max(2 * m_text.size(), used + length));
        rebase(used);
    }
    void rebase(qsizetype used)
    {
        m_begin = reinterpret_cast<char16_t*>(m_text.data());
        m_at = m_begin + used;
        m_end = m_begin + m_text.size();
    }

    QString m_text;
    char16_t* m_begin = nullptr;
    char16_t* m_at = nullptr;
    char16_t* m_end = nullptr;
};

} // namespace

QString lowerCase(QStringView text)
{
    return text.toString().toLower();
}

Translator::Translator(const QList<DictionaryRecord>& records)
{
    const qsizetype n = records.size();
    QList<QString> keys(n);
    for (qsizetype i = 0; i < n; ++i)
        keys[i] = lowerCase(records[i].key);

    // Walking backwards, firstFrom holds for each key the first record at or after the
    // current one; finalRecord[i] is the record whose replacement a word ends with once
    // record i has replaced it.
    QHash<QString, qsizetype> firstFrom;
    QList<qsizetype> finalRecord(n);
    for (qsizetype i = n - 1; i >= 0; --i) {
        const auto next = firstFrom.constFind(lowerCase(records[i].replacement));
        finalRecord[i] = next == firstFrom.cend() ? i : finalRecord[*next];
        firstFrom.insert(keys[i], i);
    }

    std::uint32_t capacity = 16;
    while (capacity < 2 * firstFrom.size())
        capacity *= 2;
    m_mask = capacity - 1;
    m_slots.assign(capacity, Slot());
    m_entries.reserve(size_t(firstFrom.size()));
    for (auto it = firstFrom.cbegin(); it != firstFrom.cend(); ++it) {
        const QString& key = it.key();
        const QString& value = records[finalRecord[it.value()]].replacement;
        Entry entry{qsizetype(m_chars.size()), key.size(), 0, lengthWithoutTrailingSpaces(value)};
        m_chars.append(reinterpret_cast<const char16_t*>(key.utf16()), size_t(key.size()));
        entry.valueOffset = qsizetype(m_chars.size());
        m_chars.append(reinterpret_cast<const char16_t*>(value.utf16()), size_t(entry.valueLength));
        m_entries.push_back(entry);

        const std::uint32_t hash =
            hashOf(reinterpret_cast<const char16_t*>(key.utf16()), key.size());
        std::uint32_t slot = hash & m_mask;
        while (m_slots[slot].entry >= 0)
            slot = (slot + 1) & m_mask;
        m_slots[slot] = {hash, std::int32_t(m_entries.size() - 1)};
    }
}

const Translator::Entry* Translator::find(const char16_t* lowerWord, qsizetype length,
                                          std::uint32_t hash) const
{
    for (std::uint32_t slot = hash & m_mask;; slot = (slot + 1) & m_mask) {
        const Slot& s = m_slots[slot];
        if (s.entry < 0)
            return nullptr;
        if (s.hash != hash)
            continue;
        const Entry& entry = m_entries[size_t(s.entry)];
        if (entry.keyLength == length &&
            (length == 0 || std::memcmp(m_chars.data() + entry.keyOffset, lowerWord,
                                        size_t(length) * sizeof(char16_t)) == 0))
            return &entry;
    }
}

QStringView Translator::mappingKey(qsizetype index) const
{
    const Entry& entry = m_entries[size_t(index)];
    return QStringView(m_chars.data() + entry.keyOffset, entry.keyLength);
}

QStringView Translator::mappingReplacement(qsizetype index) const
{
    const Entry& entry = m_entries[size_t(index)];
    return QStringView(m_chars.data() + entry.valueOffset, entry.valueLength);
}

qsizetype Translator::findMapping(QStringView word) const
{
    const QString lower = lowerCase(word);
    const auto* s = reinterpret_cast<const char16_t*>(lower.utf16());
    const Entry* entry = find(s, lower.size(), hashOf(s, lower.size()));
    return entry ? entry - m_entries.data() : -1;
}

QString Translator::translate(QStringView message) const
{
    Joiner out(message.size() + message.size() / 4 + 16);
    QString scratch;
    char16_t lowered[kShortWord];
    const auto addWord = [&out, this](const Entry* entry, const char16_t* word, qsizetype length) {
        if (entry)
            out.add(m_chars.data() + entry->valueOffset, entry->valueLength);
        else
            out.add(word, length);
    };

    const char16_t* p = message.utf16();
    const char16_t* const end = p + message.size();
    while (true) {
        // One pass finds the word's end, hashes it and notes whether lowering changes it.
        const char16_t* const word = p;
        std::uint32_t h = kHashSeed;
        unsigned capitals = 0, wide = 0;
        for (; p != end && *p != u' '; ++p) {
            const char16_t c = *p;
            h = mix(h, c);
            capitals |= unsigned(char16_t(c - u'A') < 26);
            wide |= c >> 7;
        }
        const qsizetype length = p - word;
        const Entry* entry;
        if (!(capitals | wide)) {
            entry = find(word, length, h);
        } else if (!wide && length <= kShortWord) {
            for (qsizetype i = 0; i < length; ++i)
                lowered[i] = char16_t(word[i] | (char16_t(word[i] - u'A') < 26 ? 0x20 : 0));
            entry = find(lowered, length, hashOf(lowered, length));
        } else {
            scratch = lowerCase(QStringView(word, length));
            const auto* s = reinterpret_cast<const char16_t*>(scratch.utf16());
            entry = find(s, scratch.size(), hashOf(s, scratch.size()));
        }
        addWord(entry, word, length);
        if (p == end)
            break;
        ++p; // the space
    }
    // The message gets one space appended before it is split: a last, empty word.
    addWord(find(nullptr, 0, kHashSeed), nullptr, 0);
    return out.take();
}

} // namespace translator
