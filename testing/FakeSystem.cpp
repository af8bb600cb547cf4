#include "FakeSystem.h"

#include <atomic>
#include <unistd.h>

namespace xs::testing {

std::vector<WindowHandle> FakeWindowSystem::TopLevelWindows() {
  ++sweeps;
  std::vector<WindowHandle> out;
  for (const auto& w : windows)
    if (w.exists) out.push_back(w.handle);
  return out;
}

FakeWindow* FakeWindowSystem::Find(WindowHandle w) {
  for (auto& f : windows)
    if (f.exists && f.handle == w && w != kNullWindow && w != kNoProcessWindow) return &f;
  return nullptr;
}

std::optional<ScreenRect> FakeWindowSystem::GetRect(WindowHandle w) {
  auto* f = Find(w);
  if (!f) return std::nullopt;
  return f->rect;
}

bool FakeWindowSystem::Move(WindowHandle w, int32_t x, int32_t y, int32_t width, int32_t height) {
  auto* f = Find(w);
  if (!f) return false;
  f->rect = {x, y, x + width, y + height};
  moves.push_back(std::to_string(w) + " " + std::to_string(x) + "," + std::to_string(y) + " " +
                  std::to_string(width) + "x" + std::to_string(height));
  return true;
}

TempDir::TempDir() {
  static std::atomic<int> counter{0};
  dir_ = std::filesystem::temp_directory_path() /
         ("xs-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
  std::filesystem::remove_all(dir_);
  std::filesystem::create_directories(dir_);
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(dir_, ec);
}

}  // namespace xs::testing
