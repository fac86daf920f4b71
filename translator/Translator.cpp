#include "translator/Translator.h"

#include <QHash>

namespace translator {

namespace {

// FNV-1a over UTF-16 code units: cheap enough to run while the word is scanned.
inline size_t mix(size_t h, char16_t c)
{
    return (h ^ c) * 0x100000001b3ULL;
}
constexpr size_t kHashSeed = 0xcbf29ce484222325ULL;

size_t hashOf(QStringView text)
{
    size_t h = kHashSeed;
    for (QChar c : text)
        h = mix(h, c.unicode());
    return h;
}

qsizetype leadingSpaces(QStringView text)
{
    qsizetype n = 0;
    while (n < text.size() && text[n] == u' ')
        ++n;
    return n;
}

qsizetype lengthWithoutTrailingSpaces(QStringView text)
{
    qsizetype n = text.size();
    while (n > 0 && text[n - 1] == u' ')
        --n;
    return n;
}

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

    m_entries.reserve(firstFrom.size());
    for (auto it = firstFrom.cbegin(); it != firstFrom.cend(); ++it) {
        const QString& value = records[finalRecord[it.value()]].replacement;
        m_entries.push_back(
            {it.key(), value, hashOf(it.key()), lengthWithoutTrailingSpaces(value)});
    }
    size_t capacity = 16;
    while (capacity < 2 * m_entries.size())
        capacity *= 2;
    m_mask = capacity - 1;
    m_slots.assign(capacity, -1);
    for (size_t e = 0; e < m_entries.size(); ++e) {
        size_t slot = m_entries[e].hash & m_mask;
        while (m_slots[slot] >= 0)
            slot = (slot + 1) & m_mask;
        m_slots[slot] = int(e);
    }
}

const Translator::Entry* Translator::find(QStringView lowerWord, size_t hash) const
{
    for (size_t slot = hash & m_mask;; slot = (slot + 1) & m_mask) {
        const int e = m_slots[slot];
        if (e < 0)
            return nullptr;
        const Entry& entry = m_entries[size_t(e)];
        if (entry.hash == hash && QStringView(entry.key) == lowerWord)
            return &entry;
    }
}

const Translator::Entry* Translator::lookUp(QStringView word, QString& scratch) const
{
    size_t h = kHashSeed;
    char16_t unusual = 0; // set when a character is upper-case ASCII or not ASCII
    for (QChar qc : word) {
        const char16_t c = qc.unicode();
        h = mix(h, c);
        unusual |= char16_t(c - u'A') < 26 ? 0x80 : (c & 0xFF80);
    }
    if (!unusual)
        return find(word, h);
    scratch = lowerCase(word);
    return find(scratch, hashOf(scratch));
}

QString Translator::translate(QStringView message) const
{
    QString out;
    out.reserve(message.size() + message.size() / 4 + 16);
    QString scratch;
    const auto append = [&out](QStringView piece) {
        // Joining trims the text after every word: a piece of only spaces adds nothing,
        // trailing spaces never stay, and nothing leads the text.
        if (out.isEmpty())
            out.append(piece.sliced(leadingSpaces(piece)));
        else if (!piece.isEmpty())
            out.append(u' ').append(piece);
    };
    const qsizetype size = message.size();
    qsizetype start = 0;
    while (true) {
        qsizetype space = message.indexOf(u' ', start);
        const bool last = space < 0;
        if (last)
            space = size;
        const QStringView word = message.sliced(start, space - start);
        if (const Entry* entry = lookUp(word, scratch))
            append(QStringView(entry->value).first(entry->end));
        else
            append(word);
        if (last)
            break;
        start = space + 1;
    }
    // The message gets one space appended before it is split: a last, empty word.
    if (const Entry* entry = lookUp(QStringView(), scratch))
        append(QStringView(entry->value).first(entry->end));
    return out;
}

} // namespace translator
