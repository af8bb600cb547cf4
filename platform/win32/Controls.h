#pragma once
// Typed wrappers over SendMessageW for the controls our windows use, so the compiler checks what
// goes into wParam and lParam. Texts cross here as UTF-16; callers convert with Widen/Narrow.
#include <windows.h>
#include <commctrl.h>

#include <iterator>
#include <string>
#include <string_view>

namespace xs::win {

// Window text, any control.
inline std::wstring GetText(HWND w) {
  if (!w) return {};
  const int n = GetWindowTextLengthW(w);
  if (n <= 0) return {};
  std::wstring s(static_cast<size_t>(n) + 1, L'\0');
  const int got = GetWindowTextW(w, s.data(), n + 1);
  s.resize(static_cast<size_t>(got > 0 ? got : 0));
  return s;
}
inline void SetText(HWND w, const std::wstring& s) {
  if (w) SetWindowTextW(w, s.c_str());
}

// Edit boxes.
inline int Edit_TextLength(HWND w) { return GetWindowTextLengthW(w); }
inline void Edit_Select(HWND w, int start, int end) {
  SendMessageW(w, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
}
inline void Edit_Replace(HWND w, const std::wstring& s) {
  SendMessageW(w, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(s.c_str()));  // no undo copy
}
inline void Edit_ScrollCaret(HWND w) { SendMessageW(w, EM_SCROLLCARET, 0, 0); }
inline void Edit_SetLimit(HWND w, int chars) { SendMessageW(w, EM_SETLIMITTEXT, static_cast<WPARAM>(chars), 0); }
inline void Edit_SetCaretToEnd(HWND w) {
  const int n = Edit_TextLength(w);
  Edit_Select(w, n, n);
  Edit_ScrollCaret(w);
}

// Combo boxes.
inline int Combo_Count(HWND w) { return static_cast<int>(SendMessageW(w, CB_GETCOUNT, 0, 0)); }
inline int Combo_Selection(HWND w) { return static_cast<int>(SendMessageW(w, CB_GETCURSEL, 0, 0)); }
inline void Combo_Select(HWND w, int index) { SendMessageW(w, CB_SETCURSEL, static_cast<WPARAM>(index), 0); }
inline void Combo_Clear(HWND w) { SendMessageW(w, CB_RESETCONTENT, 0, 0); }
inline void Combo_Add(HWND w, const std::wstring& s) {
  SendMessageW(w, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
}
inline int Combo_FindExact(HWND w, const std::wstring& s) {
  return static_cast<int>(SendMessageW(w, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(s.c_str())));
}
inline std::wstring Combo_ItemText(HWND w, int index) {
  if (index < 0 || index >= Combo_Count(w)) return {};
  const LRESULT n = SendMessageW(w, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (n <= 0) return {};
  std::wstring s(static_cast<size_t>(n) + 1, L'\0');
  const LRESULT got = SendMessageW(w, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(s.data()));
  s.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return s;
}

// Tab control.
inline int Tab_Current(HWND w) { return static_cast<int>(SendMessageW(w, TCM_GETCURSEL, 0, 0)); }
inline void Tab_Insert(HWND w, int index, const wchar_t* caption) {
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = const_cast<wchar_t*>(caption);
  SendMessageW(w, TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

// List view.
inline void List_SetExtendedStyle(HWND w, DWORD style) {
  SendMessageW(w, LVM_SETEXTENDEDLISTVIEWSTYLE, style, style);
}
inline void List_InsertColumn(HWND w, int index, const wchar_t* title, int width, int format) {
  LVCOLUMNW col{};
  col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
  col.fmt = format;
  col.cx = width;
  col.pszText = const_cast<wchar_t*>(title);
  col.iSubItem = index;
  SendMessageW(w, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&col));
}
inline void List_SetColumnWidth(HWND w, int index, int width) {
  SendMessageW(w, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(index), MAKELPARAM(width, 0));
}
inline void List_SetItemCount(HWND w, int count) {
  SendMessageW(w, LVM_SETITEMCOUNT, static_cast<WPARAM>(count), 0);
}
inline int List_ItemCount(HWND w) { return static_cast<int>(SendMessageW(w, LVM_GETITEMCOUNT, 0, 0)); }
inline int List_Selected(HWND w) {
  return static_cast<int>(SendMessageW(w, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), MAKELPARAM(LVNI_SELECTED, 0)));
}
inline void List_SetState(HWND w, int item, UINT state, UINT mask) {
  LVITEMW it{};
  it.stateMask = mask;
  it.state = state;
  SendMessageW(w, LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&it));
}
inline std::wstring List_ItemText(HWND w, int item, int column) {
  wchar_t buf[512] = {};
  LVITEMW it{};
  it.iSubItem = column;
  it.pszText = buf;
  it.cchTextMax = static_cast<int>(std::size(buf));
  const LRESULT n = SendMessageW(w, LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&it));
  return std::wstring(buf, n > 0 ? static_cast<size_t>(n) : 0);
}
inline int List_ColumnCount(HWND w) {
  const HWND header = reinterpret_cast<HWND>(SendMessageW(w, LVM_GETHEADER, 0, 0));
  return header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}
inline LVCOLUMNW List_Column(HWND w, int index, wchar_t* titleBuf, int titleLen) {
  LVCOLUMNW col{};
  col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
  col.pszText = titleBuf;
  col.cchTextMax = titleLen;
  SendMessageW(w, LVM_GETCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&col));
  return col;
}

// Any control.
inline void SetFont(HWND w, HFONT font) { SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE); }

}  // namespace xs::win
