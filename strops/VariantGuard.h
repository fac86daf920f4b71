#pragma once

// Internal to strops: the failure contract of pStringOps' variant methods.

#include "strops/pStringOps.h"

#include <utility>

namespace strops::detail {

/// The integer 0 that a variant method returns when it fails.
inline pStringOps::Variant failure()
{
    return pStringOps::Variant{std::int16_t{0}};
}

/// Runs body and turns any exception it throws (a bad position, an exhausted memory, a
/// throwing event hook) into the failure value: variant methods never throw.
template <typename Body> pStringOps::Variant guarded(Body&& body) noexcept
{
    try {
        return std::forward<Body>(body)();
    } catch (...) {
        return failure();
    }
}

} // namespace strops::detail
