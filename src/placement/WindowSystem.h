#pragma once
// Port: running processes and top-level windows.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace xs {

using WindowHandle = uintptr_t;
inline constexpr WindowHandle kNullWindow = 0;
// What the lookup gives for a process name that no running process has.
inline constexpr WindowHandle kNoProcessWindow = static_cast<WindowHandle>(-1);

struct ProcessEntry {
  uint32_t pid = 0;
  std::string name;  // executable file name, UTF-8
};

struct ScreenRect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
};

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;
  // The processes in snapshot order; nullopt when no snapshot could be taken.
  virtual std::optional<std::vector<ProcessEntry>> Processes() = 0;
  // Top-level windows in Z order, topmost first (one sweep).
  virtual std::vector<WindowHandle> TopLevelWindows() = 0;
  virtual bool IsWindow(WindowHandle w) = 0;
  virtual bool IsVisible(WindowHandle w) = 0;
  virtual uint32_t ProcessIdOf(WindowHandle w) = 0;
  // Physical screen pixels; nullopt when w is not a window.
  virtual std::optional<ScreenRect> GetRect(WindowHandle w) = 0;
  virtual bool Move(WindowHandle w, int32_t x, int32_t y, int32_t width, int32_t height) = 0;
};

}  // namespace xs
