#include "app/DateTimeText.h"

#include <string>

namespace xs {

std::string DateTimeText(const LocalTime& t) {
  auto n = [](int v) { return std::to_string(v); };
  std::string s = n(t.year) + "年" + n(t.month) + "月" + n(t.day) + "日";
  // The time is shortened from the right: only the parts up to the last one that is not 0.
  if (t.second != 0) return s + n(t.hour) + "时" + n(t.minute) + "分" + n(t.second) + "秒";
  if (t.minute != 0) return s + n(t.hour) + "时" + n(t.minute) + "分";
  if (t.hour != 0) return s + n(t.hour) + "时";
  return s;
}

}  // namespace xs
