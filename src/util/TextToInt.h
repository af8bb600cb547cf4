#pragma once
// The one conversion from user text to a number, and the one check that a text *is* a number.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace xs {

// Lenient conversion used wherever a cell, a box or a stored field is read as a number:
// full-width digits, signs and the ideographic space count as their ASCII forms; leading white
// space is skipped; one optional sign; digits up to the first other character; no digits give 0;
// overflow wraps modulo 2^32.
int32_t TextToInt(std::string_view utf8);

// Strict check for a text that must hold a number: an optional sign followed by one or more
// digits (ASCII or full-width) and nothing else, within 32 bits. The value is TextToInt's.
std::optional<int32_t> ParseInt32(std::string_view utf8);

// Decimal text of a number, no sign for non-negative values, no leading zeros.
std::string IntToText(int64_t value);

}  // namespace xs
