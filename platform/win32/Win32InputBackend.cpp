// Mouse buttons and keys through SendInput, the cursor through SetCursorPos and
// GetPhysicalCursorPos (the process is per-monitor DPI aware, so these are physical pixels).
#include "Win32InputBackend.h"

#include <vector>

namespace xs::win {
namespace {

// Keys whose scan code carries the 0xE0 prefix on a standard keyboard. The layout's own answer
// (MAPVK_VK_TO_VSC_EX) is trusted too, but some layouts and older systems leave the prefix out.
bool IsExtendedKey(BYTE vk) {
  switch (vk) {
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
    case VK_INSERT: case VK_DELETE: case VK_HOME: case VK_END: case VK_PRIOR: case VK_NEXT:
    case VK_RCONTROL: case VK_RMENU: case VK_NUMLOCK: case VK_DIVIDE: case VK_SNAPSHOT:
    case VK_LWIN: case VK_RWIN: case VK_APPS:
      return true;
    default:
      return false;
  }
}

// Scan codes of the standard keyboard for keys that a layout may leave unmapped (wine's maps the
// keypad digits to nothing); a receiver that reads scan codes would otherwise see no key.
UINT StandardScanCode(BYTE vk) {
  static constexpr UINT kKeypadDigits[10] = {0x52, 0x4F, 0x50, 0x51, 0x4B, 0x4C, 0x4D, 0x47, 0x48, 0x49};
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return kKeypadDigits[vk - VK_NUMPAD0];
  return 0;
}

DWORD ButtonFlag(MouseButtonCode button, bool down) {
  switch (button) {
    case MouseButtonCode::Right: return down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP;
    case MouseButtonCode::Middle: return down ? MOUSEEVENTF_MIDDLEDOWN : MOUSEEVENTF_MIDDLEUP;
    case MouseButtonCode::Left: break;
  }
  return down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
}

}  // namespace

INPUT KeyInput(BYTE virtualKey, bool down) {
  UINT scan = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC_EX);
  if (scan == 0) scan = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
  if (scan == 0) scan = StandardScanCode(virtualKey);
  INPUT in = {};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = virtualKey;  // never 0 for a real key: a scan code alone arrives as key 0 on some systems
  in.ki.wScan = static_cast<WORD>(scan & 0xFF);
  in.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  if (IsExtendedKey(virtualKey) || (scan & 0xFF00) == 0xE000) in.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
  return in;
}

void Win32InputBackend::SetCursorPos(int32_t x, int32_t y) { ::SetCursorPos(x, y); }

ScreenPoint Win32InputBackend::CursorPos() {
  POINT p = {};
  if (!GetPhysicalCursorPos(&p)) GetCursorPos(&p);
  return ScreenPoint{p.x, p.y};
}

void Win32InputBackend::SendMouse(std::span<const MouseEvent> events) {
  if (events.empty()) return;
  std::vector<INPUT> inputs;
  inputs.reserve(events.size());
  for (const MouseEvent& e : events) {
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = ButtonFlag(e.button, e.down);  // no move: the click lands where the cursor is
    inputs.push_back(in);
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void Win32InputBackend::SendKeys(std::span<const KeyEvent> events) {
  if (events.empty()) return;
  std::vector<INPUT> inputs;
  inputs.reserve(events.size());
  for (const KeyEvent& e : events) inputs.push_back(KeyInput(e.virtualKey, e.down));
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

int Win32InputBackend::DoubleClickTimeMs() { return static_cast<int>(GetDoubleClickTime()); }

}  // namespace xs::win
