#include "translator/StreamTranslator.h"

#include "translator/TextEncoding.h"

#include <QStringDecoder>
#include <algorithm>
#include <cstring>

namespace translator {

namespace {

constexpr std::uint32_t kHashSeed = 2166136261u;
inline std::uint32_t mix(std::uint32_t h, unsigned char c)
{
    return (h ^ c) * 16777619u;
}

inline char asciiLower(char c)
{
    return char(c | (static_cast<unsigned char>(c - 'A') < 26 ? 0x20 : 0));
}

bool isAscii(const char* begin, const char* end)
{
    std::uint64_t high = 0;
    for (; end - begin >= 8; begin += 8) {
        std::uint64_t eight;
        std::memcpy(&eight, begin, 8);
        high |= eight;
    }
    for (; begin != end; ++begin)
        high |= static_cast<unsigned char>(*begin);
    return (high & 0x8080808080808080u) == 0;
}

const char* findSpace(const char* begin, const char* end)
{
    const void* at = std::memchr(begin, ' ', size_t(end - begin));
    return at ? static_cast<const char*>(at) : end;
}

QString decodeUtf8Word(const char* word, qsizetype length)
{
    // A byte order mark inside a line is a character like any other.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(QByteArrayView(word, length));
}

constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

} // namespace

StreamTranslator::StreamTranslator(const Translator& translator, qsizetype bufferBytes)
    : m_translator(translator)
{
    bufferBytes = std::max<qsizetype>(bufferBytes, 16);
    m_in.resize(size_t(bufferBytes));
    m_out.resize(size_t(bufferBytes));

    const qsizetype n = translator.mappingCount();
    m_replacements.resize(size_t(n));
    m_asciiKeys.resize(size_t(n));
    std::uint32_t capacity = 16;
    while (capacity < 2 * n)
        capacity *= 2;
    m_mask = capacity - 1;
    m_slots.assign(capacity, ByteSlot());
    qsizetype longestKey = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QStringView value = translator.mappingReplacement(i);
        Replacement& r = m_replacements[size_t(i)];
        r.utf8 = value.toUtf8().toStdString();
        if (const std::optional<QByteArray> bytes = encodeWindows1252(value))
            r.cp1252 = bytes->toStdString();
        else
            r.fitsCp1252 = false;
        while (r.leadingSpaces < value.size() && value[r.leadingSpaces] == u' ')
            ++r.leadingSpaces;

        // Keys were lowered by the translator, so one that is ASCII now is reached by
        // ASCII words whatever it was written as (the Kelvin sign became "k").
        const QStringView key = translator.mappingKey(i);
        longestKey = std::max(longestKey, key.size());
        if (!std::all_of(key.begin(), key.end(), [](QChar c) { return c.unicode() < 0x80; }))
            continue;
        std::string bytes = key.toLatin1().toStdString();
        std::uint32_t h = kHashSeed;
        for (char c : bytes)
            h = mix(h, static_cast<unsigned char>(c));
        std::uint32_t slot = h & m_mask;
        while (m_slots[slot].mapping >= 0)
            slot = (slot + 1) & m_mask;
        m_slots[slot] = {h, std::int32_t(i)};
        m_longestAsciiKey = std::max(m_longestAsciiKey, qsizetype(bytes.size()));
        m_asciiKeys[size_t(i)] = std::move(bytes);
    }
    // Lowering gives every character at least one UTF-16 unit, and a character takes at
    // most four bytes: a word of more bytes than four per unit of the longest key has more
    // characters than any key has units.
    m_longestMatchBytes = 4 * longestKey;
    m_lowered.resize(size_t(m_longestAsciiKey) + 1);
    m_emptyMapping = translator.findMapping(QStringView());
}

StreamTranslator::Outcome StreamTranslator::translate(const Reader& read, const Writer& write)
{
    m_write = &write;
    m_writeFailed = false;
    m_pos = m_fill = m_outAt = 0;
    m_emitted = m_lineOpen = m_longWord = false;
    bool readFailed = false;
    bool atEnd = false;
    bool startSeen = false;
    while (!atEnd && !m_writeFailed) {
        if (m_pos > 0) {
            std::memmove(m_in.data(), m_in.data() + m_pos, size_t(m_fill - m_pos));
            m_fill -= m_pos;
            m_pos = 0;
        }
        const qint64 got = read(m_in.data() + m_fill, qint64(m_in.size()) - m_fill);
        if (got < 0)
            readFailed = true;
        if (got <= 0)
            atEnd = true;
        else
            m_fill += qsizetype(got);

        if (!startSeen) {
            if (m_fill < 3 && !atEnd)
                continue;
            startSeen = true;
            if (m_fill >= 3 && std::memcmp(m_in.data(), kUtf8Bom, 3) == 0) {
                put(kUtf8Bom, 3);
                m_pos = 3;
            }
        }
        processLines(atEnd);
        if (!atEnd && m_pos == 0 && m_fill == qsizetype(m_in.size()))
            relieveFullBuffer();
    }
    flush();
    m_write = nullptr;
    if (m_writeFailed)
        return Outcome::WriteFailed;
    return readFailed ? Outcome::ReadFailed : Outcome::Done;
}

void StreamTranslator::processLines(bool atEnd)
{
    const char* const base = m_in.data();
    const char* const end = base + m_fill;
    const char* lineFeed = nullptr; // the next LF at or after p, or end when there is none
    while (!m_writeFailed) {
        const char* p = base + m_pos;
        if (p == end) {
            // The input ended inside a line that was partly translated already.
            if (atEnd && m_longWord)
                closeLineAfterLongWord(end, 0);
            else if (atEnd && m_lineOpen)
                translateRun(end, end, true, end, 0);
            return;
        }
        if (m_longWord) {
            const char* s = p;
            while (s != end && *s != ' ' && *s != '\n' && *s != '\r')
                ++s;
            put(p, s - p); // more of the same word
            m_pos = s - base;
            if (s == end)
                continue;
            if (*s == ' ') {
                m_longWord = false;
                m_pos += 1;
                continue;
            }
            if (*s == '\r' && s + 1 == end && !atEnd)
                return; // is it CR LF?
            const qsizetype endLength = (*s == '\r' && s + 1 != end && s[1] == '\n') ? 2 : 1;
            closeLineAfterLongWord(s, endLength);
            m_pos += endLength;
            continue;
        }

        if (!lineFeed || lineFeed < p) {
            const void* at = std::memchr(p, '\n', size_t(end - p));
            lineFeed = at ? static_cast<const char*>(at) : end;
        }
        const void* cr = std::memchr(p, '\r', size_t(lineFeed - p));
        const char* lineEnd = cr ? static_cast<const char*>(cr) : lineFeed;
        if (lineEnd == end) {
            if (atEnd) {
                translateRun(p, end, true, end, 0);
                m_pos = m_fill;
            }
            return;
        }
        qsizetype endLength = 1;
        if (*lineEnd == '\r') {
            if (lineEnd + 1 == end && !atEnd)
                return; // is it CR LF?
            if (lineEnd + 1 != end && lineEnd[1] == '\n')
                endLength = 2;
        }
        translateRun(p, lineEnd, true, lineEnd, endLength);
        m_pos = lineEnd + endLength - base;
    }
}

void StreamTranslator::relieveFullBuffer()
{
    // One unfinished line fills the buffer. Translate its whole words and keep the last,
    // unfinished one; a CR at the very end waits to see whether an LF follows.
    const char* const begin = m_in.data();
    const char* end = begin + m_fill;
    if (end[-1] == '\r')
        --end;
    const void* space = memrchr(begin, ' ', size_t(end - begin));
    if (space) {
        const char* s = static_cast<const char*>(space);
        translateRun(begin, s, false, nullptr, 0);
        m_lineOpen = true;
        m_pos = s + 1 - begin;
    } else if (end - begin > m_longestMatchBytes) {
        // No key is this long: the word is itself, whatever follows.
        m_longWord = m_lineOpen = true;
        emitPiece(begin, end - begin, 0);
        m_pos = end - begin;
    } else {
        // The word may still equal a key: keep all of it.
        m_in.resize(std::min(2 * m_in.size(), size_t(m_longestMatchBytes) + 2));
    }
}

void StreamTranslator::closeLineAfterLongWord(const char* lineEnd, qsizetype lineEndLength)
{
    // The message's last, empty word follows the long one.
    emitMapping(m_emptyMapping, Mode::Utf8);
    put(lineEnd, lineEndLength);
    m_emitted = m_lineOpen = m_longWord = false;
}

void StreamTranslator::translateRun(const char* begin, const char* end, bool lineEnds,
                                    const char* lineEnd, qsizetype lineEndLength)
{
    const Mode mode = modeOf(begin, end, lineEnds);
    for (const char* word = begin;; ++word) {
        const char* space = findSpace(word, end);
        emitWord(word, space - word, mode);
        if (space == end)
            break;
        word = space;
    }
    if (!lineEnds)
        return;
    // The message gets one space appended before it is split: a last, empty word.
    emitMapping(m_emptyMapping, mode);
    put(lineEnd, lineEndLength);
    m_emitted = m_lineOpen = false;
}

StreamTranslator::Mode StreamTranslator::modeOf(const char* begin, const char* end,
                                                bool lineEnds) const
{
    if (isAscii(begin, end) || isValidUtf8(QByteArrayView(begin, end - begin)))
        return Mode::Utf8;
    // Windows-1252 text, written back so when every replacement it gets fits.
    const auto fits = [this](qsizetype mapping) {
        return mapping < 0 || m_replacements[size_t(mapping)].fitsCp1252;
    };
    if (lineEnds && !fits(m_emptyMapping))
        return Mode::Cp1252AsUtf8;
    for (const char* word = begin;; ++word) {
        const char* space = findSpace(word, end);
        if (!fits(space == word ? m_emptyMapping : resolve(word, space - word, Mode::Cp1252)))
            return Mode::Cp1252AsUtf8;
        if (space == end)
            break;
        word = space;
    }
    return Mode::Cp1252;
}

qsizetype StreamTranslator::resolve(const char* word, qsizetype length, Mode mode) const
{
    if (length <= m_longestAsciiKey) {
        std::uint32_t h = kHashSeed;
        unsigned high = 0;
        char* lowered = m_lowered.data();
        for (qsizetype i = 0; i < length; ++i) {
            const char c = asciiLower(word[i]);
            high |= static_cast<unsigned char>(c);
            lowered[i] = c;
            h = mix(h, static_cast<unsigned char>(c));
        }
        if (high < 0x80)
            return findBytes(lowered, length, h);
    } else if (length > m_longestMatchBytes || isAscii(word, word + length)) {
        // Too long for any key; or ASCII, which lowers to ASCII and is longer than every
        // ASCII key.
        return -1;
    }
    const QString text = mode == Mode::Utf8 ? decodeUtf8Word(word, length)
                                            : decodeWindows1252(QByteArrayView(word, length));
    return m_translator.findMapping(text);
}

qsizetype StreamTranslator::findBytes(const char* lowerWord, qsizetype length,
                                      std::uint32_t hash) const
{
    for (std::uint32_t slot = hash & m_mask;; slot = (slot + 1) & m_mask) {
        const ByteSlot& s = m_slots[slot];
        if (s.mapping < 0)
            return -1;
        if (s.hash != hash)
            continue;
        const std::string& key = m_asciiKeys[size_t(s.mapping)];
        if (qsizetype(key.size()) == length &&
            (length == 0 || std::memcmp(key.data(), lowerWord, size_t(length)) == 0))
            return s.mapping;
    }
}

void StreamTranslator::emitWord(const char* word, qsizetype length, Mode mode)
{
    if (length == 0) {
        emitMapping(m_emptyMapping, mode);
        return;
    }
    const qsizetype mapping = resolve(word, length, mode);
    if (mapping >= 0) {
        emitMapping(mapping, mode);
    } else if (mode == Mode::Cp1252AsUtf8 && !isAscii(word, word + length)) {
        const QByteArray utf8 = decodeWindows1252(QByteArrayView(word, length)).toUtf8();
        emitPiece(utf8.data(), utf8.size(), 0);
    } else {
        emitPiece(word, length, 0);
    }
}

void StreamTranslator::emitMapping(qsizetype mapping, Mode mode)
{
    if (mapping < 0)
        return;
    const Replacement& r = m_replacements[size_t(mapping)];
    const std::string& bytes = mode == Mode::Cp1252 ? r.cp1252 : r.utf8;
    emitPiece(bytes.data(), qsizetype(bytes.size()), r.leadingSpaces);
}

void StreamTranslator::emitPiece(const char* piece, qsizetype length, qsizetype leadingSpaces)
{
    // Pieces are joined by one space; a piece of nothing adds nothing, and the line's first
    // piece loses its leading spaces (pieces never end in a space).
    if (length == 0)
        return;
    if (m_emitted) {
        put(" ", 1);
    } else {
        piece += leadingSpaces;
        length -= leadingSpaces;
        m_emitted = true;
    }
    put(piece, length);
}

inline void StreamTranslator::put(const char* bytes, qsizetype length)
{
    if (qsizetype(m_out.size()) - m_outAt >= length) {
        std::memcpy(m_out.data() + m_outAt, bytes, size_t(length));
        m_outAt += length;
        return;
    }
    putSlow(bytes, length);
}

void StreamTranslator::putSlow(const char* bytes, qsizetype length)
{
    flush();
    if (length >= qsizetype(m_out.size()) / 2) {
        if (!m_writeFailed && !(*m_write)(bytes, length))
            m_writeFailed = true;
        return;
    }
    std::memcpy(m_out.data(), bytes, size_t(length));
    m_outAt = length;
}

void StreamTranslator::flush()
{
    if (m_outAt > 0 && !m_writeFailed && !(*m_write)(m_out.data(), m_outAt))
        m_writeFailed = true;
    m_outAt = 0;
}

} // namespace translator
