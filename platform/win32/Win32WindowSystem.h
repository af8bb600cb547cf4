#pragma once
// WindowSystem over the toolhelp process snapshot and the top-level window list of the desktop.
#include "placement/WindowSystem.h"

namespace xs::win {

class Win32WindowSystem final : public xs::WindowSystem {
 public:
  std::optional<std::vector<ProcessEntry>> Processes() override;
  std::vector<WindowHandle> TopLevelWindows() override;
  bool IsWindow(WindowHandle w) override;
  bool IsVisible(WindowHandle w) override;
  uint32_t ProcessIdOf(WindowHandle w) override;
  std::optional<ScreenRect> GetRect(WindowHandle w) override;
  bool Move(WindowHandle w, int32_t x, int32_t y, int32_t width, int32_t height) override;
};

}  // namespace xs::win
