#include "translator/StreamTranslator.h"

#include "translator/TextEncoding.h"

#include <QStringDecoder>
#include <algorithm>
#include <bit>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <system_error>
#include <thread>

namespace translator {

namespace {

// Words are read eight bytes at a time and short pieces copied sixteen at a time: the input
// buffer, the replacements and the output buffer have this much to spare after their ends,
// so no load or store past a word or a piece leaves them.
constexpr qsizetype kSlack = 16;
// The input buffer's spare bytes: the separator masks load 64 bytes at a time.
constexpr qsizetype kInputSlack = 64;
constexpr std::uint64_t kOnes = 0x0101010101010101u;
constexpr std::uint64_t kHighBits = 0x8080808080808080u;
constexpr std::uint64_t kHashMultiplier = 0x9E3779B97F4A7C15u;

inline std::uint64_t load8(const char* p)
{
    std::uint64_t x;
    std::memcpy(&x, p, 8);
    return x;
}

/// @param x eight ASCII bytes @return them with A-Z lowered
inline std::uint64_t lowerAscii8(std::uint64_t x)
{
    const std::uint64_t atLeastA = x + 0x3F * kOnes; // bit 7 set from 'A' on
    const std::uint64_t aboveZ = x + 0x25 * kOnes;   // bit 7 set from '[' on
    return x | (((atLeastA ^ aboveZ) & kHighBits) >> 2);
}

/// @param lowered a lowered ASCII word, eight bytes at a time, zero-padded
/// @return its hash; a word of up to eight bytes costs one multiplication
inline std::uint32_t hashOf(const std::uint64_t* lowered, qsizetype length)
{
    std::uint64_t h = length > 0 ? lowered[0] : 0;
    for (qsizetype i = 1; 8 * i < length; ++i) {
        h = (h ^ lowered[i]) * kHashMultiplier;
        h ^= h >> 29;
    }
    return std::uint32_t((h * kHashMultiplier) >> 32);
}

/// The bytes of a word's last, partial load that belong to it (little-endian order).
inline std::uint64_t keepBytes(qsizetype count)
{
    return count >= 8 ? ~std::uint64_t(0) : (std::uint64_t(1) << (8 * count)) - 1;
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
    return (high & kHighBits) == 0;
}

/// The first separator (a space, or with @p kLines an LF too) in [p, end), or end; reads up
/// to seven bytes past end.
template <bool kLines> inline const char* findSeparator(const char* p, const char* end)
{
    for (; p < end; p += 8) {
        const std::uint64_t x = load8(p);
        const std::uint64_t notSpace = x ^ (0x20 * kOnes);
        std::uint64_t found = (notSpace - kOnes) & ~notSpace & kHighBits;
        if constexpr (kLines) {
            const std::uint64_t notLineFeed = x ^ (0x0A * kOnes);
            found |= (notLineFeed - kOnes) & ~notLineFeed & kHighBits;
        }
        if (found) {
            const char* at = p + (std::countr_zero(found) >> 3);
            return at < end ? at : end;
        }
    }
    return end;
}

/// @return @p condition, computed in full before a branch tests it: the compiler would
///         otherwise test its parts one by one, and a hit or a miss is no pattern a branch
///         predictor learns.
inline unsigned opaque(unsigned condition)
{
    asm("" : "+r"(condition));
    return condition;
}

/// @return 0x80 in each byte of @p v that is zero, nothing elsewhere
inline std::uint64_t zeroBytes(std::uint64_t v)
{
    const std::uint64_t low7 = 0x7F * kOnes;
    return ~(((v & low7) + low7) | v | low7);
}

/// Bit i set when byte i of the 64 at @p p is a space (or, with @p kLines, an LF). Word
/// ends then come from the bits one after another, not from a scan each.
template <bool kLines> inline std::uint64_t separatorMask(const char* p)
{
    std::uint64_t mask = 0;
    for (int i = 0; i < 8; ++i) {
        const std::uint64_t x = load8(p + 8 * i);
        std::uint64_t hits = zeroBytes(x ^ (0x20 * kOnes));
        if constexpr (kLines)
            hits |= zeroBytes(x ^ (0x0A * kOnes));
        // One bit per byte, gathered into the top byte by the multiplication.
        mask |= (((hits >> 7) * 0x0102040810204080u) >> 56) << (8 * i);
    }
    return mask;
}

QString decodeUtf8Word(const char* word, qsizetype length)
{
    // A byte order mark inside a line is a character like any other.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(QByteArrayView(word, length));
}

constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

} // namespace

// The second thread and its own translator. Each job is the second half of a run of whole
// lines; the first half is the calling thread's. Everything the two share is read-only
// during a job (the input, the translator) or passed under the mutex.
struct StreamTranslator::Helper
{
    Helper(const Translator& translator, qsizetype bufferBytes)
        : sibling(translator, bufferBytes), heldLimit(2 * bufferBytes)
    {
        // The sibling reads the caller's input, never its own.
        sibling.m_in = {};
        sibling.m_write = &holdBack;
        thread = std::thread([this] { run(); });
    }
    ~Helper()
    {
        {
            const std::lock_guard lock(mutex);
            quit = true;
        }
        changed.notify_all();
        thread.join();
    }

    void run()
    {
        std::unique_lock lock(mutex);
        while (true) {
            changed.wait(lock, [this] { return hasJob || quit; });
            if (quit)
                return;
            lock.unlock();
            sibling.translateUtf8<true>(jobBegin, jobEnd);
            lock.lock();
            hasJob = false;
            jobDone = true;
            changed.notify_all();
        }
    }

    /// The sibling's writer: holds its output until the first half's is written, or until
    /// more than heldLimit bytes wait; then it waits for the first half and writes itself.
    bool write(const char* bytes, qint64 size)
    {
        if (!direct) {
            if (qsizetype(held.size()) + size <= heldLimit) {
                held.insert(held.end(), bytes, bytes + size);
                return true;
            }
            std::unique_lock lock(mutex);
            changed.wait(lock, [this] { return firstDone; });
            if (firstFailed)
                return false;
            lock.unlock();
            direct = true;
            if (!held.empty() && !(*output)(held.data(), qint64(held.size())))
                return false;
            held.clear();
        }
        return (*output)(bytes, size);
    }

    StreamTranslator sibling;
    const Writer holdBack = [this](const char* bytes, qint64 size) { return write(bytes, size); };
    const qsizetype heldLimit;
    std::vector<char> held; ///< the sibling's output not yet written
    bool direct = false;    ///< the first half is written: the sibling writes its own
    const Writer* output = nullptr;

    std::mutex mutex;
    std::condition_variable changed;
    const char* jobBegin = nullptr; // the fields from here on are under the mutex
    const char* jobEnd = nullptr;
    bool hasJob = false;
    bool jobDone = false;
    bool firstDone = false;   ///< the first half's output is written, or failed
    bool firstFailed = false; ///< writing it failed
    bool quit = false;
    std::thread thread; ///< last: it starts when everything else is ready
};

StreamTranslator::~StreamTranslator() = default;

StreamTranslator::StreamTranslator(const Translator& translator, qsizetype bufferBytes,
                                   qsizetype shareFrom)
    : m_translator(translator), m_shareFrom(shareFrom)
{
    m_capacity = std::max<qsizetype>(bufferBytes, 16);
    m_in.resize(size_t(m_capacity + kInputSlack));
    m_outCapacity = m_capacity;
    m_out.resize(size_t(m_outCapacity + kSlack));

    const qsizetype n = translator.mappingCount();
    m_replacements.resize(size_t(n));
    m_keyAt.resize(size_t(n));
    m_asciiKeyLengths.resize(size_t(n), -1);
    // Sparse, so that a word's first slot nearly always settles it.
    std::uint32_t capacity = 16;
    while (capacity < 8 * n)
        capacity *= 2;
    m_mask = capacity - 1;
    m_slots.assign(capacity, ByteSlot());
    m_slotMappings.assign(capacity, -1);
    qsizetype longestKey = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QStringView value = translator.mappingReplacement(i);
        Replacement& r = m_replacements[size_t(i)];
        const QByteArray utf8 = value.toUtf8();
        r.utf8At = qsizetype(m_replacementBytes.size());
        r.utf8Length = utf8.size();
        m_replacementBytes.append(utf8.constData(), size_t(utf8.size()));
        if (const std::optional<QByteArray> bytes = encodeWindows1252(value)) {
            r.cp1252At = qsizetype(m_replacementBytes.size());
            r.cp1252Length = bytes->size();
            m_replacementBytes.append(bytes->constData(), size_t(bytes->size()));
        } else {
            r.fitsCp1252 = false;
        }
        while (r.leadingSpaces < value.size() && value[r.leadingSpaces] == u' ')
            ++r.leadingSpaces;

        // Keys were lowered by the translator, so one that is ASCII now is reached by
        // ASCII words whatever it was written as (the Kelvin sign became "k").
        const QStringView key = translator.mappingKey(i);
        longestKey = std::max(longestKey, key.size());
        if (!std::all_of(key.begin(), key.end(), [](QChar c) { return c.unicode() < 0x80; }))
            continue;
        QByteArray bytes = key.toLatin1();
        const qsizetype length = bytes.size();
        const auto keyAt = std::uint32_t(m_keyWords.size());
        bytes.append(QByteArray(8, '\0'));
        for (qsizetype at = 0; at < length; at += 8)
            m_keyWords.push_back(load8(bytes.constData() + at) & keepBytes(length - at));
        m_keyAt[size_t(i)] = keyAt;
        m_asciiKeyLengths[size_t(i)] = length;
        std::uint32_t at = hashOf(m_keyWords.data() + keyAt, length) & m_mask;
        while (m_slotMappings[at] >= 0)
            at = (at + 1) & m_mask;
        m_slotMappings[at] = std::int32_t(i);
        ByteSlot& slot = m_slots[at];
        slot.first = length > 0 ? m_keyWords[keyAt] : 0;
        const bool small = length <= 8 && r.utf8Length <= 0xFFFF && r.leadingSpaces <= 0xFF &&
                           r.utf8At <= 0xFFFFFFFF;
        slot.keyLength = small ? std::uint8_t(length) : kLongKey;
        if (small) {
            slot.replacementAt = std::uint32_t(r.utf8At);
            slot.replacementLength = std::uint16_t(r.utf8Length);
            slot.leadingSpaces = std::uint8_t(r.leadingSpaces);
        }
        m_longestAsciiKey = std::max(m_longestAsciiKey, length);
    }
    // Lowering gives every character at least one UTF-16 unit, and a character takes at
    // most four bytes: a word of more bytes than four per unit of the longest key has more
    // characters than any key has units.
    m_longestMatchBytes = 4 * longestKey;
    m_lowered.resize(size_t(m_longestAsciiKey / 8 + 1));
    m_replacementBytes.append(size_t(kSlack), '\0');
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
        const qint64 wanted = m_capacity - m_fill;
        const qint64 got = read(m_in.data() + m_fill, wanted);
        if (got < 0)
            readFailed = true;
        if (got <= 0)
            atEnd = true;
        else
            m_fill += qsizetype(got);

        if (!startSeen) {
            // Only the start of a byte order mark is worth waiting for.
            if (m_fill < 3 && !atEnd && std::memcmp(m_in.data(), kUtf8Bom, size_t(m_fill)) == 0)
                continue;
            startSeen = true;
            if (m_fill >= 3 && std::memcmp(m_in.data(), kUtf8Bom, 3) == 0) {
                putSlow(kUtf8Bom, 3);
                m_pos = 3;
            }
        }
        processLines(atEnd);
        if (!atEnd && m_pos == 0 && m_fill == m_capacity)
            relieveFullBuffer();
        // Input that comes slowly (a terminal, a pipe from a program that is still
        // running) gets its translation as it comes, not when the buffer fills.
        if (got > 0 && got < wanted)
            flush();
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
    bool wholeLinesTried = false;
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

        if (!wholeLinesTried && !m_lineOpen) {
            // Lines of UTF-8 ended by LF alone, nearly every text: all of them in one go.
            wholeLinesTried = true;
            const void* last = memrchr(p, '\n', size_t(end - p));
            const char* stop = last ? static_cast<const char*>(last) + 1 : p;
            if (stop != p && !std::memchr(p, '\r', size_t(stop - p)) &&
                (isAscii(p, stop) || isValidUtf8(QByteArrayView(p, stop - p)))) {
                translateLines(p, stop);
                m_pos = stop - base;
                continue;
            }
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

void StreamTranslator::translateLines(const char* begin, const char* end)
{
    // Lines are translated each on its own, so two halves cut at a line end can be
    // translated at once and their outputs joined.
    const char* const cut =
        m_shareFrom > 0 && end - begin >= m_shareFrom
            ? static_cast<const char*>(std::memchr(begin + (end - begin) / 2, '\n',
                                                   size_t(end - begin - (end - begin) / 2))) +
                  1
            : end;
    if (cut == end) {
        translateUtf8<true>(begin, end);
        return;
    }
    if (!m_helper) {
        try {
            m_helper = std::make_unique<Helper>(m_translator, m_outCapacity);
        } catch (const std::system_error&) {
            // No thread to be had: one does it all.
            m_shareFrom = 0;
            translateUtf8<true>(begin, end);
            return;
        }
    }
    Helper& helper = *m_helper;
    StreamTranslator& sibling = helper.sibling;
    sibling.m_outAt = 0;
    sibling.m_writeFailed = false;
    sibling.m_emitted = false;
    helper.held.clear();
    helper.direct = false;
    helper.output = m_write;
    {
        const std::lock_guard lock(helper.mutex);
        helper.jobBegin = cut;
        helper.jobEnd = end;
        helper.hasJob = true;
        helper.jobDone = helper.firstDone = helper.firstFailed = false;
    }
    helper.changed.notify_all();

    translateUtf8<true>(begin, cut);
    flush(); // before anything of the second half
    {
        std::unique_lock lock(helper.mutex);
        helper.firstDone = true;
        helper.firstFailed = m_writeFailed;
        helper.changed.notify_all();
        helper.changed.wait(lock, [&helper] { return helper.jobDone; });
    }
    // The sibling is idle now: what it holds is this thread's to write.
    bool ok = !m_writeFailed && !sibling.m_writeFailed;
    if (ok && !helper.held.empty())
        ok = (*m_write)(helper.held.data(), qint64(helper.held.size()));
    if (ok && sibling.m_outAt > 0)
        ok = (*m_write)(sibling.m_out.data(), sibling.m_outAt);
    sibling.m_outAt = 0;
    helper.held.clear();
    if (!ok)
        m_writeFailed = true;
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
        m_capacity = std::min(2 * m_capacity, m_longestMatchBytes + 2);
        m_in.resize(size_t(m_capacity + kInputSlack));
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
    if (mode == Mode::Utf8) {
        translateUtf8<false>(begin, end);
    } else {
        for (const char* word = begin;; ++word) {
            const char* space = findSeparator<false>(word, end);
            emitWord(word, space - word, mode);
            if (space == end)
                break;
            word = space;
        }
    }
    if (!lineEnds)
        return;
    // The message gets one space appended before it is split: a last, empty word.
    emitMapping(m_emptyMapping, mode);
    put(lineEnd, lineEndLength);
    m_emitted = m_lineOpen = false;
}

template <bool kLines> void StreamTranslator::translateUtf8(const char* begin, const char* end)
{
    // The common case, inlined. A word of up to eight bytes is found, checked for ASCII,
    // lowered, hashed and compared with one load, and its slot holds what it becomes.
    // Whether a word is in the dictionary follows no pattern a branch could learn, so the
    // piece is chosen without one; the output position stays in a register. With kLines
    // the range is whole lines, each ended by an LF.
    char* const outBegin = m_out.data();
    char* out = outBegin + m_outAt;
    char* const outFastEnd = outBegin + m_outCapacity - 17; // a space and a 16-byte copy
    const char* const replacements = m_replacementBytes.data();
    std::uint64_t emitted = m_emitted ? ~std::uint64_t(0) : 0;
    const auto sync = [&] {
        m_outAt = out - outBegin;
        m_emitted = emitted != 0;
    };
    const auto resume = [&] {
        out = outBegin + m_outAt;
        emitted = m_emitted ? ~std::uint64_t(0) : 0;
    };
    const char* scan = begin; // the separator mask covers the 64 bytes from here
    std::uint64_t separators = separatorMask<kLines>(scan);
    for (const char* word = begin;; ++word) {
        while (separators == 0) {
            scan += 64;
            // Past the end, a stop at once; it becomes the end below.
            separators = scan < end ? separatorMask<kLines>(scan) : 1;
        }
        const char* stop = scan + std::countr_zero(separators);
        separators &= separators - 1;
        if (stop > end)
            stop = end;
        const std::uint64_t x = load8(word);
        const qsizetype length = stop - word;
        const std::uint64_t bytes = x & keepBytes(length);
        const char* piece = word;
        qsizetype pieceLength = length;
        qsizetype leadingSpaces = 0;
        bool settled = false;
        if (length <= 8 && length <= m_longestAsciiKey && !(bytes & kHighBits)) {
            const std::uint64_t lower = lowerAscii8(bytes);
            const std::uint32_t hash = hashOf(&lower, length);
            std::uint32_t at = hash & m_mask;
            const ByteSlot* slot = &m_slots[at];
            std::uint64_t differs = (slot->first ^ lower) | (slot->keyLength ^ length);
            // Another short key in the way: the next slots, as they were filled. Hits and
            // misses alike pass by here, so the test is one branch, nearly never taken.
            if (opaque(unsigned(differs != 0) & unsigned(slot->keyLength <= 8))) [[unlikely]] {
                do {
                    at = (at + 1) & m_mask;
                    slot = &m_slots[at];
                    differs = (slot->first ^ lower) | (slot->keyLength ^ length);
                } while ((differs != 0) & (slot->keyLength <= 8));
            }
            // A slot of a long key or a long replacement is left to the general lookup.
            if (opaque(unsigned(differs == 0) | unsigned(slot->keyLength == kFreeSlot)))
                [[likely]] {
                const std::int64_t found = -std::int64_t(differs == 0);
                const auto pick = [found](std::int64_t yes, std::int64_t no) {
                    return (yes & found) | (no & ~found);
                };
                piece = reinterpret_cast<const char*>(
                    pick(std::int64_t(reinterpret_cast<std::uintptr_t>(replacements)) +
                             std::int64_t(slot->replacementAt),
                         std::int64_t(reinterpret_cast<std::uintptr_t>(word))));
                pieceLength = pick(slot->replacementLength, length);
                leadingSpaces = pick(slot->leadingSpaces, 0);
                settled = true;
            }
        }
        if (settled && pieceLength <= 16 && out < outFastEnd) [[likely]] {
            // The joining rule of emitPiece, without branches: a space when the line has
            // output already, else no leading spaces; nothing at all for an empty piece.
            const std::uint64_t nonEmpty = -std::uint64_t(pieceLength != 0);
            *out = ' ';
            out += emitted & 1;
            const qsizetype skip = qsizetype(~emitted & std::uint64_t(leadingSpaces));
            std::memcpy(out, piece + skip, 8);
            std::memcpy(out + 8, piece + skip + 8, 8);
            out += (pieceLength - skip) & qsizetype(nonEmpty);
            // An empty piece takes back the space it may have written.
            out -= (emitted & 1) & ~nonEmpty;
            emitted |= nonEmpty;
        } else {
            sync();
            if (settled)
                emitPiece(piece, pieceLength, leadingSpaces);
            else
                emitWord(word, length, Mode::Utf8);
            resume();
        }
        if constexpr (kLines) {
            if (*stop == '\n') {
                // The line's last, empty word, then its end; mostly the empty word is
                // nothing and the end fits.
                if (m_emptyMapping < 0 && out < outFastEnd) {
                    *out++ = '\n';
                    emitted = 0;
                } else {
                    sync();
                    emitMapping(m_emptyMapping, Mode::Utf8);
                    putSlow(stop, 1);
                    m_emitted = false;
                    resume();
                }
                if (stop + 1 == end)
                    break;
            }
        } else if (stop == end) {
            break;
        }
        word = stop;
    }
    sync();
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
        const char* space = findSeparator<false>(word, end);
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
        const qsizetype mapping = findAscii(word, length);
        if (mapping != kNotAscii)
            return mapping;
    } else if (length > m_longestMatchBytes || isAscii(word, word + length)) {
        // Too long for any key; or ASCII, which lowers to ASCII and is longer than every
        // ASCII key.
        return -1;
    }
    const QString text = mode == Mode::Utf8 ? decodeUtf8Word(word, length)
                                            : decodeWindows1252(QByteArrayView(word, length));
    return m_translator.findMapping(text);
}

qsizetype StreamTranslator::findAscii(const char* word, qsizetype length) const
{
    std::uint64_t* lowered = m_lowered.data();
    std::uint64_t high = 0;
    qsizetype words = 0;
    for (qsizetype at = 0; at < length; at += 8) {
        const std::uint64_t bytes = load8(word + at) & keepBytes(length - at);
        high |= bytes;
        lowered[words++] = lowerAscii8(bytes);
    }
    if (high & kHighBits)
        return kNotAscii;
    return probe(hashOf(lowered, length), lowered, length);
}

qsizetype StreamTranslator::probe(std::uint32_t hash, const std::uint64_t* lowered,
                                  qsizetype length) const
{
    const std::uint64_t first = length > 0 ? lowered[0] : 0;
    for (std::uint32_t at = hash & m_mask;; at = (at + 1) & m_mask) {
        const std::int32_t mapping = m_slotMappings[at];
        if (mapping < 0)
            return -1;
        if (m_slots[at].first != first || m_asciiKeyLengths[size_t(mapping)] != length)
            continue;
        const std::uint64_t* key = m_keyWords.data() + m_keyAt[size_t(mapping)];
        qsizetype i = 1;
        while (8 * i < length && key[i] == lowered[i])
            ++i;
        if (8 * i >= length)
            return mapping;
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
        QByteArray utf8 = decodeWindows1252(QByteArrayView(word, length)).toUtf8();
        const qsizetype size = utf8.size();
        utf8.append(kSlack, '\0'); // what put() may load
        emitPiece(utf8.constData(), size, 0);
    } else {
        emitPiece(word, length, 0);
    }
}

void StreamTranslator::emitMapping(qsizetype mapping, Mode mode)
{
    if (mapping < 0)
        return;
    const Replacement& r = m_replacements[size_t(mapping)];
    const char* bytes = m_replacementBytes.data();
    if (mode == Mode::Cp1252)
        emitPiece(bytes + r.cp1252At, r.cp1252Length, r.leadingSpaces);
    else
        emitPiece(bytes + r.utf8At, r.utf8Length, r.leadingSpaces);
}

[[gnu::always_inline]] inline void StreamTranslator::emitPiece(const char* piece, qsizetype length,
                                                               qsizetype leadingSpaces)
{
    // Pieces are joined by one space; a piece of nothing adds nothing, and the line's first
    // piece loses its leading spaces (pieces never end in a space).
    if (length == 0)
        return;
    if (m_emitted) {
        if (m_outAt == m_outCapacity)
            flush();
        m_out[size_t(m_outAt++)] = ' ';
    } else {
        piece += leadingSpaces;
        length -= leadingSpaces;
        m_emitted = true;
    }
    put(piece, length);
}

[[gnu::always_inline]] inline void StreamTranslator::put(const char* bytes, qsizetype length)
{
    // Most pieces are words: two fixed loads and stores beat a call. Every source keeps
    // kSlack readable bytes after its pieces, and the output as many after its capacity.
    if (length <= 16 && m_outCapacity - m_outAt >= 16) {
        char* at = m_out.data() + m_outAt;
        std::memcpy(at, bytes, 8);
        std::memcpy(at + 8, bytes + 8, 8);
        m_outAt += length;
        return;
    }
    if (m_outCapacity - m_outAt >= length) {
        std::memcpy(m_out.data() + m_outAt, bytes, size_t(length));
        m_outAt += length;
        return;
    }
    putSlow(bytes, length);
}

void StreamTranslator::putSlow(const char* bytes, qsizetype length)
{
    if (m_outCapacity - m_outAt >= length) {
        std::memcpy(m_out.data() + m_outAt, bytes, size_t(length));
        m_outAt += length;
        return;
    }
    flush();
    if (length >= m_outCapacity / 2) {
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
