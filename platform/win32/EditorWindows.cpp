// The editor windows: creation from their layout tables, the one-instance rule, and the routing
// of their buttons, combo picks, text changes and pointer timer to the core's editors.
#include "EditorWindows.h"

#include <commctrl.h>

#include "Controls.h"
#include "WindowClass.h"

namespace xs::win {
namespace {

constexpr UINT_PTR kPointerTimerId = 1;
constexpr DWORD kEditorStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

struct EditorInfo {
  const wchar_t* className;
  Surface surface;
  SIZE size;
  std::span<const ControlDef> (*layout)();
};

EditorInfo InfoOf(EditorKind kind) {
  switch (kind) {
    case EditorKind::Mouse: return {kMouseEditorClass, Surface::MouseEditor, kMouseEditorSize, MouseEditorLayout};
    case EditorKind::Keys: return {kKeyEditorClass, Surface::KeyEditor, kKeyEditorSize, KeyEditorLayout};
    case EditorKind::Delay: return {kDelayEditorClass, Surface::DelayEditor, kDelayEditorSize, DelayEditorLayout};
  }
  return {kDelayEditorClass, Surface::DelayEditor, kDelayEditorSize, DelayEditorLayout};
}

}  // namespace

EditorWindows::EditorWindows(App& app, Win32Views& views) : app_(app), views_(views) {
  for (size_t i = 0; i < slots_.size(); ++i) {
    slots_[i].owner = this;
    slots_[i].kind = static_cast<EditorKind>(i);
  }
}

EditorWindows::~EditorWindows() {
  for (auto& slot : slots_)
    if (slot.hwnd) DestroyWindow(slot.hwnd);
}

void EditorWindows::Open(EditorKind kind) {
  Slot& slot = slots_[static_cast<size_t>(kind)];
  if (slot.hwnd) {
    if (IsIconic(slot.hwnd)) ShowWindow(slot.hwnd, SW_RESTORE);
    SetForegroundWindow(slot.hwnd);
    return;
  }
  const EditorInfo info = InfoOf(kind);
  RegisterTopLevelClass(info.className, Proc);
  const HWND hwnd = CreateWindowExW(0, info.className, L"", kEditorStyle, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0,
                                    nullptr, nullptr, ThisModule(), &slot);
  if (!hwnd) return;
  const UINT dpi = GetDpiForWindow(hwnd);
  slot.font = MakeUiFont(dpi);
  CreateControls(hwnd, info.layout(), dpi, slot.font.get());
  SizeAndCentre(hwnd, info.size);
  views_.Attach(info.surface, hwnd);
  switch (kind) {
    case EditorKind::Mouse:
      SetTimer(hwnd, kPointerTimerId, kPointerTickMs, nullptr);
      app_.Mouse().OnOpened();
      break;
    case EditorKind::Keys:
      Edit_SetLimit(GetDlgItem(hwnd, kConvertIn), 1);
      app_.Keys().OnOpened();
      break;
    case EditorKind::Delay: app_.Delay().OnOpened(); break;
  }
  ShowWindow(hwnd, SW_SHOW);
  UpdateWindow(hwnd);
}

LRESULT CALLBACK EditorWindows::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* slot = static_cast<Slot*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    slot->hwnd = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(slot));
  }
  auto* slot = reinterpret_cast<Slot*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!slot) return DefWindowProcW(hwnd, msg, wp, lp);
  return slot->owner->Handle(*slot, msg, wp, lp);
}

LRESULT EditorWindows::Handle(Slot& slot, UINT msg, WPARAM wp, LPARAM lp) {
  const HWND hwnd = slot.hwnd;
  switch (msg) {
    case WM_COMMAND:
      OnCommand(slot.kind, LOWORD(wp), HIWORD(wp));
      return 0;
    case WM_TIMER:
      if (wp == kPointerTimerId && slot.kind == EditorKind::Mouse) app_.Mouse().OnPointerTick();
      return 0;
    case WM_DPICHANGED: {
      const UINT dpi = HIWORD(wp);
      const RECT* r = reinterpret_cast<const RECT*>(lp);
      SetWindowPos(hwnd, nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      UniqueFont font = MakeUiFont(dpi);
      PlaceControls(hwnd, InfoOf(slot.kind).layout(), dpi, font.get());
      slot.font = std::move(font);  // the old one only after no control uses it
      return 0;
    }
    case WM_CLOSE:
      DestroyWindow(hwnd);
      return 0;
    case WM_DESTROY:
      KillTimer(hwnd, kPointerTimerId);
      views_.Attach(InfoOf(slot.kind).surface, nullptr);
      return 0;
    case WM_NCDESTROY: {
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      slot.hwnd = nullptr;
      slot.font.reset();  // the children are gone by now
      return DefWindowProcW(hwnd, msg, wp, lp);
    }
    default: break;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

void EditorWindows::OnCommand(EditorKind kind, int id, int code) {
  switch (kind) {
    case EditorKind::Mouse:
      if (id == kMouseType && code == CBN_SELCHANGE) app_.Mouse().OnTypeChanged();
      if (id == kMouseAdd && code == BN_CLICKED) app_.Mouse().OnAdd();
      break;
    case EditorKind::Keys:
      if (id == kConvertIn && code == EN_CHANGE) app_.Keys().OnConverterChanged();
      if (id == kKeyAdd && code == BN_CLICKED) app_.Keys().OnAdd();
      break;
    case EditorKind::Delay:
      if (id == kDelayAdd && code == BN_CLICKED) app_.Delay().OnAdd();
      break;
  }
}

}  // namespace xs::win
