#pragma once

// General text operations on single-byte text. Deliberately free of Qt so it can be used and
// tested anywhere.
//
// Conventions shared by every method:
// - A text is a std::string of bytes in the system's ANSI code page; a character is one byte and
//   its code is the byte's value (0 to 255). Positions count from 1.
// - Delimiter searches and the text to strip ignore the case of the letters A to Z. Bytes above
//   127 compare exactly, because their letters depend on the code page. Search-and-replace,
//   pattern matching and splitting always compare exactly.
// - "Variant" methods return a pStringOps::Variant: the text, or the integer 0 when anything
//   inside them fails. They never throw. Text methods return std::string and let exceptions
//   reach the caller.
// - Parameters taken by non-const reference are rewritten: the caller's variable ends up
//   holding the result. A failing variant method leaves them as they were.
// - The long loops (GetDelimited, StripDelimited, StripSingle, RandomString, Encrypt, Decrypt)
//   call the event hook, when one is set, after each step so a window stays responsive.

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <variant>
#include <vector>

class pStringOps
{
public:
    /// What a variant method returns: a text, the integer 0 on failure, or nothing at all
    /// (std::monostate; only GetDelimited, which fills a collection instead).
    using Variant = std::variant<std::monostate, std::string, std::int16_t>;

    /// Processes the user interface's pending events; may be empty.
    using EventHook = std::function<void()>;

    /// @param processEvents called after each step of the long loops; may be empty.
    explicit pStringOps(EventHook processEvents = {});

    /// Replaces the hook that the long loops call after each step.
    /// @param processEvents the new hook; an empty one switches it off.
    void setEventHook(EventHook processEvents);

    // ---- Extraction and stripping -------------------------------------------------------

    /// "Returns all text in the expression after the specified delimiter."
    /// @param Expression the text to search.
    /// @param Delimiter found from the start, ignoring case; an empty one matches at position 1
    ///        of a non-empty text.
    /// @return the text after the first delimiter ("" when it ends the text), or 0 when the
    ///         delimiter is absent.
    Variant GetAllAfter(const std::string& Expression, const std::string& Delimiter) const;

    /// "Returns all text in the expression before the specified delimiter."
    /// @param Expression the text to search.
    /// @param Delimiter found from the start, ignoring case.
    /// @return the text before the first delimiter, or 0 when the delimiter is absent.
    Variant GetAllBefore(const std::string& Expression, const std::string& Delimiter) const;

    /// "Returns a collection containing all instances of text in the expression between the two
    /// specified delimiters."
    /// Each search for the next pair starts one character after the previous open delimiter,
    /// so nested pairs each give an item: "[x[y]z]" gives "x[y" and "y".
    /// @param Expression the text to search.
    /// @param ReturnCollection receives the items in order; items already there stay. When it
    ///        is null the method fails at the first pair it finds.
    /// @param OpenDelimiter,CloseDelimiter the pair, found ignoring case; the close delimiter is
    ///        looked for after the whole open delimiter.
    /// @return nothing (std::monostate), or 0 on failure (items appended before it stay).
    Variant GetDelimited(const std::string& Expression, std::vector<std::string>* ReturnCollection,
                         const std::string& OpenDelimiter, const std::string& CloseDelimiter) const;

    /// "Returns a string containing only the first instance of text in the expression between
    /// the two specified delimiters."
    /// @param Expression the text to search.
    /// @param OpenDelimiter,CloseDelimiter the pair, found ignoring case.
    /// @return the text between the first open delimiter and the next close delimiter, or 0
    ///         when either is missing.
    Variant GetDelimitedSingle(const std::string& Expression, const std::string& OpenDelimiter,
                               const std::string& CloseDelimiter) const;

    /// "Removes all instances of text from the expression that are between the specified
    /// delimiters."
    /// The delimiters go with the text between them; an open delimiter with no close delimiter
    /// after it stays.
    /// @param Expression rewritten with the result.
    /// @param OpenDelimiter,CloseDelimiter the pair, found ignoring case.
    /// @return the stripped text, or 0 on failure.
    Variant StripDelimited(std::string& Expression, const std::string& OpenDelimiter,
                           const std::string& CloseDelimiter) const;

    /// "Removes all instances of a single character from the expression."
    /// Strip may be longer than one character: each occurrence of the whole text goes.
    /// @param Expression rewritten with the result.
    /// @param Strip found ignoring case; an empty one leaves the text unchanged.
    /// @return the stripped text, or 0 on failure.
    Variant StripSingle(std::string& Expression, const std::string& Strip) const;

    /// "Searches the expression for the specified string and, if found, replaces every
    /// occurance with the specified replacement string."
    /// @param Expression the text; not changed.
    /// @param Find compared exactly, case included; an empty one replaces nothing.
    /// @param sReplace put in place of each occurrence, left to right, without rescanning.
    /// @return the new text, or 0 on failure.
    Variant SearchReplace(const std::string& Expression, const std::string& Find,
                          const std::string& sReplace) const;

    /// "Removes all spaces from the specified string."
    /// Only code 32 goes; tabs and other blanks stay.
    /// @return the text without spaces.
    std::string StripSpaces(const std::string& Expression) const;

    /// "This function strips all characters with an ASCII value of 128 or higher from a
    /// string. In other words, it converts an 8-bit ASCII value into a 7-bit ASCII value."
    /// @return the text without bytes of 128 and above.
    std::string StripSpecialCharacters(const std::string& Expression) const;

    /// Trims all non-printing characters (codes 0 to 32), not only spaces, from both ends.
    /// @return the trimmed text.
    std::string TrimWithoutPrejudice(const std::string& Expression) const;

    /// "Reverses a string"
    /// @return the characters from the last to the first.
    std::string ReverseString(const std::string& Expression) const;

    /// "Returns a filename only, given the file's full path."
    /// @param FullPath split at every backslash.
    /// @return the part after the last backslash; "" when there is no backslash.
    std::string GetFilenameFromPath(const std::string& FullPath) const;

    /// Turns a byte buffer into text, up to its first zero byte.
    /// @param bytArray the bytes, in the ANSI code page.
    /// @return the text before the first zero byte (all of it when there is none).
    Variant ByteArrayToString(std::span<const std::uint8_t> bytArray) const;

    // ---- Validation, formatting and numbers ---------------------------------------------

    /// "Determines whether or not the specified character is alphanumeric."
    /// @return true for exactly one character 0-9, A-Z or a-z.
    bool IsAlphaNumeric(const std::string& sChr) const;

    /// "Determines whether the specified number is even or odd."
    /// @return true when Number is even (0 and negative even numbers included).
    bool IsEven(std::int32_t Number) const;

    /// Checks a card number with the Luhn algorithm.
    /// @param CardNumber rewritten without its "-" and " " characters, whatever the result.
    /// @return true when the text reads as a number, holds 1 to 20 decimal digits and those
    ///         pass the Luhn check. Other characters a number may hold (sign, decimal point,
    ///         exponent, hexadecimal literal) are skipped.
    bool IsValidCreditCardNumber(std::string& CardNumber) const;

    /// @return true for a US postal code: "#####", "#########" or "#####-####" (# a digit).
    bool IsValidZipCode(const std::string& ZipString) const;

    /// Formats a telephone number as "(aaa) ppp-nnnn " followed by its extension, if any.
    /// Accepts 7, 10 or 11 digits (an 11-digit number starts with 1 or has its extension after
    /// the last space), or 12 and more (a leading 1 and/or an extension). Letters count as
    /// their keypad digits; "(", ")", "-", "." and spaces are ignored.
    /// @return the formatted number, always with a space after the last group; the input
    ///         unchanged when it cannot be read as a telephone number.
    std::string PhoneFormat(std::string PhoneNumber) const;

    /// "Converts letters to the corresponding digits on a telephone dialpad."
    /// Uses the keypad ABC 2, DEF 3, GHI 4, JKL 5, MNO 6, PQRS 7, TUV 8, WXYZ 9.
    /// @param PhoneLetter only its first character decides.
    /// @return the key's digit when the first character is a letter A-Z in either case,
    ///         otherwise PhoneLetter unchanged.
    /// @throws std::invalid_argument when PhoneLetter is empty.
    std::string PhoneLetterToDigit(std::string PhoneLetter) const;

    /// "Converts a figure represented in bytes to the corresponding figure in megabytes."
    /// @return Bytes / 1024 / 1024, rounded to two decimals (halves away from zero).
    /// @throws std::overflow_error when the result is not a finite number.
    double BytesToMegabytes(double Bytes) const;

    /// Converts a figure in megabytes to the corresponding figure in bytes.
    /// @return Megabytes * 1024 * 1024, rounded to two decimals (halves away from zero).
    /// @throws std::overflow_error when the result is not a finite number.
    double MegabytesToBytes(double Megabytes) const;

    /// A pseudo-random number, meant to be more random than the plain generator: it stirs
    /// the generator's value with the seconds of the local clock. Uses std::rand(), which this
    /// class never seeds.
    /// @param u_bound,l_bound the range, both included; either may be the larger.
    /// @return a number between the bounds.
    std::int32_t RandomNumber(std::int32_t u_bound, std::int32_t l_bound = 0) const;

    /// Rearranges the characters in a fixed way (no random source): for each position from
    /// the first to the original length, the character now there moves to the end.
    /// "abcde" becomes "bdaec".
    /// @param Expression rewritten with the result.
    /// @return the rearranged text, or 0 on failure.
    Variant RandomString(std::string& Expression) const;

    /// "Encrypts the specified expression using the specified encryption key."
    /// Trims spaces from both ends, then adds the key's digits, in turn, to the character
    /// codes; a sum above 255 has 255 taken off.
    /// @param Expression rewritten with the result.
    /// @param Key one or more decimal digits.
    /// @return the enciphered text, or 0 (Expression untouched) when Key is empty or holds
    ///         anything but digits.
    Variant Encrypt(std::string& Expression, const std::string& Key) const;

    /// Reverses Encrypt with the same key: trims spaces from both ends, then subtracts the
    /// key's digits from the character codes; a result below 1 has 255 added.
    /// @param Expression rewritten with the result.
    /// @param Key one or more decimal digits.
    /// @return the deciphered text, or 0 (Expression untouched) when Key is empty or holds
    ///         anything but digits.
    Variant Decrypt(std::string& Expression, const std::string& Key) const;

private:
    void letEventsRun() const;
    Variant cipher(std::string& Expression, const std::string& Key, bool decrypt) const;

    EventHook m_processEvents;
};

namespace strops {

/// RandomNumber's arithmetic with its two sources given, so it can be checked for every second.
/// @param u_bound,l_bound the range, both included; either may be the larger.
/// @param seconds the seconds field of the local time, 0 to 59.
/// @param nextRandom the next generator value in [0, 1).
/// @return a number between the bounds.
std::int32_t randomNumberWith(std::int32_t u_bound, std::int32_t l_bound, int seconds,
                              const std::function<float()>& nextRandom);

} // namespace strops
