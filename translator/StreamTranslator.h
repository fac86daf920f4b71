#pragma once

// Translation of a byte stream line by line in bounded memory, for text that does not fit a
// message box: the command line's "translate".
//
// Every line comes out as Translator::translate makes it of the line's text, followed by the
// line's own end (LF, CR LF or a lone CR, as decodeMessageText counts them). Each line is
// read as UTF-8 when it is valid UTF-8 and as Windows-1252 otherwise; a Windows-1252 line is
// written back in Windows-1252 when its translation fits, in UTF-8 otherwise, as a saved
// message file is. A UTF-8 byte order mark at the start passes through.
//
// A line longer than the buffer is taken a run of whole words at a time, the encoding
// decided for each run (the same result when the line is UTF-8; a longer Windows-1252 line
// may get its replacements in UTF-8 in the runs that are ASCII), and a word too long to
// equal any key streams through as it is. Input that arrives in short reads (a terminal, a
// pipe) is written out read by read. Words of ASCII bytes, nearly all of
// them, are looked up by their bytes; any other word goes through the translator's own
// lookup, so both give the translator's result.
//
// With a second thread, a long run of whole UTF-8 lines is cut at a line end near its middle
// and the two halves are translated at once, the second half's output held back (a bounded
// amount, then the second thread waits) until the first half's is written.

#include "translator/Translator.h"

#include <QtGlobal>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace translator {

class StreamTranslator
{
public:
    /// Fills a buffer: @return the number of bytes read, 0 at the end, -1 on an error.
    using Reader = std::function<qint64(char* buffer, qint64 capacity)>;
    /// Writes all of the bytes: @return false on an error.
    using Writer = std::function<bool(const char* bytes, qint64 size)>;

    inline static constexpr qsizetype kDefaultBufferBytes = qsizetype(256) << 10;

    enum class Outcome { Done, ReadFailed, WriteFailed };

    /// @param translator the translation; it must outlive this object
    /// @param bufferBytes the size of the input and the output buffer (at least 16); the
    ///        input buffer grows only to hold a word that could still equal a key
    /// @param shareFrom 0 for one thread; otherwise runs of whole lines of at least this many
    ///        bytes are shared with a second thread
    explicit StreamTranslator(const Translator& translator,
                              qsizetype bufferBytes = kDefaultBufferBytes, qsizetype shareFrom = 0);
    ~StreamTranslator();
    StreamTranslator(const StreamTranslator&) = delete;
    StreamTranslator& operator=(const StreamTranslator&) = delete;

    /// Translates one input to its end. After a read error what was read is translated and
    /// written as if the input ended there; after a write error nothing more is written.
    /// @param read the input
    /// @param write the output
    /// @return whether it went through, or which side failed
    Outcome translate(const Reader& read, const Writer& write);

private:
    enum class Mode {
        Utf8,         ///< a UTF-8 line: replacements in UTF-8, words as they are
        Cp1252,       ///< a Windows-1252 line whose translation fits Windows-1252
        Cp1252AsUtf8, ///< a Windows-1252 line written in UTF-8: every non-ASCII word changes
    };
    struct Replacement
    {
        qsizetype utf8At = 0; ///< into m_replacementBytes, as are the other offsets
        qsizetype utf8Length = 0;
        qsizetype cp1252At = 0;
        qsizetype cp1252Length = 0;
        bool fitsCp1252 = true;
        qsizetype leadingSpaces = 0; ///< dropped when the replacement begins the line
    };
    /// One mapping whose key is ASCII. A key of up to eight bytes with a short replacement
    /// is settled by its slot alone; the others are found through m_slotMappings.
    struct ByteSlot
    {
        std::uint64_t first = 0;         ///< the key's first eight bytes, zero-padded
        std::uint32_t replacementAt = 0; ///< into m_replacementBytes, in UTF-8
        std::uint16_t replacementLength = 0;
        std::uint8_t keyLength = kFreeSlot; ///< up to 8, kFreeSlot or kLongKey
        std::uint8_t leadingSpaces = 0;
    };
    static constexpr std::uint8_t kFreeSlot = 0xFF;
    static constexpr std::uint8_t kLongKey = 0xFE;
    static constexpr qsizetype kNotAscii = -2;
    struct Helper;

    void processLines(bool atEnd);
    void relieveFullBuffer();
    void translateLines(const char* begin, const char* end);
    template <bool kLines> void translateUtf8(const char* begin, const char* end);
    void translateRun(const char* begin, const char* end, bool lineEnds, const char* lineEnd,
                      qsizetype lineEndLength);
    void closeLineAfterLongWord(const char* lineEnd, qsizetype lineEndLength);
    Mode modeOf(const char* begin, const char* end, bool lineEnds) const;
    qsizetype resolve(const char* word, qsizetype length, Mode mode) const;
    qsizetype findAscii(const char* word, qsizetype length) const;
    qsizetype probe(std::uint32_t hash, const std::uint64_t* lowered, qsizetype length) const;
    void emitWord(const char* word, qsizetype length, Mode mode);
    void emitMapping(qsizetype mapping, Mode mode);
    void emitPiece(const char* piece, qsizetype length, qsizetype leadingSpaces);
    void put(const char* bytes, qsizetype length);
    /// Any bytes; put() wants kSlack readable bytes after them.
    void putSlow(const char* bytes, qsizetype length);
    void flush();

    const Translator& m_translator;
    std::vector<Replacement> m_replacements;  ///< by mapping index
    std::string m_replacementBytes;           ///< with room for a short copy's last load
    std::vector<ByteSlot> m_slots;            ///< the mappings whose keys are ASCII
    std::vector<std::int32_t> m_slotMappings; ///< by slot: its mapping, -1 when free
    std::vector<std::uint64_t> m_keyWords;    ///< their keys, zero-padded to eight bytes
    std::vector<std::uint32_t> m_keyAt;       ///< by mapping index: where in m_keyWords
    std::vector<qsizetype> m_asciiKeyLengths; ///< by mapping index; -1 when not ASCII
    std::uint32_t m_mask = 0;
    qsizetype m_longestAsciiKey = -1;             ///< -1 when no key is ASCII
    qsizetype m_longestMatchBytes = 0;            ///< a longer word equals no key in any encoding
    qsizetype m_emptyMapping = -1;                ///< what an empty word becomes
    mutable std::vector<std::uint64_t> m_lowered; ///< scratch for one lowered ASCII word

    std::vector<char> m_in; ///< m_capacity bytes, and a few more that word scans may load
    qsizetype m_capacity = 0;
    qsizetype m_pos = 0;     ///< the first byte not yet translated
    qsizetype m_fill = 0;    ///< the end of what was read
    std::vector<char> m_out; ///< m_outCapacity bytes and room for a short copy's last store
    qsizetype m_outCapacity = 0;
    qsizetype m_outAt = 0;
    const Writer* m_write = nullptr;
    bool m_writeFailed = false;

    bool m_emitted = false;  ///< the current line's output has begun
    bool m_lineOpen = false; ///< part of the current line has been translated already
    bool m_longWord = false; ///< inside a word that streams through as it is

    qsizetype m_shareFrom = 0;
    std::unique_ptr<Helper> m_helper; ///< the second thread, made when first needed
};

} // namespace translator
