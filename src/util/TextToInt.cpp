#include "util/TextToInt.h"

namespace xs {
namespace {

// Rewrites the full-width forms that TextToInt accepts into ASCII; everything else passes through.
std::string FoldFullWidth(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) {
    const auto c0 = static_cast<unsigned char>(s[i]);
    if (c0 == 0xEF && i + 2 < s.size()) {
      const auto c1 = static_cast<unsigned char>(s[i + 1]);
      const auto c2 = static_cast<unsigned char>(s[i + 2]);
      // U+FF10..U+FF19 are EF BC 90..99; U+FF0B '+' is EF BC 8B; U+FF0D '-' is EF BC 8D.
      if (c1 == 0xBC && c2 >= 0x90 && c2 <= 0x99) {
        out.push_back(static_cast<char>('0' + (c2 - 0x90)));
        i += 3;
        continue;
      }
      if (c1 == 0xBC && c2 == 0x8B) { out.push_back('+'); i += 3; continue; }
      if (c1 == 0xBC && c2 == 0x8D) { out.push_back('-'); i += 3; continue; }
    }
    // U+3000 ideographic space is E3 80 80.
    if (c0 == 0xE3 && i + 2 < s.size() && static_cast<unsigned char>(s[i + 1]) == 0x80 &&
        static_cast<unsigned char>(s[i + 2]) == 0x80) {
      out.push_back(' ');
      i += 3;
      continue;
    }
    out.push_back(static_cast<char>(c0));
    ++i;
  }
  return out;
}

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

int32_t TextToInt(std::string_view utf8) {
  const std::string s = FoldFullWidth(utf8);
  size_t i = 0;
  while (i < s.size() && IsBlank(s[i])) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  uint32_t value = 0;  // unsigned arithmetic wraps modulo 2^32 by definition
  for (; i < s.size() && IsDigit(s[i]); ++i) value = value * 10u + static_cast<uint32_t>(s[i] - '0');
  if (negative) value = 0u - value;
  return static_cast<int32_t>(value);
}

std::optional<int32_t> ParseInt32(std::string_view utf8) {
  const std::string s = FoldFullWidth(utf8);
  size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  if (i == s.size()) return std::nullopt;
  int64_t magnitude = 0;
  for (; i < s.size(); ++i) {
    if (!IsDigit(s[i])) return std::nullopt;
    magnitude = magnitude * 10 + (s[i] - '0');
    if (magnitude > 2147483648LL) return std::nullopt;  // stop before a long digit run can overflow
  }
  const int64_t value = negative ? -magnitude : magnitude;
  if (value > INT32_MAX) return std::nullopt;
  return static_cast<int32_t>(value);
}

std::string IntToText(int64_t value) { return std::to_string(value); }

}  // namespace xs
