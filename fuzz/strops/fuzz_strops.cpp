// Runs every pStringOps method on fuzzed texts and checks what must always hold: variant
// methods never throw, text methods throw only their documented errors, the one-pass loops
// match the step-by-step models, the cipher undoes itself, random numbers stay in bounds.

#include "strops/pStringOps.h"
#include "tests/support/StropsTestSupport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <stdexcept>

namespace {

void require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

bool isText(const pStringOps::Variant& v)
{
    return std::holds_alternative<std::string>(v);
}

const std::string& textOf(const pStringOps::Variant& v)
{
    return std::get<std::string>(v);
}

void checkTextOps(const pStringOps& ops, const std::string& text, const std::string& open,
                  const std::string& close)
{
    using namespace stropstest;
    require(isText(ops.GetAllAfter(text, open)) == (instr(1, text, open) > 0), "GetAllAfter");
    require(isText(ops.GetAllBefore(text, open)) == (instr(1, text, open) > 0), "GetAllBefore");
    ops.GetDelimitedSingle(text, open, close);

    std::vector<std::string> items;
    require(std::holds_alternative<std::monostate>(ops.GetDelimited(text, &items, open, close)),
            "GetDelimited result");
    ops.GetDelimited(text, nullptr, open, close);
    std::string stripped = text;
    require(isText(ops.StripDelimited(stripped, open, close)), "StripDelimited result");
    std::string single = text;
    require(isText(ops.StripSingle(single, open)), "StripSingle result");
    // The models cut the text again and again: keep them to texts where that stays quick.
    if (text.size() <= 512) {
        require(items == modelGetDelimited(text, open, close), "GetDelimited items");
        require(stripped == modelStripDelimited(text, open, close), "StripDelimited text");
        require(single == modelStripSingle(text, open), "StripSingle text");
    }

    const auto replaced = ops.SearchReplace(text, open, close);
    require(isText(replaced) && (!open.empty() || textOf(replaced) == text), "SearchReplace");
    const std::string noSpaces = ops.StripSpaces(text);
    require(noSpaces.find(' ') == std::string::npos, "StripSpaces");
    const std::string seven = ops.StripSpecialCharacters(text);
    require(std::all_of(seven.begin(), seven.end(), [](char c) { return c >= 0; }),
            "StripSpecialCharacters");
    const std::string trimmed = ops.TrimWithoutPrejudice(text);
    require(trimmed.empty() || (static_cast<unsigned char>(trimmed.front()) > 32 &&
                                static_cast<unsigned char>(trimmed.back()) > 32),
            "TrimWithoutPrejudice");
    require(ops.ReverseString(ops.ReverseString(text)) == text, "ReverseString");
    ops.GetFilenameFromPath(text);
    const std::vector<std::uint8_t> bytes(text.begin(), text.end());
    require(isText(ops.ByteArrayToString(bytes)), "ByteArrayToString");

    std::string scrambled = text;
    require(isText(ops.RandomString(scrambled)), "RandomString result");
    if (text.size() <= 512)
        require(scrambled == modelRandomString(text), "RandomString text");
}

void checkFormatting(const pStringOps& ops, const std::string& text)
{
    ops.IsAlphaNumeric(text);
    ops.IsValidZipCode(text);
    std::string card = text;
    ops.IsValidCreditCardNumber(card);
    require(card.find_first_of("- ") == std::string::npos, "IsValidCreditCardNumber rewrite");
    const std::string phone = ops.PhoneFormat(text);
    require(phone == text || phone.front() == '(', "PhoneFormat");
    try {
        ops.PhoneLetterToDigit(text);
        require(!text.empty(), "PhoneLetterToDigit of nothing");
    } catch (const std::invalid_argument&) {
        require(text.empty(), "PhoneLetterToDigit threw");
    }
}

void checkCipher(const pStringOps& ops, const std::string& text, const std::string& key)
{
    const bool goodKey = !key.empty() && std::all_of(key.begin(), key.end(),
                                                     [](char c) { return c >= '0' && c <= '9'; });
    std::string work = text;
    const auto enciphered = ops.Encrypt(work, key);
    require(isText(enciphered) == goodKey, "Encrypt result");
    if (!goodKey) {
        require(work == text, "Encrypt with a bad key changed the text");
        return;
    }
    const bool noZero = text.find('\0') == std::string::npos;
    const bool clearEnds = work.empty() || (work.front() != ' ' && work.back() != ' ');
    require(isText(ops.Decrypt(work, key)), "Decrypt result");
    if (noZero && clearEnds) {
        const auto first = text.find_first_not_of(' ');
        const std::string trimmed =
            first == std::string::npos ? ""
                                       : text.substr(first, text.find_last_not_of(' ') - first + 1);
        require(work == trimmed, "Decrypt does not undo Encrypt");
    }
}

void checkNumbers(const pStringOps& ops, FuzzedDataProvider& in)
{
    const auto upper = in.ConsumeIntegral<std::int32_t>();
    const auto lower = in.ConsumeIntegral<std::int32_t>();
    const int n = ops.RandomNumber(upper, lower);
    require(n >= std::min(upper, lower) && n <= std::max(upper, lower), "RandomNumber");
    const int second = in.ConsumeIntegralInRange(0, 59);
    const float r1 = in.ConsumeFloatingPointInRange(0.0f, 1.0f);
    const float r2 = in.ConsumeFloatingPointInRange(0.0f, 1.0f);
    bool firstDraw = true;
    const int m = strops::randomNumberWith(upper, lower, second, [&] {
        const float r = firstDraw ? r1 : r2;
        firstDraw = false;
        return r;
    });
    require(m >= std::min(upper, lower) && m <= std::max(upper, lower), "randomNumberWith");
    ops.IsEven(upper);

    const double figure = in.ConsumeFloatingPoint<double>();
    for (const bool toMegabytes : {true, false}) {
        try {
            const double converted =
                toMegabytes ? ops.BytesToMegabytes(figure) : ops.MegabytesToBytes(figure);
            require(std::isfinite(converted), "size conversion");
        } catch (const std::overflow_error&) {
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    long hookCalls = 0;
    const pStringOps ops([&] { ++hookCalls; });
    // One area per input: the random numbers loop thousands of times and would slow the rest.
    const int area = in.ConsumeIntegralInRange(0, 3);
    if (area == 0) {
        checkNumbers(ops, in);
        return 0;
    }
    const std::string open = in.ConsumeRandomLengthString(8);
    const std::string close = in.ConsumeRandomLengthString(8);
    const std::string text = in.ConsumeRemainingBytesAsString();
    if (area == 1) {
        checkTextOps(ops, text, open, close);
    } else if (area == 2) {
        checkFormatting(ops, text);
    } else {
        checkCipher(ops, text, open);
        checkCipher(ops, text, std::string(1, static_cast<char>('0' + size % 10)) + "7");
    }
    return 0;
}
