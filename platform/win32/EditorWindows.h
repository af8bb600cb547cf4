#pragma once
// The three editor windows (mouse, keyboard, delay): top-level, modeless, one of each at a time.
// They route their events to the core's editors; the core reaches their controls through Views.
#include <windows.h>

#include <array>

#include "Layout.h"
#include "Win32Views.h"
#include "app/App.h"

namespace xs::win {

enum class EditorKind { Mouse = 0, Keys = 1, Delay = 2 };

inline constexpr wchar_t kMouseEditorClass[] = L"XsMouseEditor";
inline constexpr wchar_t kKeyEditorClass[] = L"XsKeyEditor";
inline constexpr wchar_t kDelayEditorClass[] = L"XsDelayEditor";

// How often the mouse editor shows the pointer position: fast enough to follow the hand, without
// waking the thread a thousand times a second.
inline constexpr UINT kPointerTickMs = 30;

class EditorWindows {
 public:
  EditorWindows(App& app, Win32Views& views);
  ~EditorWindows();
  EditorWindows(const EditorWindows&) = delete;
  EditorWindows& operator=(const EditorWindows&) = delete;

  // Opens the editor in its initial state; an open one is restored if minimised and brought to
  // the front with its values unchanged.
  void Open(EditorKind kind);
  [[nodiscard]] HWND Window(EditorKind kind) const { return slots_[static_cast<size_t>(kind)].hwnd; }

 private:
  struct Slot {
    EditorWindows* owner = nullptr;
    EditorKind kind = EditorKind::Mouse;
    HWND hwnd = nullptr;
    UniqueFont font;
  };

  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT Handle(Slot& slot, UINT msg, WPARAM wp, LPARAM lp);
  void OnCommand(EditorKind kind, int id, int code);

  App& app_;
  Win32Views& views_;
  std::array<Slot, 3> slots_;
};

}  // namespace xs::win
