#pragma once
// Finds a running program by executable name and its main window, and shows where it is.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/Views.h"
#include "placement/WindowSystem.h"
#include "playback/EventLoop.h"

namespace xs {

struct WindowRect {
  int32_t left = 0, top = 0, width = 0, height = 0;
};

class WindowLocator {
 public:
  // The loop is accepted for the wiring but not used: the lookup dispatches no messages.
  WindowLocator(WindowSystem& system, EventLoop& loop, Views& views);

  std::vector<std::string> ListProcessNames();
  uint32_t FindProcessId(std::string_view name);        // 0 when none; ASCII case folding only
  WindowHandle FindProcessWindow(uint32_t pid);          // kNullWindow after one full sweep
  WindowHandle FindWindowOfProcessName(std::string_view name);  // kNoProcessWindow when no process
  WindowRect ReadWindowRect(WindowHandle w);             // all 0 when w is not a window
  std::string ChosenProcessName();                       // entry at the selection of 组合框1

  void RefreshProcessList();   // "刷新进程表"
  void ShowWindowPosition();   // "刷新进程坐标": top edge beside 坐标X, left edge beside 坐标Y

  const WindowRect& LastRect() const { return windowRect_; }

 private:
  WindowSystem& system_;
  Views& views_;
  WindowRect windowRect_;  // the process-wide windowRect
};

}  // namespace xs
