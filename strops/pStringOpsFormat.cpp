#include "strops/VariantGuard.h"
#include "strops/pStringOps.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <deque>
#include <stdexcept>
#include <string_view>
#include <system_error>

// Validation, formatting, numbers and the cipher of pStringOps.

namespace {

using strops::detail::failure;
using strops::detail::guarded;
using Variant = pStringOps::Variant;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool allDigits(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), isDigit);
}

bool isHexDigit(char c)
{
    return isDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

char upperAscii(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - ('a' - 'A')) : c;
}

/// The general "does this read as a number" test: a decimal number with an optional sign,
/// grouping commas, a decimal point and an exponent (E or D), or a &H hexadecimal or &O octal
/// literal of a 32-bit size.
bool readsAsNumber(std::string_view t)
{
    if (t.size() >= 2 && t[0] == '&') {
        const std::string_view body = t.substr(2);
        if (upperAscii(t[1]) == 'H')
            return !body.empty() && body.size() <= 8 &&
                   std::all_of(body.begin(), body.end(), isHexDigit);
        if (upperAscii(t[1]) == 'O')
            return !body.empty() && body.size() <= 11 &&
                   std::all_of(body.begin(), body.end(),
                               [](char c) { return c >= '0' && c <= '7'; });
        return false;
    }
    std::size_t i = 0;
    const auto skipSign = [&] {
        if (i < t.size() && (t[i] == '+' || t[i] == '-'))
            ++i;
    };
    skipSign();
    bool mantissaDigits = false;
    while (i < t.size() && (isDigit(t[i]) || (t[i] == ',' && mantissaDigits))) {
        mantissaDigits = mantissaDigits || isDigit(t[i]);
        ++i;
    }
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && isDigit(t[i])) {
            mantissaDigits = true;
            ++i;
        }
    }
    if (!mantissaDigits)
        return false;
    if (i < t.size() && (upperAscii(t[i]) == 'E' || upperAscii(t[i]) == 'D')) {
        ++i;
        skipSign();
        const std::size_t exponentStart = i;
        while (i < t.size() && isDigit(t[i]))
            ++i;
        if (i == exponentStart)
            return false;
    }
    return i == t.size();
}

/// Rounds to two decimals the way formatting with "###,###,##0.00" and reading the text back
/// does: the value is first taken to 15 significant digits, then halves round away from zero.
double roundToCents(double value)
{
    if (!std::isfinite(value))
        throw std::overflow_error("The figure is too large to convert");
    if (value == 0.0)
        return 0.0;
    // d.dddddddddddddde±x: 15 significant digits.
    char buf[64];
    const auto printed =
        std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 14);
    const std::string_view text(buf, static_cast<std::size_t>(printed.ptr - buf));
    std::string digits;
    digits += text[0];
    digits.append(text.substr(2, 14));
    int exponent = 0;
    const std::string_view exponentText = text.substr(text.find('e') + 1);
    std::from_chars(exponentText.data() + (exponentText[0] == '+' ? 1 : 0),
                    exponentText.data() + exponentText.size(), exponent);
    // value = digits × 10^scale; keep nothing below 10^-2.
    const int scale = exponent - 14;
    if (scale < -2) {
        const int drop = -2 - scale;
        if (drop > 15) {
            digits.assign(1, '0');
        } else {
            const bool up = digits[static_cast<std::size_t>(15 - drop)] >= '5';
            digits.resize(static_cast<std::size_t>(15 - drop));
            if (up) {
                std::size_t k = digits.size();
                while (k > 0 && digits[k - 1] == '9')
                    digits[--k] = '0';
                if (k == 0)
                    digits.insert(digits.begin(), '1');
                else
                    ++digits[k - 1];
            }
            if (digits.empty())
                digits.assign(1, '0');
        }
        digits += "e-2";
    } else {
        digits += 'e' + std::to_string(scale);
    }
    double rounded = 0.0;
    const auto read = std::from_chars(digits.data(), digits.data() + digits.size(), rounded);
    if (read.ec != std::errc{} || !std::isfinite(rounded))
        throw std::overflow_error("The figure is too large to convert");
    if (rounded == 0.0)
        return 0.0;
    return value < 0 ? -rounded : rounded;
}

/// Rounds to the nearest integer, halves to the even one.
std::int64_t roundHalfEven(double x)
{
    const double below = std::floor(x);
    const double fraction = x - below;
    double result = below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0))
        result = below + 1.0;
    return static_cast<std::int64_t>(result);
}

/// The decimal text of v × v, exact for any v below 10^18 (the square needs up to 120 bits).
std::string squareText(std::uint64_t v)
{
    constexpr std::uint64_t base = 1'000'000'000;
    const std::uint64_t high = v / base;
    const std::uint64_t low = v % base;
    std::uint64_t carry = low * low;
    const std::uint64_t limb0 = carry % base;
    carry = carry / base + 2 * high * low;
    const std::uint64_t limb1 = carry % base;
    const std::uint64_t limb2 = carry / base + high * high;
    const auto padded = [](std::uint64_t limb) {
        std::string s = std::to_string(limb);
        return std::string(9 - s.size(), '0') + s;
    };
    if (limb2 != 0)
        return std::to_string(limb2) + padded(limb1) + padded(limb0);
    if (limb1 != 0)
        return std::to_string(limb1) + padded(limb0);
    return std::to_string(limb0);
}

/// The number formed by the characters from..from+count-1 (0-based; fewer at the end) of the
/// decimal text of v × v, and that text's length.
std::int64_t squareDigits(std::uint64_t v, std::size_t from, std::size_t count, std::size_t& length)
{
    // The loop of RandomNumber squares small numbers thousands of times: keep text out of it
    // while the square fits 64 bits.
    if (v <= 4'000'000'000ULL) {
        const std::uint64_t square = v * v;
        std::uint64_t power = 1;
        length = 1;
        while (square / power >= 10) {
            power *= 10;
            ++length;
        }
        const std::size_t end = std::min(length, from + count);
        std::uint64_t x = square;
        for (std::size_t i = end; i < length; ++i)
            x /= 10;
        std::uint64_t modulus = 1;
        for (std::size_t i = from; i < end; ++i)
            modulus *= 10;
        return static_cast<std::int64_t>(x % modulus);
    }
    const std::string text = squareText(v);
    length = text.size();
    return std::stoll(text.substr(from, count));
}

std::uint64_t magnitude(std::int64_t v)
{
    return v < 0 ? static_cast<std::uint64_t>(-v) : static_cast<std::uint64_t>(v);
}

/// The next value of the standard generator in [0, 1), single precision.
float nextUniform()
{
    const double d = static_cast<double>(std::rand()) / (static_cast<double>(RAND_MAX) + 1.0);
    const auto r = static_cast<float>(d);
    // A value just below 1 can round up to 1 in single precision.
    return r < 1.0f ? r : std::nextafter(1.0f, 0.0f);
}

int localSeconds()
{
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    return local != nullptr ? local->tm_sec : 0;
}

std::string trimSpaces(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace

bool pStringOps::IsAlphaNumeric(const std::string& sChr) const
{
    if (sChr.size() != 1)
        return false;
    const char c = upperAscii(sChr[0]);
    return isDigit(c) || (c >= 'A' && c <= 'Z');
}

bool pStringOps::IsEven(std::int32_t Number) const
{
    return Number % 2 == 0;
}

bool pStringOps::IsValidCreditCardNumber(std::string& CardNumber) const
{
    std::erase(CardNumber, '-');
    std::erase(CardNumber, ' ');
    if (!readsAsNumber(CardNumber))
        return false;
    std::vector<int> digits;
    for (const char c : CardNumber) {
        if (!isDigit(c))
            continue;
        if (digits.size() == 20)
            return false;
        digits.push_back(c - '0');
    }
    // A hexadecimal literal of letters only reads as a number but leaves nothing to check.
    if (digits.empty())
        return false;
    int sum = digits.back();
    bool doubled = true;
    for (auto it = digits.rbegin() + 1; it != digits.rend(); ++it) {
        int product = *it * (doubled ? 2 : 1);
        if (product > 9)
            product -= 9;
        sum += product;
        doubled = !doubled;
    }
    return sum % 10 == 0;
}

bool pStringOps::IsValidZipCode(const std::string& ZipString) const
{
    const std::string_view zip = ZipString;
    switch (zip.size()) {
    case 5:
    case 9:
        return allDigits(zip);
    case 10:
        return allDigits(zip.substr(0, 5)) && zip[5] == '-' && allDigits(zip.substr(6));
    default:
        return false;
    }
}

std::string pStringOps::PhoneFormat(std::string PhoneNumber) const
{
    const std::string& original = PhoneNumber;
    std::string s;
    for (const char c : original) {
        if (c != ')' && c != '(' && c != '-' && c != '.' && c != ' ')
            s += c;
    }
    for (char& c : s)
        c = PhoneLetterToDigit(std::string(1, c))[0];
    if (!allDigits(s))
        return original;

    const std::size_t n = s.size();
    std::string extension;
    if (n >= 12) {
        if (s[0] == '1') {
            extension = s.substr(11);
            s = s.substr(1, 10);
        } else {
            extension = s.substr(10);
            s = s.substr(0, 10);
        }
    } else if (n == 11) {
        if (s[0] == '1') {
            s.erase(0, 1);
        } else {
            // The extension follows the last space of the number as typed.
            const std::size_t space = original.rfind(' ');
            if (space == std::string::npos)
                return original;
            extension = s.substr(std::min(space, n));
            s.resize(std::min(space, n));
            // Characters removed before that space shift the split; a number that does not
            // come out as ten digits is left as it was rather than laid out wrongly.
            if (s.size() != 10)
                return original;
        }
    } else if (n == 7) {
        s.insert(0, 3, ' ');
    } else if (n != 10) {
        return original;
    }
    std::string formatted = "(";
    formatted.append(s, 0, 3).append(") ").append(s, 3, 3).append("-").append(s, 6, 4);
    return formatted.append(" ").append(extension);
}

std::string pStringOps::PhoneLetterToDigit(std::string PhoneLetter) const
{
    if (PhoneLetter.empty())
        throw std::invalid_argument("PhoneLetterToDigit needs a character");
    static constexpr std::string_view keypad = "22233344455566677778889999";
    const char c = upperAscii(PhoneLetter[0]);
    if (c >= 'A' && c <= 'Z')
        return std::string(1, keypad[static_cast<std::size_t>(c - 'A')]);
    return PhoneLetter;
}

double pStringOps::BytesToMegabytes(double Bytes) const
{
    return roundToCents(Bytes / 1024 / 1024);
}

double pStringOps::MegabytesToBytes(double Megabytes) const
{
    return roundToCents(Megabytes * 1024 * 1024);
}

std::int32_t pStringOps::RandomNumber(std::int32_t u_bound, std::int32_t l_bound) const
{
    return strops::randomNumberWith(u_bound, l_bound, localSeconds(), nextUniform);
}

std::int32_t strops::randomNumberWith(std::int32_t u_bound, std::int32_t l_bound, int seconds,
                                      const std::function<float()>& nextRandom)
{
    // Everything in 64 bits and squares in exact decimal text, so no pair of bounds overflows.
    const std::int64_t span = std::int64_t{u_bound} - l_bound + 1;
    const auto draw = [&] {
        float r = nextRandom();
        if (!(r >= 0.0f && r < 1.0f))
            r = 0.0f;
        return static_cast<double>(r) * static_cast<double>(span) + l_bound;
    };
    std::int64_t f = roundHalfEven(draw() * std::clamp(seconds, 0, 59));
    if (f == 0)
        f = roundHalfEven(draw());

    std::size_t length = 0;
    // The first four characters of f × f, or all of it when shorter than five.
    const std::int64_t rounds = squareDigits(magnitude(f), 0, 4, length);
    for (std::int64_t i = 0; i <= rounds; ++i) {
        const std::int64_t leading = squareDigits(magnitude(f), 0, 3, length);
        if (length < 5) // the first two characters, plus 1
            f = (length < 3 ? leading : leading / 10) + 1;
        else // the second and third characters
            f = leading % 100;
    }
    // f is now within 0..100.
    const double width = static_cast<double>(std::int64_t{u_bound} - l_bound);
    const std::int64_t result = roundHalfEven(static_cast<double>(f) / 100.0 * width + l_bound);
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(result, std::min(u_bound, l_bound), std::max(u_bound, l_bound)));
}

pStringOps::Variant pStringOps::RandomString(std::string& Expression) const
{
    return guarded([&]() -> Variant {
        // Once a step has passed a position, nothing there moves again, so the text splits
        // into a finished front and a queue: each step sends the queue's head to its back and
        // then settles the new head.
        std::deque<char> queue(Expression.begin(), Expression.end());
        std::string settled;
        settled.reserve(queue.size());
        while (!queue.empty()) {
            queue.push_back(queue.front());
            queue.pop_front();
            settled += queue.front();
            queue.pop_front();
            letEventsRun();
        }
        Expression = settled;
        return settled;
    });
}

pStringOps::Variant pStringOps::Encrypt(std::string& Expression, const std::string& Key) const
{
    return cipher(Expression, Key, false);
}

pStringOps::Variant pStringOps::Decrypt(std::string& Expression, const std::string& Key) const
{
    return cipher(Expression, Key, true);
}

pStringOps::Variant pStringOps::cipher(std::string& Expression, const std::string& Key,
                                       bool decrypt) const
{
    return guarded([&]() -> Variant {
        // Checked before anything is touched, so a bad key leaves no half-enciphered text.
        if (Key.empty() || !allDigits(Key))
            return failure();
        std::string text = trimSpaces(Expression);
        std::size_t k = 0;
        for (char& c : text) {
            const int code = static_cast<unsigned char>(c);
            const int shift = Key[k] - '0';
            k = (k + 1) % Key.size();
            int v = decrypt ? code - shift : code + shift;
            // 255, not 256: texts enciphered so far depend on it.
            if (!decrypt && v > 255)
                v -= 255;
            if (decrypt && v < 1)
                v += 255;
            c = static_cast<char>(static_cast<unsigned char>(v));
            letEventsRun();
        }
        Expression = text;
        return text;
    });
}
