// Views over Win32 controls: every core read or write of a control is one message to it, with
// the text converted between UTF-8 and UTF-16 right at the call.
#include "Win32Views.h"

#include <commctrl.h>

#include <algorithm>

#include "Controls.h"
#include "Layout.h"
#include "Utf16.h"

namespace xs::win {
namespace {

struct Where {
  Surface surface;
  int id;
  bool combo;
};

Where WhereIs(Control c) {
  switch (c) {
    case Control::ProcessCombo: return {Surface::Main, kProcessCombo, true};
    case Control::PositionX: return {Surface::Main, kPositionX, false};
    case Control::PositionY: return {Surface::Main, kPositionY, false};
    case Control::ShownX: return {Surface::Main, kShownX, false};
    case Control::ShownY: return {Surface::Main, kShownY, false};
    case Control::LoopInterval: return {Surface::Main, kLoopInterval, false};
    case Control::RunMode: return {Surface::Main, kRunMode, true};
    case Control::RunCount: return {Surface::Main, kRunCount, false};
    case Control::MouseType: return {Surface::MouseEditor, kMouseType, true};
    case Control::MouseButton: return {Surface::MouseEditor, kMouseButton, true};
    case Control::MouseAction: return {Surface::MouseEditor, kMouseAction, true};
    case Control::MouseX: return {Surface::MouseEditor, kMouseX, false};
    case Control::MouseY: return {Surface::MouseEditor, kMouseY, false};
    case Control::MouseLiveX: return {Surface::MouseEditor, kMouseLiveX, false};
    case Control::MouseLiveY: return {Surface::MouseEditor, kMouseLiveY, false};
    case Control::Key1: return {Surface::KeyEditor, kKey1, false};
    case Control::Key2: return {Surface::KeyEditor, kKey2, false};
    case Control::Key3: return {Surface::KeyEditor, kKey3, false};
    case Control::KeyConvertIn: return {Surface::KeyEditor, kConvertIn, false};
    case Control::KeyConvertOut: return {Surface::KeyEditor, kConvertOut, false};
    case Control::DelayValue: return {Surface::DelayEditor, kDelayValue, false};
  }
  return {Surface::Main, 0, false};
}

bool IsEditableCombo(HWND w) { return (GetWindowLongW(w, GWL_STYLE) & 0x3) == CBS_DROPDOWN; }

}  // namespace

void Win32Views::Attach(Surface s, HWND window) { windows_[static_cast<size_t>(s)] = window; }

HWND Win32Views::MainItem(int id) const {
  const HWND main = Window(Surface::Main);
  return main ? GetDlgItem(main, id) : nullptr;
}

HWND Win32Views::Find(Control c) const {
  const Where w = WhereIs(c);
  const HWND window = Window(w.surface);
  return window ? GetDlgItem(window, w.id) : nullptr;
}

std::string Win32Views::Text(Control c) {
  const HWND w = Find(c);
  if (!w) return {};
  // A combo box's text is its selected entry; what the user typed into an editable one is not.
  if (WhereIs(c).combo) return Narrow(Combo_ItemText(w, Combo_Selection(w)));
  return Narrow(GetText(w));
}

void Win32Views::SetText(Control c, std::string_view text) {
  const HWND w = Find(c);
  if (!w) return;
  if (WhereIs(c).combo && !IsEditableCombo(w)) {
    Combo_Select(w, Combo_FindExact(w, Widen(text)));
    return;
  }
  SetWindowTextW(w, Widen(text).c_str());
}

void Win32Views::SetEnabled(Control c, bool enabled) {
  if (const HWND w = Find(c)) EnableWindow(w, enabled ? TRUE : FALSE);
}

int Win32Views::Selection(Control c) {
  const HWND w = Find(c);
  return w && WhereIs(c).combo ? Combo_Selection(w) : -1;
}

void Win32Views::SetSelection(Control c, int index) {
  const HWND w = Find(c);
  if (w && WhereIs(c).combo) Combo_Select(w, index);
}

void Win32Views::SetItems(Control c, const std::vector<std::string>& items) {
  const HWND w = Find(c);
  if (!w || !WhereIs(c).combo) return;
  SendMessageW(w, WM_SETREDRAW, FALSE, 0);
  Combo_Clear(w);
  for (const auto& item : items) Combo_Add(w, Widen(item));
  SendMessageW(w, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(w, nullptr, TRUE);
}

std::string Win32Views::ItemText(Control c, int index) {
  const HWND w = Find(c);
  return w && WhereIs(c).combo ? Narrow(Combo_ItemText(w, index)) : std::string();
}

std::string Win32Views::Title() { return Narrow(GetText(Window(Surface::Main))); }

void Win32Views::SetTitle(std::string_view title) {
  if (const HWND main = Window(Surface::Main)) SetWindowTextW(main, Widen(title).c_str());
}

int Win32Views::CurrentPage() {
  const HWND tab = MainItem(kTab);
  return tab ? Tab_Current(tab) : 0;
}

void Win32Views::ListRowsChanged(int rowCount) {
  const HWND list = MainItem(kList);
  if (!list) return;
  // The core appends rows one at a time and otherwise rebuilds or empties the list: a rebuilt
  // list starts without a selection, as a list whose rows were all removed would, so "删除" can
  // never act on a row that merely moved into the selected place.
  if (rowCount <= List_ItemCount(list)) List_SetState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  List_SetItemCount(list, rowCount);
  InvalidateRect(list, nullptr, TRUE);
}

int Win32Views::ListSelectedRow() {
  const HWND list = MainItem(kList);
  return list ? List_Selected(list) : -1;
}

void Win32Views::LogReplaceAll(std::string_view text) {
  const HWND log = MainItem(kStatusLog);
  if (!log) return;
  SetWindowTextW(log, Widen(text).c_str());
  logLines_ = static_cast<int>(std::count(text.begin(), text.end(), '\n'));
  // A multi-line edit raises no EN_CHANGE for WM_SETTEXT, so the caret rule runs here too.
  Edit_SetCaretToEnd(log);
}

void Win32Views::LogAppend(std::string_view text) {
  const HWND log = MainItem(kStatusLog);
  if (!log) return;
  // Inserting at the end costs the same however long the log is; reading and rewriting the
  // whole text would not.
  const int end = Edit_TextLength(log);
  Edit_Select(log, end, end);
  Edit_Replace(log, Widen(text));
  logLines_ += static_cast<int>(std::count(text.begin(), text.end(), '\n'));
  Edit_SetCaretToEnd(log);
}

void Win32Views::LogRemoveLeadingLines(int count) {
  const HWND log = MainItem(kStatusLog);
  if (!log || count <= 0) return;
  const std::wstring text = GetText(log);
  size_t offset = 0;
  int removed = 0;
  while (removed < count) {
    const size_t nl = text.find(L'\n', offset);
    if (nl == std::wstring::npos) {
      offset = text.size();
      break;
    }
    offset = nl + 1;
    ++removed;
  }
  Edit_Select(log, 0, static_cast<int>(offset));
  Edit_Replace(log, L"");
  logLines_ = std::max(0, logLines_ - removed);
  Edit_SetCaretToEnd(log);
}

void Win32Views::ShowMessage(std::string_view text, MessageIcon icon) {
  const UINT iconFlag = icon == MessageIcon::Error ? MB_ICONERROR : 0;
  MessageBoxW(nullptr, Widen(text).c_str(), L"信息：", MB_OK | MB_TASKMODAL | iconFlag);
}

}  // namespace xs::win
