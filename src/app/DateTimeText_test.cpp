#include "app/DateTimeText.h"

#include <gtest/gtest.h>

namespace xs {
namespace {

struct DateCase {
  LocalTime t;
  const char* text;
};

TEST(DateTimeText, ShortensTrailingZeroParts) {
  const DateCase cases[] = {
      {{2017, 2, 28, 9, 5, 7}, "2017年2月28日9时5分7秒"},
      {{2017, 2, 28, 15, 30, 0}, "2017年2月28日15时30分"},
      {{2017, 2, 28, 15, 0, 0}, "2017年2月28日15时"},
      {{2017, 2, 28, 0, 0, 0}, "2017年2月28日"},
      {{2017, 2, 28, 0, 5, 0}, "2017年2月28日0时5分"},
      {{2017, 2, 28, 0, 0, 7}, "2017年2月28日0时0分7秒"},
      {{2026, 12, 31, 23, 59, 59}, "2026年12月31日23时59分59秒"},
      {{2026, 1, 1, 10, 0, 1}, "2026年1月1日10时0分1秒"},
  };
  for (const auto& c : cases) EXPECT_EQ(DateTimeText(c.t), c.text);
}

}  // namespace
}  // namespace xs
