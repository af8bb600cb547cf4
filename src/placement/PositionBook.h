#pragma once
// Saved window positions per process name, and the reset of a window to one.
#include <cstdint>

#include "app/Views.h"
#include "placement/WindowLocator.h"
#include "store/Store.h"

namespace xs {

class PositionBook {
 public:
  PositionBook(Store& store, Views& views, WindowLocator& locator, WindowSystem& system);

  void LoadPosition();   // "读入"
  void SavePosition();   // "保存"
  void ClearPosition();  // "清空"
  void ResetWindow();    // "复位"
  void PlaceWindow(WindowHandle w, int32_t top, int32_t left);  // keeps the size

 private:
  Store& store_;
  Views& views_;
  WindowLocator& locator_;
  WindowSystem& system_;
};

}  // namespace xs
