#pragma once
// Small UTF-8 helpers for the core; length limits count characters, not bytes.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace xs {

// Number of code points in a UTF-8 text (a stray continuation byte counts as its own character).
size_t Utf8Length(std::string_view s);

// True when s is well-formed UTF-8.
bool IsValidUtf8(std::string_view s);

}  // namespace xs
