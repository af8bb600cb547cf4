// A million generated texts through the two number parsers, checked against an independent
// reading of what they should do. Built with sanitizers in the test command, so any overflow or
// out-of-bounds read fails here too.
#include <gtest/gtest.h>

#include <charconv>
#include <random>
#include <string>

#include "util/TextToInt.h"

namespace xs {
namespace {

// Pieces that matter to the parsers, mixed with random bytes.
const char* const kPieces[] = {"0", "1", "9", "-", "+", " ", "\t", "\r\n", "a", "Z", "'", "\"", "０", "９", "５",
                               "－", "＋", "\u3000", "延迟", "\xEF", "\xEF\xBC", "\xE3\x80", "\xFF", "\x80",
                               "2147483647", "2147483648", "-2147483648", "4294967296", "99999999999999999999"};

std::string Generate(std::mt19937& rng) {
  std::string s;
  const int parts = static_cast<int>(rng() % 8);
  for (int i = 0; i < parts; ++i) {
    if (rng() % 4 == 0) s.push_back(static_cast<char>(rng() % 256));
    else s += kPieces[rng() % std::size(kPieces)];
  }
  return s;
}

// The strict rule written another way: ASCII-fold the full-width forms, then sign? digits+ and a
// value within 32 bits.
std::optional<int32_t> Reference(const std::string& in) {
  std::string s;
  for (size_t i = 0; i < in.size();) {
    if (in.compare(i, 2, "\xEF\xBC") == 0 && i + 2 < in.size()) {
      const auto c = static_cast<unsigned char>(in[i + 2]);
      if (c >= 0x90 && c <= 0x99) { s += static_cast<char>('0' + c - 0x90); i += 3; continue; }
      if (c == 0x8B) { s += '+'; i += 3; continue; }
      if (c == 0x8D) { s += '-'; i += 3; continue; }
    }
    s += in[i++];
  }
  size_t start = (!s.empty() && (s[0] == '+' || s[0] == '-')) ? 1 : 0;
  if (start == s.size()) return std::nullopt;
  for (size_t i = start; i < s.size(); ++i)
    if (s[i] < '0' || s[i] > '9') return std::nullopt;
  const std::string digits = s.substr(start);
  const size_t nz = digits.find_first_not_of('0');
  if (nz != std::string::npos && digits.size() - nz > 10) return std::nullopt;
  int64_t v = 0;
  std::from_chars(digits.data(), digits.data() + digits.size(), v);
  if (s[0] == '-') v = -v;
  if (v < INT32_MIN || v > INT32_MAX) return std::nullopt;
  return static_cast<int32_t>(v);
}

TEST(NumberParsersFuzz, AMillionGeneratedTextsAgreeWithTheReference) {
  std::mt19937 rng(1211);
  int accepted = 0;
  for (int i = 0; i < 1000000; ++i) {
    const std::string text = Generate(rng);
    const auto strict = ParseInt32(text);
    const int32_t lenient = TextToInt(text);
    ASSERT_EQ(strict, Reference(text)) << "text: " << text;
    // What is accepted is stored as exactly what playback will read back from the text.
    if (strict) {
      ASSERT_EQ(*strict, lenient) << "text: " << text;
      ++accepted;
    }
  }
  EXPECT_GT(accepted, 1000);  // the generator reaches the accepting paths
}

}  // namespace
}  // namespace xs
