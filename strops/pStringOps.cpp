#include "strops/pStringOps.h"

#include "strops/VariantGuard.h"

#include <algorithm>
#include <iterator>
#include <utility>

// The text operations: extraction, stripping, search and replace. Validation, formatting,
// numbers and the cipher live in pStringOpsFormat.cpp.

namespace {

using strops::detail::failure;
using strops::detail::guarded;
using Variant = pStringOps::Variant;

constexpr std::size_t npos = std::string::npos;

unsigned char foldCase(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u + ('a' - 'A')) : u;
}

/// The first occurrence of needle in hay at or after from (0-based), ignoring the case of A-Z.
/// Like the classic InStr: nothing is found at or beyond the end of hay, and an empty needle
/// is found right at from.
std::size_t findNoCase(const std::string& hay, const std::string& needle, std::size_t from)
{
    if (from >= hay.size())
        return npos;
    if (needle.empty())
        return from;
    const auto hit =
        std::search(hay.begin() + static_cast<std::ptrdiff_t>(from), hay.end(), needle.begin(),
                    needle.end(), [](char a, char b) { return foldCase(a) == foldCase(b); });
    return hit == hay.end() ? npos : static_cast<std::size_t>(hit - hay.begin());
}

} // namespace

pStringOps::pStringOps(EventHook processEvents) : m_processEvents(std::move(processEvents)) {}

void pStringOps::setEventHook(EventHook processEvents)
{
    m_processEvents = std::move(processEvents);
}

void pStringOps::letEventsRun() const
{
    if (m_processEvents)
        m_processEvents();
}

pStringOps::Variant pStringOps::GetAllAfter(const std::string& Expression,
                                            const std::string& Delimiter) const
{
    return guarded([&]() -> Variant {
        const std::size_t p = findNoCase(Expression, Delimiter, 0);
        if (p == npos)
            return failure();
        return Expression.substr(p + Delimiter.size());
    });
}

pStringOps::Variant pStringOps::GetAllBefore(const std::string& Expression,
                                             const std::string& Delimiter) const
{
    return guarded([&]() -> Variant {
        const std::size_t p = findNoCase(Expression, Delimiter, 0);
        if (p == npos)
            return failure();
        return Expression.substr(0, p);
    });
}

pStringOps::Variant pStringOps::GetDelimited(const std::string& Expression,
                                             std::vector<std::string>* ReturnCollection,
                                             const std::string& OpenDelimiter,
                                             const std::string& CloseDelimiter) const
{
    return guarded([&]() -> Variant {
        // The close delimiter is looked for after the whole open one, so one cannot be found
        // inside the other ("/*/ x */").
        const std::size_t closeOffset = std::max<std::size_t>(1, OpenDelimiter.size());
        std::size_t from = 0;
        // Close searches start ever further right, so a close found earlier is still the
        // first one while it lies beyond the new start: nested opens cost no rescans.
        std::size_t close = npos;
        bool closeKnown = false;
        for (;;) {
            const std::size_t open = findNoCase(Expression, OpenDelimiter, from);
            if (open == npos)
                break;
            const std::size_t closeFrom = open + closeOffset;
            if (!closeKnown || (close != npos && close < closeFrom)) {
                close = findNoCase(Expression, CloseDelimiter, closeFrom);
                closeKnown = true;
            }
            if (close == npos)
                break;
            if (ReturnCollection == nullptr)
                return failure();
            const std::size_t start = open + OpenDelimiter.size();
            ReturnCollection->push_back(Expression.substr(start, close - start));
            letEventsRun();
            from = open + 1;
        }
        letEventsRun();
        return std::monostate{};
    });
}

pStringOps::Variant pStringOps::GetDelimitedSingle(const std::string& Expression,
                                                   const std::string& OpenDelimiter,
                                                   const std::string& CloseDelimiter) const
{
    return guarded([&]() -> Variant {
        const std::size_t open = findNoCase(Expression, OpenDelimiter, 0);
        if (open == npos)
            return failure();
        const std::string rest = Expression.substr(open + OpenDelimiter.size());
        const std::size_t close = findNoCase(rest, CloseDelimiter, 0);
        if (close == npos)
            return failure();
        return rest.substr(0, close);
    });
}

pStringOps::Variant pStringOps::StripDelimited(std::string& Expression,
                                               const std::string& OpenDelimiter,
                                               const std::string& CloseDelimiter) const
{
    return guarded([&]() -> Variant {
        // Each removal resumes the search where the removed part began, so it only ever sees
        // the untouched rest of the text: one pass that copies the kept parts gives the same
        // result as cutting the text again and again.
        const std::string& text = Expression;
        const std::size_t closeOffset = std::max<std::size_t>(1, OpenDelimiter.size());
        std::string kept;
        std::size_t pos = 0;
        for (;;) {
            const std::size_t open = findNoCase(text, OpenDelimiter, pos);
            if (open == npos)
                break;
            const std::size_t close = findNoCase(text, CloseDelimiter, open + closeOffset);
            if (close == npos)
                break;
            kept.append(text, pos, open - pos);
            pos = close + CloseDelimiter.size();
            letEventsRun();
        }
        letEventsRun();
        if (pos < text.size())
            kept.append(text, pos, npos);
        Expression = kept;
        return kept;
    });
}

pStringOps::Variant pStringOps::StripSingle(std::string& Expression, const std::string& Strip) const
{
    return guarded([&]() -> Variant {
        // An empty Strip would be found at the same place forever without removing anything.
        if (Strip.empty())
            return Expression;
        // One pass, for the same reason as in StripDelimited.
        const std::string& text = Expression;
        std::string kept;
        std::size_t pos = 0;
        for (;;) {
            const std::size_t hit = findNoCase(text, Strip, pos);
            if (hit == npos)
                break;
            kept.append(text, pos, hit - pos);
            pos = hit + Strip.size();
            letEventsRun();
        }
        letEventsRun();
        if (pos < text.size())
            kept.append(text, pos, npos);
        Expression = kept;
        return kept;
    });
}

pStringOps::Variant pStringOps::SearchReplace(const std::string& Expression,
                                              const std::string& Find,
                                              const std::string& sReplace) const
{
    return guarded([&]() -> Variant {
        if (Find.empty())
            return Expression;
        std::string result;
        std::size_t pos = 0;
        for (std::size_t hit = Expression.find(Find); hit != npos;
             hit = Expression.find(Find, pos)) {
            result.append(Expression, pos, hit - pos);
            result += sReplace;
            pos = hit + Find.size();
        }
        result.append(Expression, pos, npos);
        return result;
    });
}

std::string pStringOps::StripSpaces(const std::string& Expression) const
{
    std::string result;
    result.reserve(Expression.size());
    std::copy_if(Expression.begin(), Expression.end(), std::back_inserter(result),
                 [](char c) { return c != ' '; });
    return result;
}

std::string pStringOps::StripSpecialCharacters(const std::string& Expression) const
{
    std::string result;
    result.reserve(Expression.size());
    std::copy_if(Expression.begin(), Expression.end(), std::back_inserter(result),
                 [](char c) { return static_cast<unsigned char>(c) < 128; });
    return result;
}

std::string pStringOps::TrimWithoutPrejudice(const std::string& Expression) const
{
    const auto printing = [](char c) { return static_cast<unsigned char>(c) > 32; };
    const auto first = std::find_if(Expression.begin(), Expression.end(), printing);
    if (first == Expression.end())
        return {};
    const auto last = std::find_if(Expression.rbegin(), Expression.rend(), printing).base();
    return std::string(first, last);
}

std::string pStringOps::ReverseString(const std::string& Expression) const
{
    return std::string(Expression.rbegin(), Expression.rend());
}

std::string pStringOps::GetFilenameFromPath(const std::string& FullPath) const
{
    const std::size_t slash = FullPath.rfind('\\');
    if (slash == npos)
        return {};
    return FullPath.substr(slash + 1);
}

pStringOps::Variant pStringOps::ByteArrayToString(std::span<const std::uint8_t> bytArray) const
{
    return guarded([&]() -> Variant {
        const auto end = std::find(bytArray.begin(), bytArray.end(), std::uint8_t{0});
        return std::string(bytArray.begin(), end);
    });
}
