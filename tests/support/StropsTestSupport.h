#pragma once

// Shared by the strops tests and the fuzz target: a readable form of the variant results, and
// step-by-step models of the loops that pStringOps runs in one pass, cut for cut as the
// operations are described, to check the one-pass versions against.

#include "strops/pStringOps.h"

#include <algorithm>
#include <string>
#include <vector>

namespace stropstest {

/// "'text'", "int 0" or "nothing".
inline std::string describe(const pStringOps::Variant& v)
{
    if (const auto* text = std::get_if<std::string>(&v))
        return "'" + *text + "'";
    if (const auto* number = std::get_if<std::int16_t>(&v))
        return "int " + std::to_string(*number);
    return "nothing";
}

/// The classic InStr with 1-based positions, ignoring the case of A-Z; 0 when not found.
inline std::size_t instr(std::size_t start, const std::string& s, const std::string& t)
{
    if (start > s.size())
        return 0;
    if (t.empty())
        return start;
    const auto low = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c + 32) : c; };
    for (std::size_t i = start - 1; i + t.size() <= s.size(); ++i) {
        if (std::equal(t.begin(), t.end(), s.begin() + long(i),
                       [&](char a, char b) { return low(a) == low(b); }))
            return i + 1;
    }
    return 0;
}

inline std::string modelStripDelimited(std::string e, const std::string& open,
                                       const std::string& close)
{
    for (std::size_t a = 1; a >= 1;) {
        a = instr(a, e, open);
        const std::size_t b =
            a > 0 ? instr(a + std::max<std::size_t>(1, open.size()), e, close) : 0;
        if (a == 0 || b <= a)
            a = 0;
        else
            e = e.substr(0, a - 1) + e.substr(b + close.size() - 1);
    }
    return e;
}

inline std::string modelStripSingle(std::string e, const std::string& strip)
{
    if (strip.empty())
        return e;
    for (std::size_t a = instr(1, e, strip); a >= 1; a = instr(a, e, strip))
        e = e.substr(0, a - 1) + e.substr(a - 1 + strip.size());
    return e;
}

inline std::vector<std::string> modelGetDelimited(const std::string& e, const std::string& open,
                                                  const std::string& close)
{
    std::vector<std::string> items;
    for (std::size_t s = 1; s >= 1;) {
        const std::size_t b = instr(s, e, open);
        s = b + 1;
        const std::size_t c =
            b > 0 ? instr(b + std::max<std::size_t>(1, open.size()), e, close) : 0;
        if (b > 0 && c > b)
            items.push_back(e.substr(b + open.size() - 1, c - b - open.size()));
        else
            s = 0;
    }
    return items;
}

inline std::string modelRandomString(std::string e)
{
    for (std::size_t i = 0; i < e.size(); ++i) {
        const char c = e[i];
        e.erase(i, 1);
        e += c;
    }
    return e;
}

} // namespace stropstest
