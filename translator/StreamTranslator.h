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
// decided for each run (the same result unless one such line mixes encodings), and a word
// too long to equal any key streams through as it is. Words of ASCII bytes, nearly all of
// them, are looked up by their bytes; any other word goes through the translator's own
// lookup, so both give the translator's result.

#include "translator/Translator.h"

#include <QtGlobal>
#include <cstdint>
#include <functional>
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

    inline static constexpr qsizetype kDefaultBufferBytes = qsizetype(1) << 20;

    enum class Outcome { Done, ReadFailed, WriteFailed };

    /// @param translator the translation; it must outlive this object
    /// @param bufferBytes the size of the input and the output buffer (at least 16); the
    ///        input buffer grows only to hold a word that could still equal a key
    explicit StreamTranslator(const Translator& translator,
                              qsizetype bufferBytes = kDefaultBufferBytes);

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
        std::string utf8;
        std::string cp1252;
        bool fitsCp1252 = true;
        qsizetype leadingSpaces = 0; ///< dropped when the replacement begins the line
    };
    struct ByteSlot
    {
        std::uint32_t hash = 0;
        std::int32_t mapping = -1; ///< -1 when the slot is free
    };

    void processLines(bool atEnd);
    void relieveFullBuffer();
    void translateRun(const char* begin, const char* end, bool lineEnds, const char* lineEnd,
                      qsizetype lineEndLength);
    void closeLineAfterLongWord(const char* lineEnd, qsizetype lineEndLength);
    Mode modeOf(const char* begin, const char* end, bool lineEnds) const;
    qsizetype resolve(const char* word, qsizetype length, Mode mode) const;
    qsizetype findBytes(const char* lowerWord, qsizetype length, std::uint32_t hash) const;
    void emitWord(const char* word, qsizetype length, Mode mode);
    void emitMapping(qsizetype mapping, Mode mode);
    void emitPiece(const char* piece, qsizetype length, qsizetype leadingSpaces);
    void put(const char* bytes, qsizetype length);
    void putSlow(const char* bytes, qsizetype length);
    void flush();

    const Translator& m_translator;
    std::vector<Replacement> m_replacements; ///< by mapping index
    std::vector<ByteSlot> m_slots;           ///< the mappings whose keys are ASCII
    std::vector<std::string> m_asciiKeys;    ///< by mapping index; empty for the others
    std::uint32_t m_mask = 0;
    qsizetype m_longestAsciiKey = 0;
    qsizetype m_longestMatchBytes = 0; ///< a longer word equals no key in any encoding
    qsizetype m_emptyMapping = -1;     ///< what an empty word becomes
    mutable std::string m_lowered;     ///< scratch for one lowered ASCII word

    std::vector<char> m_in;
    qsizetype m_pos = 0;  ///< the first byte not yet translated
    qsizetype m_fill = 0; ///< the end of what was read
    std::vector<char> m_out;
    qsizetype m_outAt = 0;
    const Writer* m_write = nullptr;
    bool m_writeFailed = false;

    bool m_emitted = false;  ///< the current line's output has begun
    bool m_lineOpen = false; ///< part of the current line has been translated already
    bool m_longWord = false; ///< inside a word that streams through as it is
};

} // namespace translator
