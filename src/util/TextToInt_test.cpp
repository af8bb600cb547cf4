#include "util/TextToInt.h"

#include <gtest/gtest.h>

namespace xs {
namespace {

struct IntCase {
  const char* name;
  const char* text;
  int32_t lenient;                  // TextToInt
  std::optional<int32_t> strict;    // ParseInt32
};

const IntCase kCases[] = {
    {"empty", "", 0, std::nullopt},
    {"plain", "123", 123, 123},
    {"leading zeros", "007", 7, 7},
    {"negative", "-45", -45, -45},
    {"plus sign", "+45", 45, 45},
    {"lone minus", "-", 0, std::nullopt},
    {"lone plus", "+", 0, std::nullopt},
    {"digits then letters", "12a", 12, std::nullopt},
    {"letters only", "abc", 0, std::nullopt},
    {"leading blank", " 7", 7, std::nullopt},
    {"leading tab and newline", "\t\n7", 7, std::nullopt},
    {"trailing blank", "7 ", 7, std::nullopt},
    {"minus between digits", "1-2", 1, std::nullopt},
    {"two signs", "--1", 0, std::nullopt},
    {"int32 max", "2147483647", 2147483647, 2147483647},
    {"int32 min", "-2147483648", INT32_MIN, INT32_MIN},
    {"one past max wraps", "2147483648", INT32_MIN, std::nullopt},
    {"wraps modulo 2^32", "4294967299", 3, std::nullopt},
    {"forty digits", "1234567890123456789012345678901234567890", static_cast<int32_t>(0xCE3F0AD2u), std::nullopt},
    {"full-width digits", "１２３", 123, 123},
    {"full-width minus", "－５", -5, -5},
    {"full-width plus", "＋５", 5, 5},
    {"ideographic space skipped", "\u3000" "9", 9, std::nullopt},
    {"full-width then ascii", "１2", 12, 12},
    {"other wide character", "１２a", 12, std::nullopt},
    {"chinese text", "延迟", 0, std::nullopt},
    {"negative zero", "-0", 0, 0},
};

class TextToIntTable : public ::testing::TestWithParam<IntCase> {};

TEST_P(TextToIntTable, LenientAndStrictAgreeWithTheTable) {
  const auto& c = GetParam();
  EXPECT_EQ(TextToInt(c.text), c.lenient) << c.name;
  EXPECT_EQ(ParseInt32(c.text), c.strict) << c.name;
  // An accepted text is stored as exactly what playback will read from it.
  if (c.strict) EXPECT_EQ(*c.strict, TextToInt(c.text)) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Cases, TextToIntTable, ::testing::ValuesIn(kCases),
                         [](const auto& info) {
                           std::string n = info.param.name;
                           for (char& ch : n) if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           return n;
                         });

}  // namespace
}  // namespace xs
