#pragma once
#include <string>
#include "app/Clock.h"

namespace xs {

// "2017年2月28日9时5分7秒" with the shortened forms: trailing zero parts are left out.
std::string DateTimeText(const LocalTime& t);

}  // namespace xs
