#pragma once
// Fakes of the small ports: hot keys, clock, window system; and a temporary folder for store files.
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "app/Clock.h"
#include "app/HotKeys.h"
#include "placement/WindowSystem.h"

namespace xs::testing {

class FakeHotKeys : public HotKeys {
 public:
  int Register(int virtualKey) override {
    registered.push_back(virtualKey);
    if (taken.count(virtualKey)) return 0;
    return nextId++;
  }
  std::set<int> taken;
  std::vector<int> registered;
  int nextId = 1;
};

class FakeClock : public Clock {
 public:
  LocalTime Now() override { return now; }
  LocalTime now{2017, 2, 28, 9, 5, 7};
};

struct FakeWindow {
  WindowHandle handle = 0;
  uint32_t pid = 0;
  bool visible = true;
  bool exists = true;
  ScreenRect rect;
};

class FakeWindowSystem : public WindowSystem {
 public:
  std::optional<std::vector<ProcessEntry>> Processes() override { return processes; }
  std::vector<WindowHandle> TopLevelWindows() override;
  bool IsWindow(WindowHandle w) override { return Find(w) != nullptr; }
  bool IsVisible(WindowHandle w) override { auto* f = Find(w); return f && f->visible; }
  uint32_t ProcessIdOf(WindowHandle w) override { auto* f = Find(w); return f ? f->pid : 0; }
  std::optional<ScreenRect> GetRect(WindowHandle w) override;
  bool Move(WindowHandle w, int32_t x, int32_t y, int32_t width, int32_t height) override;

  FakeWindow* Find(WindowHandle w);

  std::optional<std::vector<ProcessEntry>> processes = std::vector<ProcessEntry>{};
  std::vector<FakeWindow> windows;  // Z order, topmost first
  int sweeps = 0;
  std::vector<std::string> moves;  // "h x,y wxh"
};

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  const std::filesystem::path& Dir() const { return dir_; }

 private:
  std::filesystem::path dir_;
};

}  // namespace xs::testing
