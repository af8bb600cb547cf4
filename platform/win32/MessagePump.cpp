// The GUI thread's message dispatch: the Esc and Tab rules of our top-level windows, then the
// usual translate-and-dispatch. Used by the main loop and by every nested wait.
#include "MessagePump.h"

#include <cwchar>
#include <iterator>

namespace xs::win {
namespace {

bool IsDown(int vk) { return (GetKeyState(vk) & 0x8000) != 0; }

bool IsOurTopLevel(HWND root) {
  wchar_t name[256] = {};
  const int n = GetClassNameW(root, name, static_cast<int>(std::size(name)));
  const size_t prefix = std::size(kClassPrefix) - 1;
  return n >= static_cast<int>(prefix) && std::wcsncmp(name, kClassPrefix, prefix) == 0;
}

// A plain Esc in one of our windows closes its top-level window, whichever control has the focus.
bool IsCloseByEscape(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || msg.wParam != VK_ESCAPE || msg.hwnd == nullptr) return false;
  if (IsDown(VK_SHIFT) || IsDown(VK_CONTROL) || IsDown(VK_MENU)) return false;
  const HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  return root != nullptr && IsOurTopLevel(root);
}

// The control of `root` that holds `focus`: a combo box's inner edit counts as the combo box.
HWND TopControlOf(HWND root, HWND focus) {
  while (focus != nullptr && GetParent(focus) != root) focus = GetParent(focus);
  return focus;
}

// Tab and Shift+Tab move the focus through the controls of our windows as in a dialog, without
// the rest of dialog handling (which would take Enter and Esc from the log box).
bool MoveFocusByTab(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB || msg.hwnd == nullptr) return false;
  if (IsDown(VK_CONTROL) || IsDown(VK_MENU)) return false;
  const HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  if (root == nullptr || !IsOurTopLevel(root)) return false;
  const HWND next = GetNextDlgTabItem(root, TopControlOf(root, GetFocus()), IsDown(VK_SHIFT));
  if (next == nullptr) return false;
  SetFocus(next);
  // An edit box entered by Tab has its text selected, ready to be typed over.
  wchar_t cls[16] = {};
  GetClassNameW(next, cls, static_cast<int>(std::size(cls)));
  if (_wcsicmp(cls, L"Edit") == 0 && (GetWindowLongW(next, GWL_STYLE) & ES_MULTILINE) == 0)
    SendMessageW(next, EM_SETSEL, 0, -1);
  return true;
}

}  // namespace

void DispatchOne(MSG& msg) {
  if (MoveFocusByTab(msg)) return;
  if (IsCloseByEscape(msg)) {
    // Posted, not sent: the close runs after the current handler, like a click on the close box.
    PostMessageW(GetAncestor(msg.hwnd, GA_ROOT), WM_CLOSE, 0, 0);
    return;
  }
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

bool PumpPending() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
    if (msg.message == WM_QUIT) return false;
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) break;
    if (msg.message == WM_QUIT) {
      // Another thread posted it between the two looks: put it back for the main loop.
      PostQuitMessage(static_cast<int>(msg.wParam));
      return false;
    }
    DispatchOne(msg);
  }
  return true;
}

}  // namespace xs::win
