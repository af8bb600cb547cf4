// Processes from a toolhelp snapshot (names to UTF-8), top-level windows from EnumWindows (which
// walks the Z order from the top), and the window calls the placement code needs.
#include "Win32WindowSystem.h"

#include <windows.h>
#include <tlhelp32.h>

#include "Handles.h"
#include "Utf16.h"

namespace xs::win {
namespace {

HWND ToHwnd(WindowHandle w) { return reinterpret_cast<HWND>(w); }

BOOL CALLBACK CollectWindow(HWND w, LPARAM out) {
  reinterpret_cast<std::vector<WindowHandle>*>(out)->push_back(reinterpret_cast<WindowHandle>(w));
  return TRUE;
}

}  // namespace

std::optional<std::vector<ProcessEntry>> Win32WindowSystem::Processes() {
  UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return std::nullopt;
  std::vector<ProcessEntry> out;
  PROCESSENTRY32W entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
       more = Process32NextW(snapshot.get(), &entry)) {
    out.push_back(ProcessEntry{entry.th32ProcessID, Narrow(entry.szExeFile)});
  }
  return out;
}

std::vector<WindowHandle> Win32WindowSystem::TopLevelWindows() {
  // One sweep as the system has it now; windows created or destroyed meanwhile are the caller's
  // to tolerate (IsWindow is asked for each).
  std::vector<WindowHandle> out;
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&out));
  return out;
}

bool Win32WindowSystem::IsWindow(WindowHandle w) { return w != kNullWindow && ::IsWindow(ToHwnd(w)); }

bool Win32WindowSystem::IsVisible(WindowHandle w) { return IsWindow(w) && IsWindowVisible(ToHwnd(w)); }

uint32_t Win32WindowSystem::ProcessIdOf(WindowHandle w) {
  DWORD pid = 0;
  if (IsWindow(w)) GetWindowThreadProcessId(ToHwnd(w), &pid);
  return pid;
}

std::optional<ScreenRect> Win32WindowSystem::GetRect(WindowHandle w) {
  RECT r;
  if (!IsWindow(w) || !GetWindowRect(ToHwnd(w), &r)) return std::nullopt;
  return ScreenRect{r.left, r.top, r.right, r.bottom};
}

bool Win32WindowSystem::Move(WindowHandle w, int32_t x, int32_t y, int32_t width, int32_t height) {
  // kNoProcessWindow and stale handles are refused here rather than handed to the system.
  return IsWindow(w) && MoveWindow(ToHwnd(w), x, y, width, height, TRUE) != FALSE;
}

}  // namespace xs::win
