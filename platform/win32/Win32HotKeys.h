#pragma once
// HotKeys over RegisterHotKey on the main window; WM_HOTKEY carries the id back to the core.
#include <windows.h>

#include "app/HotKeys.h"

namespace xs::win {

class Win32HotKeys final : public xs::HotKeys {
 public:
  void SetMainWindow(HWND main) { main_ = main; }
  // Ids 1, 2, ... in order of the calls; 0 when the key is taken (or no main window is set).
  int Register(int virtualKey) override;

 private:
  HWND main_ = nullptr;
  int nextId_ = 1;
};

}  // namespace xs::win
