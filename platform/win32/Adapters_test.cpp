// The Win32 adapters against the real system: SendInput into a window of this test, waits on real
// timers, real hot keys, the toolhelp snapshot and real top-level windows.
// Input reaches a window only while it is in front with the focus; every expectation waits for its
// messages in a bounded pump loop with a generous limit and never measures how long things took.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "Handles.h"
#include "MessagePump.h"
#include "StorePath.h"
#include "Utf16.h"
#include "Win32Clock.h"
#include "Win32EventLoop.h"
#include "Win32HotKeys.h"
#include "Win32InputBackend.h"
#include "Win32WindowSystem.h"

namespace xs::win {
namespace {

constexpr UINT kPing = WM_APP + 1;  // posted by tests to see a dispatch happen

struct Msg {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

bool IsRecorded(UINT m) {
  switch (m) {
    case WM_KEYDOWN: case WM_KEYUP: case WM_SYSKEYDOWN: case WM_SYSKEYUP:
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK:
    case WM_CLOSE: case WM_HOTKEY: case WM_TIMER: case kPing:
      return true;
    default:
      return false;
  }
}

// Class names: one of ours (the Esc rule applies) and a foreign one. Both know double clicks.
constexpr wchar_t kOurClass[] = L"XsAdapterTest";
constexpr wchar_t kForeignClass[] = L"AdapterTestForeign";

// A top-level window that keeps the messages the tests look for. WM_CLOSE is only recorded, so a
// test sees it and the window stays for the next expectation.
class RecordingWindow {
 public:
  explicit RecordingWindow(const wchar_t* className = kOurClass, RECT at = {200, 150, 520, 390}) {
    RegisterClasses();
    hwnd_.reset(CreateWindowExW(WS_EX_TOPMOST, className, L"adapter test", WS_POPUP | WS_VISIBLE,
                                at.left, at.top, at.right - at.left, at.bottom - at.top, nullptr,
                                nullptr, GetModuleHandleW(nullptr), this));
  }

  HWND hwnd() const { return hwnd_.get(); }
  std::vector<Msg> messages;
  std::function<void(const Msg&)> onMessage;  // runs inside the dispatch, after recording

  size_t Count(UINT message) const {
    return static_cast<size_t>(std::count_if(messages.begin(), messages.end(),
                                             [&](const Msg& m) { return m.message == message; }));
  }
  std::vector<Msg> Only(const std::vector<UINT>& kinds) const {
    std::vector<Msg> out;
    for (const Msg& m : messages)
      if (std::find(kinds.begin(), kinds.end(), m.message) != kinds.end()) out.push_back(m);
    return out;
  }

 private:
  static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_NCCREATE) {
      SetWindowLongPtrW(w, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
    }
    auto* self = reinterpret_cast<RecordingWindow*>(GetWindowLongPtrW(w, GWLP_USERDATA));
    if (self != nullptr && IsRecorded(m)) {
      self->messages.push_back(Msg{m, wp, lp});
      if (self->onMessage) self->onMessage(self->messages.back());
      if (m == WM_CLOSE || m == kPing || m == WM_HOTKEY || m == WM_TIMER) return 0;
    }
    return DefWindowProcW(w, m, wp, lp);
  }

  static void RegisterClasses() {
    static const bool done = [] {
      for (const wchar_t* name : {kOurClass, kForeignClass}) {
        WNDCLASSEXW wc = {};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = name;
        RegisterClassExW(&wc);
      }
      return true;
    }();
    (void)done;
  }

  UniqueWindow hwnd_;
};

// Dispatches messages until `done` answers true or `limitMs` passed; the limit only ends a wait
// for something that never comes, it is no measure of speed.
bool PumpUntil(const std::function<bool()>& done, DWORD limitMs = 10000) {
  const ULONGLONG end = GetTickCount64() + limitMs;
  for (;;) {
    PumpPending();
    if (done()) return true;
    if (GetTickCount64() > end) return false;
    MsgWaitForMultipleObjectsEx(0, nullptr, 20, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  }
}

void PumpFor(DWORD ms) { PumpUntil([] { return false; }, ms); }

// Without a window manager nothing else brings a new window to the front: ask for each part of it
// (shown, on top, foreground, active, focused) and wait until the system agrees.
bool BringToFront(HWND w) {
  ShowWindow(w, SW_SHOW);
  SetWindowPos(w, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  SetForegroundWindow(w);
  SetActiveWindow(w);
  SetFocus(w);
  return PumpUntil([w] { return GetForegroundWindow() == w && GetFocus() == w; }, 5000);
}

POINT CenterOf(HWND w) {
  RECT r;
  GetWindowRect(w, &r);
  return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

UINT ScanOf(LPARAM lp) { return static_cast<UINT>((lp >> 16) & 0xFF); }
bool ExtendedOf(LPARAM lp) { return ((lp >> 24) & 1) != 0; }

// ---------------------------------------------------------------------------------------------
// Keyboard events as built for SendInput.

struct KeyInputCase {
  const char* name;
  BYTE vk;
  bool extended;
};

TEST(KeyInputTest, FillsKeyAndScanCodeAndMarksExtendedKeys) {
  const KeyInputCase cases[] = {
      {"letter A", 'A', false},        {"left control", VK_CONTROL, false},
      {"right control", VK_RCONTROL, true}, {"right alt", VK_RMENU, true},
      {"left arrow", VK_LEFT, true},   {"down arrow", VK_DOWN, true},
      {"delete", VK_DELETE, true},     {"page down", VK_NEXT, true},
      {"keypad divide", VK_DIVIDE, true}, {"keypad 7", VK_NUMPAD7, false},
      {"F3", VK_F3, false},            {"enter", VK_RETURN, false},
      {"left windows", VK_LWIN, true}, {"num lock", VK_NUMLOCK, true},
  };
  for (const KeyInputCase& c : cases) {
    SCOPED_TRACE(c.name);
    for (bool down : {true, false}) {
      const INPUT in = KeyInput(c.vk, down);
      EXPECT_EQ(in.type, static_cast<DWORD>(INPUT_KEYBOARD));
      EXPECT_EQ(in.ki.wVk, c.vk);
      EXPECT_NE(in.ki.wScan, 0) << "a key without its scan code reaches some programs as key 0";
      EXPECT_EQ((in.ki.dwFlags & KEYEVENTF_EXTENDEDKEY) != 0, c.extended);
      EXPECT_EQ((in.ki.dwFlags & KEYEVENTF_KEYUP) != 0, !down);
      EXPECT_EQ(in.ki.dwFlags & (KEYEVENTF_SCANCODE | KEYEVENTF_UNICODE), 0u)
          << "with the scan-code flag the virtual key would be ignored";
    }
  }
}

TEST(KeyInputTest, KeyZeroStaysKeyZero) {
  // The core sends key 0 when a row's first key is empty; it must go out as it is.
  const INPUT in = KeyInput(0, true);
  EXPECT_EQ(in.ki.wVk, 0);
  EXPECT_EQ(in.ki.dwFlags, 0u);
}

// ---------------------------------------------------------------------------------------------
// Real input into a window of the test.

class InputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(window.hwnd(), nullptr);
    ASSERT_TRUE(BringToFront(window.hwnd())) << "the test window did not get the focus";
    center = CenterOf(window.hwnd());
    input.SetCursorPos(center.x, center.y);
    PumpFor(100);  // let the move from SetCursorPos arrive before the recording starts
    window.messages.clear();
  }

  std::vector<Msg> WaitFor(const std::vector<UINT>& kinds, size_t n) {
    PumpUntil([&] { return window.Only(kinds).size() >= n; });
    PumpFor(50);  // anything extra shows up as a wrong count, not as a pass
    return window.Only(kinds);
  }

  RecordingWindow window;
  Win32InputBackend input;
  POINT center{};
};

TEST_F(InputTest, CursorPositionRoundTrips) {
  for (POINT p : {POINT{10, 20}, POINT{center.x, center.y}, POINT{0, 0}}) {
    input.SetCursorPos(p.x, p.y);
    const ScreenPoint got = input.CursorPos();
    EXPECT_EQ(got.x, p.x);
    EXPECT_EQ(got.y, p.y);
  }
}

struct KeyCase {
  const char* name;
  BYTE vk;          // sent
  WPARAM messageVk;  // as the window sees it
  UINT scan;         // expected scan code; 0: what the keyboard layout says
  bool extended;
};

TEST_F(InputTest, KeyPressArrivesWithScanCodeAndExtendedFlag) {
  const KeyCase cases[] = {
      {"left arrow", VK_LEFT, VK_LEFT, 0x4B, true},
      {"delete", VK_DELETE, VK_DELETE, 0x53, true},
      {"home", VK_HOME, VK_HOME, 0x47, true},
      {"right control", VK_RCONTROL, VK_CONTROL, 0x1D, true},
      {"F5", VK_F5, VK_F5, 0x3F, false},
      {"letter A", 'A', 'A', 0, false},
      {"keypad 7", VK_NUMPAD7, VK_NUMPAD7, 0x47, false},
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(c.name);
    window.messages.clear();
    const KeyEvent press[] = {{c.vk, true}, {c.vk, false}};
    input.SendKeys(press);
    const std::vector<Msg> got = WaitFor({WM_KEYDOWN, WM_KEYUP}, 2);
    ASSERT_EQ(got.size(), 2u);
    const UINT scan = c.scan != 0 ? c.scan : (MapVirtualKeyW(c.vk, MAPVK_VK_TO_VSC) & 0xFF);
    const UINT kinds[] = {WM_KEYDOWN, WM_KEYUP};
    for (size_t i = 0; i < 2; ++i) {
      EXPECT_EQ(got[i].message, kinds[i]);
      EXPECT_EQ(got[i].wParam, c.messageVk);
      EXPECT_EQ(ScanOf(got[i].lParam), scan);
      EXPECT_EQ(ExtendedOf(got[i].lParam), c.extended);
    }
  }
}

TEST_F(InputTest, ChordArrivesInTheOrderSent) {
  // The core's order for Ctrl+A: presses first, then releases in the same order.
  const KeyEvent chord[] = {{VK_CONTROL, true}, {'A', true}, {VK_CONTROL, false}, {'A', false}};
  input.SendKeys(chord);
  const std::vector<Msg> got = WaitFor({WM_KEYDOWN, WM_KEYUP}, 4);
  ASSERT_EQ(got.size(), 4u);
  const Msg want[] = {{WM_KEYDOWN, VK_CONTROL, 0}, {WM_KEYDOWN, 'A', 0},
                      {WM_KEYUP, VK_CONTROL, 0}, {WM_KEYUP, 'A', 0}};
  for (size_t i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(got[i].message, want[i].message);
    EXPECT_EQ(got[i].wParam, want[i].wParam);
    EXPECT_NE(ScanOf(got[i].lParam), 0u);
    EXPECT_FALSE(ExtendedOf(got[i].lParam));
  }
  EXPECT_EQ(GetKeyState(VK_CONTROL) & 0x8000, 0) << "Ctrl left held down";
}

struct MouseCase {
  const char* name;
  std::vector<std::vector<MouseEvent>> calls;  // each inner list is one SendMouse batch
  std::vector<UINT> want;
};

TEST_F(InputTest, MouseButtonsArriveAtTheCursor) {
  using B = MouseButtonCode;
  const MouseCase cases[] = {
      {"left click", {{{B::Left, true}, {B::Left, false}}}, {WM_LBUTTONDOWN, WM_LBUTTONUP}},
      {"right click", {{{B::Right, true}, {B::Right, false}}}, {WM_RBUTTONDOWN, WM_RBUTTONUP}},
      {"middle press, later release",
       {{{B::Middle, true}}, {{B::Middle, false}}},
       {WM_MBUTTONDOWN, WM_MBUTTONUP}},
      // The core sends both clicks of a double click in one batch.
      {"left double click",
       {{{B::Left, true}, {B::Left, false}, {B::Left, true}, {B::Left, false}}},
       {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}},
      {"right double click",
       {{{B::Right, true}, {B::Right, false}, {B::Right, true}, {B::Right, false}}},
       {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK, WM_RBUTTONUP}},
  };
  for (const MouseCase& c : cases) {
    SCOPED_TRACE(c.name);
    // A fresh window for each case: a click right after the previous case's at the same spot
    // would itself count as a double click.
    RecordingWindow target(kOurClass, {600, 400, 900, 640});
    ASSERT_TRUE(BringToFront(target.hwnd()));
    const POINT at = CenterOf(target.hwnd());
    input.SetCursorPos(at.x, at.y);
    PumpFor(100);
    target.messages.clear();
    for (const auto& batch : c.calls) input.SendMouse(batch);

    const std::vector<UINT> buttons = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN,
                          WM_RBUTTONUP,   WM_RBUTTONDBLCLK, WM_MBUTTONDOWN, WM_MBUTTONUP,
                          WM_MBUTTONDBLCLK};
    PumpUntil([&] { return target.Only(buttons).size() >= c.want.size(); });
    PumpFor(50);
    const std::vector<Msg> got = target.Only(buttons);
    ASSERT_EQ(got.size(), c.want.size());
    POINT client = at;
    ScreenToClient(target.hwnd(), &client);
    for (size_t i = 0; i < got.size(); ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(got[i].message, c.want[i]);
      // No movement in the events: they land exactly where the cursor was put.
      EXPECT_EQ(static_cast<short>(LOWORD(got[i].lParam)), client.x);
      EXPECT_EQ(static_cast<short>(HIWORD(got[i].lParam)), client.y);
    }
    const ScreenPoint after = input.CursorPos();
    EXPECT_EQ(after.x, at.x);
    EXPECT_EQ(after.y, at.y);
  }
}

// ---------------------------------------------------------------------------------------------
// The Esc rule of the message pump.

TEST_F(InputTest, EscapeKeyClosesOurWindowInsteadOfReachingIt) {
  const KeyEvent esc[] = {{VK_ESCAPE, true}, {VK_ESCAPE, false}};
  input.SendKeys(esc);
  PumpUntil([&] { return window.Count(WM_CLOSE) > 0; });
  PumpFor(50);
  EXPECT_EQ(window.Count(WM_CLOSE), 1u);
  for (const Msg& m : window.Only({WM_KEYDOWN})) EXPECT_NE(m.wParam, static_cast<WPARAM>(VK_ESCAPE));
}

TEST_F(InputTest, ShiftEscapeReachesTheWindow) {
  const KeyEvent shiftEsc[] = {{VK_SHIFT, true}, {VK_ESCAPE, true}, {VK_ESCAPE, false}, {VK_SHIFT, false}};
  input.SendKeys(shiftEsc);
  PumpUntil([&] { return window.Count(WM_KEYUP) >= 2; });
  PumpFor(50);
  EXPECT_EQ(window.Count(WM_CLOSE), 0u);
  const std::vector<Msg> downs = window.Only({WM_KEYDOWN});
  EXPECT_TRUE(std::any_of(downs.begin(), downs.end(),
                          [](const Msg& m) { return m.wParam == VK_ESCAPE; }));
}

// Posted key messages with a chosen keyboard state: the rule reads the modifiers through
// GetKeyState, which follows the thread's keyboard state.
class KeyboardStateGuard {
 public:
  explicit KeyboardStateGuard(BYTE heldVk) {
    GetKeyboardState(saved_);
    BYTE state[256];
    std::copy(std::begin(saved_), std::end(saved_), state);
    for (BYTE vk : {VK_SHIFT, VK_CONTROL, VK_MENU, VK_LSHIFT, VK_RSHIFT, VK_LCONTROL, VK_RCONTROL,
                    VK_LMENU, VK_RMENU})
      state[vk] = 0;
    if (heldVk != 0) state[heldVk] = 0x80;
    SetKeyboardState(state);
  }
  ~KeyboardStateGuard() { SetKeyboardState(saved_); }

 private:
  BYTE saved_[256] = {};
};

struct EscCase {
  const char* name;
  const wchar_t* rootClass;
  bool toChild;  // the key goes to a control inside the window, as when an edit box has the focus
  BYTE held;
  bool closes;
};

TEST(MessagePumpTest, EscapeRuleChecksClassAndModifiers) {
  const EscCase cases[] = {
      {"plain Esc in our window", kOurClass, false, 0, true},
      {"plain Esc in a control of our window", kOurClass, true, 0, true},
      {"Esc in a foreign window", kForeignClass, false, 0, false},
      {"Esc in a control of a foreign window", kForeignClass, true, 0, false},
      {"Shift+Esc", kOurClass, false, VK_SHIFT, false},
      {"Ctrl+Esc", kOurClass, true, VK_CONTROL, false},
      {"Alt+Esc", kOurClass, false, VK_MENU, false},
  };
  for (const EscCase& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingWindow root(c.rootClass);
    UniqueWindow child(CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20,
                                       root.hwnd(), nullptr, GetModuleHandleW(nullptr), nullptr));
    ASSERT_TRUE(child);
    PumpFor(20);
    root.messages.clear();
    {
      KeyboardStateGuard held(c.held);
      PostMessageW(c.toChild ? child.get() : root.hwnd(), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
      PostMessageW(root.hwnd(), kPing, 0, 0);
      PumpUntil([&] { return root.Count(kPing) > 0; });
      PumpPending();  // the WM_CLOSE posted by the rule comes after the ping
    }
    EXPECT_EQ(root.Count(WM_CLOSE), c.closes ? 1u : 0u);
    if (!c.toChild) {
      EXPECT_EQ(root.Count(WM_KEYDOWN), c.closes ? 0u : 1u);
    }
  }
}

TEST(MessagePumpTest, TabMovesTheFocusThroughTheControlsOfOurWindows) {
  RecordingWindow root(kOurClass);
  const auto edit = [&](int y, DWORD extra) {
    return UniqueWindow(CreateWindowExW(0, L"EDIT", L"12", WS_CHILD | WS_VISIBLE | extra, 0, y, 80, 20,
                                        root.hwnd(), nullptr, GetModuleHandleW(nullptr), nullptr));
  };
  UniqueWindow first = edit(0, WS_TABSTOP), skipped = edit(30, 0), second = edit(60, WS_TABSTOP);
  ASSERT_TRUE(first && skipped && second);
  SetForegroundWindow(root.hwnd());
  SetFocus(first.get());
  PumpFor(20);
  ASSERT_EQ(GetFocus(), first.get());
  PostMessageW(first.get(), WM_KEYDOWN, VK_TAB, 0x000F0001);
  PumpFor(20);
  EXPECT_EQ(GetFocus(), second.get()) << "Tab skips a control without a tab stop";
  DWORD start = 1, end = 0;
  SendMessageW(second.get(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 2u) << "the text is selected, ready to be typed over";
  {
    KeyboardStateGuard held(VK_SHIFT);
    PostMessageW(second.get(), WM_KEYDOWN, VK_TAB, 0x000F0001);
    PumpFor(20);
  }
  EXPECT_EQ(GetFocus(), first.get()) << "Shift+Tab goes back";
  wchar_t text[8] = {};
  GetWindowTextW(first.get(), text, 8);
  EXPECT_STREQ(text, L"12") << "no tab character reaches the box";
}

TEST(MessagePumpTest, PumpDispatchesEverythingBeforeQuitAndLeavesQuitQueued) {
  RecordingWindow window;
  PostMessageW(window.hwnd(), kPing, 1, 0);
  PostMessageW(window.hwnd(), kPing, 2, 0);
  PostQuitMessage(7);
  EXPECT_FALSE(PumpPending());
  EXPECT_EQ(window.Count(kPing), 2u);
  EXPECT_FALSE(PumpPending()) << "a second pump must stop at the same WM_QUIT";
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(msg.wParam, 7u);
  EXPECT_TRUE(PumpPending());
}

// ---------------------------------------------------------------------------------------------
// Waits.

class WaitTest : public ::testing::TestWithParam<WaitTimerKind> {
 protected:
  void SetUp() override {
    ASSERT_NE(window.hwnd(), nullptr);
    PumpFor(20);
    window.messages.clear();
  }
  Win32EventLoop loop{GetParam()};
  RecordingWindow window;
};

TEST_P(WaitTest, ReturnsNoEarlierThanTheDeadline) {
  for (int ms : {1, 5, 30}) {
    SCOPED_TRACE(ms);
    const int64_t deadline = loop.NowMs() + ms;
    loop.WaitUntil(deadline, [] { return false; });
    EXPECT_GE(loop.NowMs(), deadline);
  }
}

TEST_P(WaitTest, PastDeadlineReturnsAtOnce) {
  // Would hang if a passed deadline were taken as a long wait.
  loop.WaitUntil(loop.NowMs() - 1000, [] { return false; });
  loop.WaitUntil(loop.NowMs(), [] { return false; });
  SUCCEED();
}

TEST_P(WaitTest, DispatchesMessagesPostedDuringTheWait) {
  const HWND target = window.hwnd();
  std::thread poster([target] {
    Sleep(20);
    PostMessageW(target, kPing, 0, 0);
  });
  SetTimer(window.hwnd(), 77, 10, nullptr);
  int asked = 0;
  const int64_t deadline = loop.NowMs() + 300;
  loop.WaitUntil(deadline, [&] {
    ++asked;
    return false;
  });
  poster.join();
  KillTimer(window.hwnd(), 77);
  EXPECT_GE(loop.NowMs(), deadline) << "a dispatched message must not end the wait";
  EXPECT_EQ(window.Count(kPing), 1u);
  EXPECT_GE(window.Count(WM_TIMER), 1u);
  EXPECT_GE(asked, 1) << "interrupted() is asked after dispatching";
}

TEST_P(WaitTest, ReturnsEarlyWhenInterrupted) {
  const HWND target = window.hwnd();
  bool stop = false;
  window.onMessage = [&](const Msg& m) {
    if (m.message == kPing) stop = true;
  };
  std::thread poster([target] {
    Sleep(30);
    PostMessageW(target, kPing, 0, 0);
  });
  const int64_t deadline = loop.NowMs() + 60'000;
  loop.WaitUntil(deadline, [&] { return stop; });
  poster.join();
  EXPECT_TRUE(stop);
  EXPECT_LT(loop.NowMs(), deadline);
}

TEST_P(WaitTest, QuitEndsTheWaitAndStaysQueued) {
  PostQuitMessage(3);
  const int64_t deadline = loop.NowMs() + 60'000;
  loop.WaitUntil(deadline, [] { return false; });
  EXPECT_LT(loop.NowMs(), deadline);
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
}

TEST_P(WaitTest, WaitsNestInsideHandlers) {
  // A handler dispatched inside a wait starts its own, longer wait; each ends at its own deadline.
  int64_t innerDeadline = 0, innerEnd = 0;
  window.onMessage = [&](const Msg& m) {
    if (m.message != kPing) return;
    innerDeadline = loop.NowMs() + 80;
    loop.WaitUntil(innerDeadline, [] { return false; });
    innerEnd = loop.NowMs();
  };
  PostMessageW(window.hwnd(), kPing, 0, 0);
  const int64_t outerDeadline = loop.NowMs() + 20;
  loop.WaitUntil(outerDeadline, [] { return false; });
  ASSERT_NE(innerDeadline, 0) << "the posted message was not dispatched inside the wait";
  EXPECT_GE(innerEnd, innerDeadline);
  EXPECT_GE(loop.NowMs(), outerDeadline);
  // The outer wait is still usable afterwards.
  const int64_t again = loop.NowMs() + 5;
  loop.WaitUntil(again, [] { return false; });
  EXPECT_GE(loop.NowMs(), again);
}

TEST_P(WaitTest, LeavesNoHandleBehind) {
  DWORD countBefore = 0, countAfter = 0;
  GetProcessHandleCount(GetCurrentProcess(), &countBefore);
  // Wine reports no handle count; there a freed handle slot is handed out again, so a leaked
  // timer shows as a new handle value where the freed one was expected.
  const HANDLE probe = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  ASSERT_NE(probe, nullptr);
  CloseHandle(probe);
  for (int i = 0; i < 50; ++i) loop.WaitUntil(loop.NowMs() + 1, [] { return false; });
  const HANDLE again = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  GetProcessHandleCount(GetCurrentProcess(), &countAfter);
  CloseHandle(again);
  if (countBefore != 0) {
    EXPECT_EQ(countAfter, countBefore + 1);
  } else {
    EXPECT_EQ(again, probe);
  }
}

INSTANTIATE_TEST_SUITE_P(TimerKinds, WaitTest,
                         ::testing::Values(WaitTimerKind::HighResolution, WaitTimerKind::Plain,
                                           WaitTimerKind::None),
                         [](const ::testing::TestParamInfo<WaitTimerKind>& info) {
                           switch (info.param) {
                             case WaitTimerKind::HighResolution: return std::string("HighResolution");
                             case WaitTimerKind::Plain: return std::string("Plain");
                             case WaitTimerKind::None: return std::string("NoTimer");
                           }
                           return std::string("Unknown");
                         });

TEST(EventLoopTest, NowIsMonotonic) {
  Win32EventLoop loop;
  int64_t last = loop.NowMs();
  for (int i = 0; i < 10000; ++i) {
    const int64_t now = loop.NowMs();
    ASSERT_GE(now, last);
    last = now;
  }
}

TEST(EventLoopTest, RepeatTimerTicksOnTheMainWindowUntilStopped) {
  RecordingWindow window;
  Win32EventLoop loop;
  loop.SetMainWindow(window.hwnd());
  loop.ArmRepeatTimer(15);
  EXPECT_TRUE(PumpUntil([&] { return window.Count(WM_TIMER) >= 2; }));
  for (const Msg& m : window.Only({WM_TIMER})) EXPECT_EQ(m.wParam, kRepeatTimerId);

  loop.ArmRepeatTimer(0);
  PumpPending();
  window.messages.clear();
  loop.WaitUntil(loop.NowMs() + 200, [] { return false; });
  EXPECT_EQ(window.Count(WM_TIMER), 0u) << "the timer ticked after it was stopped";
}

// ---------------------------------------------------------------------------------------------
// Hot keys.

TEST(HotKeysTest, RegistersDistinctIdsAndDeliversThePress) {
  RecordingWindow window;
  ASSERT_TRUE(BringToFront(window.hwnd()));
  Win32HotKeys keys;
  EXPECT_EQ(keys.Register(VK_F3), 0) << "no main window yet";
  keys.SetMainWindow(window.hwnd());
  const int f3 = keys.Register(VK_F3);
  const int f4 = keys.Register(VK_F4);
  EXPECT_NE(f3, 0);
  EXPECT_NE(f4, 0);
  EXPECT_NE(f3, f4);
  EXPECT_EQ(keys.Register(VK_F3), 0) << "F3 is taken by the first registration";

  Win32InputBackend input;
  const KeyEvent f4Press[] = {{VK_F4, true}, {VK_F4, false}};
  input.SendKeys(f4Press);
  EXPECT_TRUE(PumpUntil([&] { return window.Count(WM_HOTKEY) > 0; }));
  const std::vector<Msg> hot = window.Only({WM_HOTKEY});
  ASSERT_EQ(hot.size(), 1u) << "MOD_NOREPEAT and one press give one notification";
  EXPECT_EQ(hot[0].wParam, static_cast<WPARAM>(f4));

  if (f3 != 0) UnregisterHotKey(window.hwnd(), f3);
  if (f4 != 0) UnregisterHotKey(window.hwnd(), f4);
}

// ---------------------------------------------------------------------------------------------
// Processes and windows.

std::wstring OwnExePath() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return path;
}

std::wstring FileNameOf(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

TEST(WindowSystemTest, SnapshotListsThisProcessByName) {
  Win32WindowSystem system;
  const auto processes = system.Processes();
  ASSERT_TRUE(processes.has_value());
  const std::string ownName = Narrow(FileNameOf(OwnExePath()));
  const auto self = std::find_if(processes->begin(), processes->end(),
                                 [](const ProcessEntry& p) { return p.pid == GetCurrentProcessId(); });
  ASSERT_NE(self, processes->end());
  EXPECT_EQ(self->name, ownName);
}

TEST(WindowSystemTest, SnapshotGivesNonAsciiNamesAsUtf8) {
  // A suspended copy of this program under a Chinese name: it shows in the snapshot without
  // running any of its code.
  wchar_t temp[MAX_PATH + 1] = {};
  ASSERT_NE(GetTempPathW(MAX_PATH, temp), 0u);
  const std::wstring copy = std::wstring(temp) + L"\u661F\u68AD\u63A2\u9488.exe";  // 星梭探针.exe
  ASSERT_TRUE(CopyFileW(OwnExePath().c_str(), copy.c_str(), FALSE)) << GetLastError();
  STARTUPINFOW si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  std::wstring cmd = L"\"" + copy + L"\"";
  ASSERT_TRUE(CreateProcessW(copy.c_str(), cmd.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                             nullptr, nullptr, &si, &pi));
  UniqueHandle process(pi.hProcess), thread(pi.hThread);

  Win32WindowSystem system;
  const auto processes = system.Processes();
  TerminateProcess(process.get(), 0);
  WaitForSingleObject(process.get(), 10000);
  DeleteFileW(copy.c_str());

  ASSERT_TRUE(processes.has_value());
  const auto child = std::find_if(processes->begin(), processes->end(),
                                  [&](const ProcessEntry& p) { return p.pid == pi.dwProcessId; });
  ASSERT_NE(child, processes->end());
  EXPECT_EQ(child->name, "\xE6\x98\x9F\xE6\xA2\xAD\xE6\x8E\xA2\xE9\x92\x88.exe");
}

TEST(WindowSystemTest, TopLevelWindowsComeInZOrder) {
  RecordingWindow a(kForeignClass, {50, 50, 250, 200});
  RecordingWindow b(kForeignClass, {80, 80, 280, 230});
  Win32WindowSystem system;
  const auto position = [&](HWND w) {
    const auto all = system.TopLevelWindows();
    return std::find(all.begin(), all.end(), reinterpret_cast<WindowHandle>(w)) - all.begin();
  };
  for (HWND top : {a.hwnd(), b.hwnd(), a.hwnd()}) {
    SetWindowPos(top, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    PumpFor(20);
    const HWND other = top == a.hwnd() ? b.hwnd() : a.hwnd();
    const auto all = system.TopLevelWindows();
    ASSERT_LT(position(top), static_cast<ptrdiff_t>(all.size()));
    ASSERT_LT(position(other), static_cast<ptrdiff_t>(all.size()));
    EXPECT_LT(position(top), position(other));
  }
}

TEST(WindowSystemTest, WindowQueriesOnOwnWindows) {
  Win32WindowSystem system;
  RecordingWindow shown;
  RecordingWindow hidden;
  ShowWindow(hidden.hwnd(), SW_HIDE);
  const auto h = [](HWND w) { return reinterpret_cast<WindowHandle>(w); };

  EXPECT_TRUE(system.IsWindow(h(shown.hwnd())));
  EXPECT_TRUE(system.IsVisible(h(shown.hwnd())));
  EXPECT_EQ(system.ProcessIdOf(h(shown.hwnd())), GetCurrentProcessId());
  EXPECT_TRUE(system.IsWindow(h(hidden.hwnd())));
  EXPECT_FALSE(system.IsVisible(h(hidden.hwnd())));
  EXPECT_EQ(system.ProcessIdOf(h(hidden.hwnd())), GetCurrentProcessId());
}

TEST(WindowSystemTest, ValuesThatAreNoWindowAreRefused) {
  Win32WindowSystem system;
  WindowHandle destroyed;
  {
    RecordingWindow gone;
    destroyed = reinterpret_cast<WindowHandle>(gone.hwnd());
  }
  const struct {
    const char* name;
    WindowHandle w;
  } cases[] = {{"null", kNullWindow}, {"no process", kNoProcessWindow}, {"destroyed", destroyed}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_FALSE(system.IsWindow(c.w));
    EXPECT_FALSE(system.IsVisible(c.w));
    EXPECT_EQ(system.ProcessIdOf(c.w), 0u);
    EXPECT_FALSE(system.GetRect(c.w).has_value());
    EXPECT_FALSE(system.Move(c.w, 10, 10, 200, 200));
  }
}

TEST(WindowSystemTest, MoveAndGetRectRoundTrip) {
  Win32WindowSystem system;
  RecordingWindow window(kForeignClass);
  const WindowHandle w = reinterpret_cast<WindowHandle>(window.hwnd());
  const ScreenRect cases[] = {
      {100, 50, 400, 250},     // left, top, right, bottom
      {-150, -40, 170, 200},   // partly off the screen to the left and above
      {-900, 300, -500, 600},  // wholly left of the primary screen
      {0, 0, 321, 123},
  };
  for (const ScreenRect& r : cases) {
    SCOPED_TRACE(::testing::Message() << r.left << "," << r.top);
    ASSERT_TRUE(system.Move(w, r.left, r.top, r.right - r.left, r.bottom - r.top));
    PumpFor(20);
    const auto got = system.GetRect(w);
    ASSERT_TRUE(got.has_value());
    EXPECT_EQ(got->left, r.left);
    EXPECT_EQ(got->top, r.top);
    EXPECT_EQ(got->right, r.right);
    EXPECT_EQ(got->bottom, r.bottom);
  }
}

// ---------------------------------------------------------------------------------------------
// Local time and the store's place.

TEST(ClockTest, NowIsTheSystemLocalTime) {
  Win32Clock clock;
  // Retry when a second boundary falls between the samples.
  for (int attempt = 0; attempt < 5; ++attempt) {
    SYSTEMTIME before, after;
    GetLocalTime(&before);
    const LocalTime now = clock.Now();
    GetLocalTime(&after);
    if (before.wSecond != after.wSecond) continue;
    EXPECT_EQ(now.year, before.wYear);
    EXPECT_EQ(now.month, before.wMonth);
    EXPECT_EQ(now.day, before.wDay);
    EXPECT_EQ(now.hour, before.wHour);
    EXPECT_EQ(now.minute, before.wMinute);
    EXPECT_EQ(now.second, before.wSecond);
    return;
  }
  FAIL() << "the second never held still";
}

std::wstring EnvironmentValue(const wchar_t* name) {
  wchar_t buffer[MAX_PATH * 2] = {};
  const DWORD n = GetEnvironmentVariableW(name, buffer, static_cast<DWORD>(std::size(buffer)));
  return n == 0 || n >= std::size(buffer) ? std::wstring() : std::wstring(buffer, n);
}

bool IsFolder(const std::wstring& path) {
  const DWORD a = GetFileAttributesW(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

TEST(StorePathTest, LivesInLocalApplicationDataNotInTemp) {
  const std::wstring local = EnvironmentValue(L"LOCALAPPDATA");
  ASSERT_FALSE(local.empty());
  const std::string path = StorePath();
  EXPECT_EQ(path, Narrow(local) + "\\xingsuo\\NBDA.rdb");
  EXPECT_TRUE(IsFolder(local + L"\\xingsuo"));
}

TEST(StorePathTest, MakesTheFolderUnderANonAsciiParent) {
  wchar_t temp[MAX_PATH + 1] = {};
  ASSERT_NE(GetTempPathW(MAX_PATH, temp), 0u);
  const std::wstring parent = std::wstring(temp) + L"\u6570\u636E\U0001F600";  // 数据😀
  const std::wstring folder = parent + L"\\xingsuo";
  RemoveDirectoryW(folder.c_str());
  RemoveDirectoryW(parent.c_str());
  ASSERT_TRUE(CreateDirectoryW(parent.c_str(), nullptr));

  const std::string expected = Narrow(folder) + "\\NBDA.rdb";
  EXPECT_EQ(StorePathIn(parent, L"C:\\unused\\"), expected);
  EXPECT_TRUE(IsFolder(folder));
  EXPECT_EQ(StorePathIn(parent + L"\\", L""), expected) << "an existing folder is used as it is";
  EXPECT_NE(expected.find("\xE6\x95\xB0\xE6\x8D\xAE\xF0\x9F\x98\x80"), std::string::npos);

  RemoveDirectoryW(folder.c_str());
  RemoveDirectoryW(parent.c_str());
}

TEST(StorePathTest, FallsBackToTempThenToTheBareName) {
  const struct {
    const wchar_t* temp;
    const char* want;
  } cases[] = {
      {L"C:\\Temp\\", "C:\\Temp\\NBDA.rdb"},
      {L"C:\\Temp", "C:\\Temp\\NBDA.rdb"},
      {L"", "NBDA.rdb"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.want);
    EXPECT_EQ(StorePathIn(L"", c.temp), c.want);
  }
}

}  // namespace
}  // namespace xs::win

// The program links with -municode, whose start-up code calls wmain rather than GoogleTest's main.
int wmain(int argc, wchar_t** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
