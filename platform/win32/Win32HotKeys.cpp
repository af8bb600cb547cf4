// Global hot keys without modifiers. MOD_NOREPEAT: holding F3 down starts once, not once per
// auto-repeat.
#include "Win32HotKeys.h"

namespace xs::win {

int Win32HotKeys::Register(int virtualKey) {
  if (main_ == nullptr) return 0;
  // An id is used up even by a failed registration, so every id stays unique in the process.
  const int id = nextId_++;
  return RegisterHotKey(main_, id, MOD_NOREPEAT, static_cast<UINT>(virtualKey)) ? id : 0;
}

}  // namespace xs::win
