// The local calendar time as the system keeps it (GetLocalTime applies the time zone and DST).
#include "Win32Clock.h"

#include <windows.h>

namespace xs::win {

LocalTime Win32Clock::Now() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return LocalTime{t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

}  // namespace xs::win
