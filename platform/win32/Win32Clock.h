#pragma once
// Clock over the system's local time.
#include "app/Clock.h"

namespace xs::win {

class Win32Clock final : public xs::Clock {
 public:
  LocalTime Now() override;
};

}  // namespace xs::win
