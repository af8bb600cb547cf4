// Layout tables of our windows and their realisation as Win32 child controls. All controls are
// children of the top-level window itself (never of a group box or the tab control, which would
// swallow their WM_COMMAND/WM_NOTIFY), at the absolute offset of their chain of parent rows.
#include "Layout.h"

#include <commctrl.h>

#include <string>
#include <string_view>

#include "Controls.h"

namespace xs::win {
namespace {

// Label sizes of the main window are not part of its design; these fit the text and end before
// the control each label introduces.
constexpr ControlDef kMain[] = {
    {Kind::Group, kStrip, L"", 0, 0, 800, 56, 0},
    {Kind::Button, kAddMouse, L"添加鼠标操作", 8, 17, 80, 32, kStrip},
    {Kind::Button, kAddDelay, L"添加延迟操作", 126, 17, 80, 32, kStrip},
    {Kind::Button, kAddKeys, L"添加键盘操作", 237, 17, 80, 32, kStrip},
    {Kind::Button, kClearAll, L"清空操作", 353, 17, 80, 32, kStrip},
    {Kind::Button, kStart, L"启动/F3", 476, 17, 80, 32, kStrip},
    {Kind::Button, kStop, L"取消/F4", 593, 17, 80, 32, kStrip},
    {Kind::Button, kAbout, L"关于软件", 707, 16, 80, 32, kStrip},

    {Kind::Group, kTabGroup, L"", 0, 55, 800, 257, 0},
    {Kind::Tab, kTab, L"", 3, 12, 797, 241, kTabGroup},
    {Kind::Page, kPage0, L"执行区域", 0, 0, 0, 0, kTab},
    {Kind::List, kList, L"", 1, 24, 788, 212, kPage0},
    {Kind::Page, kPage1, L"综合设置区域", 0, 0, 0, 0, kTab},

    {Kind::Group, kResetGroup, L"设置复位区域", 5, 29, 720, 72, kPage1},
    {Kind::Label, kProcessLabel, L"进程名：", 8, 23, 58, 20, kResetGroup},
    {Kind::ComboEdit, kProcessCombo, L"", 68, 24, 140, 20, kResetGroup},
    {Kind::Label, kPositionXLabel, L"坐标X：", 215, 9, 44, 20, kResetGroup},
    {Kind::Edit, kPositionX, L"", 260, 11, 80, 20, kResetGroup},
    {Kind::Label, kPositionYLabel, L"坐标Y：", 346, 8, 44, 20, kResetGroup},
    {Kind::Edit, kPositionY, L"", 391, 10, 80, 20, kResetGroup},
    {Kind::Label, kShownXLabel, L"坐标X：", 215, 40, 45, 20, kResetGroup},
    {Kind::Label, kShownX, L"", 262, 40, 80, 24, kResetGroup},
    {Kind::Label, kShownYLabel, L"坐标Y：", 347, 40, 45, 20, kResetGroup},
    {Kind::Label, kShownY, L"", 394, 40, 80, 24, kResetGroup},
    {Kind::Button, kRefreshProcesses, L"刷新进程表", 479, 9, 73, 29, kResetGroup},
    {Kind::Button, kLoadPosition, L"读入", 561, 9, 73, 29, kResetGroup},
    {Kind::Button, kSavePosition, L"保存", 646, 8, 73, 29, kResetGroup},
    {Kind::Button, kShowPosition, L"刷新进程坐标", 479, 40, 73, 29, kResetGroup},
    {Kind::Button, kResetWindow, L"复位", 562, 40, 73, 29, kResetGroup},
    {Kind::Button, kClearPosition, L"清空", 646, 39, 73, 29, kResetGroup},

    {Kind::Group, kIntervalGroup, L"执行区域循环时间", 6, 102, 351, 136, kPage1},
    {Kind::Label, kIntervalLabel, L"运行时间：", 17, 17, 86, 20, kIntervalGroup},
    {Kind::Edit, kLoopInterval, L"", 105, 20, 216, 20, kIntervalGroup},
    {Kind::Label, kIntervalHint, L"1秒=1000，如此类推", 125, 48, 160, 20, kIntervalGroup},
    {Kind::Button, kSaveInterval, L"修改", 121, 88, 104, 32, kIntervalGroup},

    {Kind::Group, kModeGroup, L"执行区域执行次数", 365, 102, 360, 136, kPage1},
    {Kind::Label, kModeLabel, L"运行时间：", 9, 21, 78, 20, kModeGroup},
    {Kind::ComboList, kRunMode, L"无限循环\n自定义", 88, 24, 264, 20, kModeGroup},
    {Kind::Label, kCountLabel, L"运行次数：", 10, 53, 77, 20, kModeGroup},
    {Kind::Edit, kRunCount, L"", 88, 56, 264, 20, kModeGroup},
    {Kind::Label, kCountHint, L"1等于运行1次，2等于运行2次\r\n     如此类推", 88, 79, 233, 16, kModeGroup},
    {Kind::Button, kSaveRunMode, L"设置", 152, 98, 80, 32, kModeGroup},

    {Kind::Group, kLogGroup, L"系统提示：", -1, 312, 801, 104, 0},
    {Kind::LogEdit, kStatusLog, L"", 6, 15, 787, 85, kLogGroup},
    // Below the client area at the fixed size, as designed; it is never seen.
    {Kind::Label, kContact, L"", 16, 427, 120, 24, 0},
};

constexpr ControlDef kMouse[] = {
    {Kind::Label, kMouseTypeLabel, L"类  型：", 8, 8, 48, 24, 0},
    {Kind::ComboList, kMouseType, L"鼠标点击\n鼠标移动", 65, 8, 256, 20, 0},
    {Kind::Label, kMouseButtonLabel, L"参数一：", 8, 40, 48, 24, 0},
    {Kind::ComboList, kMouseButton, L"左键\n右键\n中键", 65, 40, 80, 20, 0},
    {Kind::Label, kMouseActionLabel, L"参数二：", 184, 40, 48, 24, 0},
    {Kind::ComboList, kMouseAction, L"单击\n双击\n按下\n放开", 240, 40, 80, 20, 0},
    {Kind::Label, kMouseXLabel, L"坐标 X：", 8, 72, 48, 24, 0},
    {Kind::NumberEdit, kMouseX, L"", 65, 73, 80, 20, 0},
    {Kind::Label, kMouseYLabel, L"坐标 Y：", 184, 72, 48, 24, 0},
    {Kind::NumberEdit, kMouseY, L"", 241, 73, 80, 20, 0},
    {Kind::Label, kMouseLiveXLabel, L"坐标 X：", 8, 104, 48, 24, 0},
    {Kind::Label, kMouseLiveX, L"", 64, 104, 80, 24, 0},
    {Kind::Label, kMouseLiveYLabel, L"坐标 Y：", 185, 102, 48, 24, 0},
    {Kind::Label, kMouseLiveY, L"", 241, 102, 80, 24, 0},
    {Kind::Button, kMouseAdd, L"添加", 102, 142, 112, 40, 0},
};

constexpr ControlDef kKeys[] = {
    {Kind::Label, kKey1Label, L"按键参数一：", 6, 3, 66, 24, 0},
    {Kind::NumberEdit, kKey1, L"", 80, 6, 40, 20, 0},
    {Kind::Label, kKey2Label, L"按键参数二：", 5, 30, 67, 24, 0},
    {Kind::NumberEdit, kKey2, L"", 80, 35, 40, 20, 0},
    {Kind::Label, kKey3Label, L"按键参数三：", 6, 57, 66, 24, 0},
    {Kind::NumberEdit, kKey3, L"", 80, 61, 40, 20, 0},
    {Kind::Label, kConvertLabel, L"代码转换", 175, 4, 56, 24, 0},
    {Kind::Edit, kConvertIn, L"", 160, 32, 80, 20, 0, ES_CENTER},
    {Kind::Label, kConvertOut, L"0", 173, 58, 56, 16, 0},
    {Kind::Label, kHintEnter, L"回车键 = 13", 9, 81, 80, 24, 0},
    {Kind::Label, kHintShift, L"SHIFT键 = 16", 97, 81, 80, 24, 0},
    {Kind::Label, kHintTab, L"TAB键 = 9", 186, 81, 80, 24, 0},
    {Kind::Label, kHintCtrl, L"CTRL = 17", 9, 104, 80, 24, 0},
    {Kind::Label, kHintDel, L"DEL键 = 46", 97, 104, 80, 24, 0},
    {Kind::Label, kHintAlt, L"ATL键 = 18", 186, 104, 80, 24, 0},
    {Kind::TextBlock, kKeyHelp,
     L"单个输入只需要填写参数一，例如：V 代码转换后是 86 参数一填写 86 参数二 参数三 则不需要填写，"
     L"组合键操作，例如：CTRL+V 则参数一填写 17 参数二 则填写 86 参数三则不需要填写 如此类推",
     6, 149, 258, 64, 0},
    {Kind::Button, kKeyAdd, L"添加", 73, 221, 112, 32, 0},
};

constexpr ControlDef kDelay[] = {
    {Kind::Label, kDelayLabel, L"延迟：", 8, 8, 40, 24, 0},
    {Kind::Edit, kDelayValue, L"", 48, 10, 168, 20, 0},
    {Kind::Label, kDelayHint, L"1秒=1000，如此类推", 64, 32, 112, 24, 0},
    {Kind::Button, kDelayAdd, L"添加", 72, 64, 80, 32, 0},
};

constexpr ListColumnDef kColumns[] = {
    {L"ID", 50, LVCFMT_LEFT},      {L"编号", 60, LVCFMT_CENTER},   {L"类型", 100, LVCFMT_CENTER},
    {L"坐标X", 100, LVCFMT_CENTER}, {L"坐标Y", 100, LVCFMT_CENTER}, {L"参数一", 100, LVCFMT_CENTER},
    {L"参数二", 100, LVCFMT_CENTER}, {L"参数三", 100, LVCFMT_CENTER}, {L"延迟", 70, LVCFMT_CENTER},
};

const ControlDef* Find(std::span<const ControlDef> table, int id) {
  for (const auto& row : table)
    if (row.id == id) return &row;
  return nullptr;
}

bool IsFrame(Kind k) { return k == Kind::Group || k == Kind::Tab; }

// The combo's window height includes its dropped list; the table gives the closed height.
constexpr int kComboListHeight = 160;

RECT ScaledRect(std::span<const ControlDef> table, const ControlDef& row, UINT dpi) {
  const RECT r = Place(table, row).rect;
  int h = r.bottom - r.top;
  if (row.kind == Kind::ComboEdit || row.kind == Kind::ComboList) h += kComboListHeight;
  const int x = Scale(r.left, dpi), y = Scale(r.top, dpi);
  return RECT{x, y, x + Scale(r.right - r.left, dpi), y + Scale(h, dpi)};
}

struct ClassAndStyle {
  const wchar_t* cls;
  DWORD style;
  DWORD exStyle;
};

ClassAndStyle ClassOf(Kind k) {
  switch (k) {
    case Kind::Group: return {L"BUTTON", BS_GROUPBOX, 0};
    case Kind::Tab: return {WC_TABCONTROLW, 0, 0};
    case Kind::Button: return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0};
    case Kind::Label: return {L"STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0};
    case Kind::TextBlock: return {L"STATIC", SS_LEFT | SS_NOPREFIX, 0};
    case Kind::Edit:
    case Kind::NumberEdit: return {L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case Kind::LogEdit:
      return {L"EDIT", ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case Kind::ComboEdit: return {WC_COMBOBOXW, CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, 0};
    case Kind::ComboList: return {WC_COMBOBOXW, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0};
    case Kind::List:
      return {WC_LISTVIEWW, LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case Kind::Page: break;
  }
  return {L"STATIC", 0, 0};
}

// Integer-text mode: typed characters other than digits and '-' are dropped; control characters
// (backspace, Ctrl+C/V/X/A) pass. Pasted text is not filtered.
LRESULT CALLBACK NumberEditProc(HWND w, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR) {
  if (msg == WM_CHAR) {
    const wchar_t c = static_cast<wchar_t>(wp);
    if (!(c < 0x20 || (c >= L'0' && c <= L'9') || c == L'-')) return 0;
  } else if (msg == WM_NCDESTROY) {
    RemoveWindowSubclass(w, NumberEditProc, id);
  }
  return DefSubclassProc(w, msg, wp, lp);
}

// A group box paints only its frame and caption and leaves its inside to the parent, which
// (WS_CLIPCHILDREN) never paints there: the group box fills its inside itself. It lies beneath
// the controls it holds (WS_CLIPSIBLINGS), so the fill never covers them.
LRESULT CALLBACK GroupProc(HWND w, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR) {
  if (msg == WM_ERASEBKGND) {
    RECT r;
    GetClientRect(w, &r);
    FillRect(reinterpret_cast<HDC>(wp), &r, GetSysColorBrush(COLOR_BTNFACE));
    return 1;
  }
  if (msg == WM_NCDESTROY) RemoveWindowSubclass(w, GroupProc, id);
  return DefSubclassProc(w, msg, wp, lp);
}

// The tab control in its classic look: its pages then have the same face colour as the labels,
// group boxes and the window, instead of a themed pane that the labels would show through as
// grey boxes. Reached at run time, so the program needs no import of the theme library.
void UseClassicLook(HWND w) {
  using SetThemeFn = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
  const HMODULE theme = LoadLibraryW(L"uxtheme.dll");
  if (!theme) return;
  if (auto set = reinterpret_cast<SetThemeFn>(reinterpret_cast<void*>(GetProcAddress(theme, "SetWindowTheme"))))
    set(w, L"", L"");
  // The module stays loaded: the control keeps using it while themed drawing is off.
}

void SetupControl(HWND c, const ControlDef& row, UINT dpi) {
  switch (row.kind) {
    case Kind::Group: SetWindowSubclass(c, GroupProc, 1, 0); break;
    case Kind::Tab: UseClassicLook(c); break;
    case Kind::ComboList:
    case Kind::ComboEdit: {
      std::wstring_view items = row.caption;
      while (!items.empty()) {
        const size_t nl = items.find(L'\n');
        Combo_Add(c, std::wstring(items.substr(0, nl)));
        if (nl == std::wstring_view::npos) break;
        items.remove_prefix(nl + 1);
      }
      if (row.kind == Kind::ComboList && Combo_Count(c) > 0) Combo_Select(c, 0);
      break;
    }
    case Kind::NumberEdit: SetWindowSubclass(c, NumberEditProc, 1, 0); break;
    case Kind::LogEdit: Edit_SetLimit(c, 0); break;  // 0: the largest a multi-line edit takes
    case Kind::List: {
      List_SetExtendedStyle(c, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER);
      int i = 0;
      for (const auto& col : kColumns) List_InsertColumn(c, i++, col.title, Scale(col.width, dpi), col.format);
      break;
    }
    default: break;
  }
}

void ForEachTab(HWND window, std::span<const ControlDef> table, auto&& f) {
  for (const auto& row : table)
    if (row.kind == Kind::Tab) f(GetDlgItem(window, row.id), row);
}

}  // namespace

std::span<const ControlDef> MainLayout() { return kMain; }
std::span<const ControlDef> MouseEditorLayout() { return kMouse; }
std::span<const ControlDef> KeyEditorLayout() { return kKeys; }
std::span<const ControlDef> DelayEditorLayout() { return kDelay; }
std::span<const ListColumnDef> OperationColumns() { return kColumns; }

Placement Place(std::span<const ControlDef> table, const ControlDef& row) {
  int x = row.x, y = row.y, page = -1;
  for (const ControlDef* p = Find(table, row.parent); p != nullptr; p = Find(table, p->parent)) {
    if (p->kind == Kind::Page && page < 0) {
      page = 0;
      for (const auto& r : table) {
        if (&r == p) break;
        if (r.kind == Kind::Page && r.parent == p->parent) ++page;
      }
    }
    x += p->x;
    y += p->y;
  }
  if (row.kind == Kind::Page) page = -1;
  return {RECT{x, y, x + row.w, y + row.h}, page};
}

UniqueFont MakeUiFont(UINT dpi) {
  NONCLIENTMETRICSW m{};
  m.cbSize = sizeof(m);
  if (!SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(m), &m, 0, dpi)) {
    // Older systems: the metrics at the system DPI, scaled to ours.
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(m), &m, 0)) {
      const HDC screen = GetDC(nullptr);
      const int systemDpi = GetDeviceCaps(screen, LOGPIXELSY);
      ReleaseDC(nullptr, screen);
      m.lfMessageFont.lfHeight = MulDiv(m.lfMessageFont.lfHeight, static_cast<int>(dpi), systemDpi);
    } else {
      GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(m.lfMessageFont), &m.lfMessageFont);
      m.lfMessageFont.lfHeight = MulDiv(m.lfMessageFont.lfHeight, static_cast<int>(dpi), 96);
    }
  }
  return UniqueFont(CreateFontIndirectW(&m.lfMessageFont));
}

void CreateControls(HWND window, std::span<const ControlDef> table, UINT dpi, HFONT font) {
  const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
  for (const auto& row : table) {
    if (row.kind == Kind::Page) continue;
    const auto [cls, style, exStyle] = ClassOf(row.kind);
    const Placement place = Place(table, row);
    const RECT r = ScaledRect(table, row, dpi);
    const bool hidden = place.page > 0;
    const bool isCombo = row.kind == Kind::ComboEdit || row.kind == Kind::ComboList;
    const wchar_t* text = isCombo ? L"" : row.caption;
    const HWND c = CreateWindowExW(exStyle, cls, text,
                                   WS_CHILD | WS_CLIPSIBLINGS | (hidden ? 0 : WS_VISIBLE) | style | row.extraStyle,
                                   r.left, r.top, r.right - r.left, r.bottom - r.top, window,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), instance, nullptr);
    if (c == nullptr) continue;
    SetFont(c, font);
    SetupControl(c, row, dpi);
  }
  ForEachTab(window, table, [&](HWND tab, const ControlDef& tabRow) {
    int index = 0;
    for (const auto& row : table)
      if (row.kind == Kind::Page && row.parent == tabRow.id) Tab_Insert(tab, index++, row.caption);
  });
  // Frames go beneath everything, outer frames lowest, so a frame repainting never covers the
  // controls inside it (children otherwise stack in creation order, frames first).
  for (auto it = table.rbegin(); it != table.rend(); ++it)
    if (IsFrame(it->kind))
      SetWindowPos(GetDlgItem(window, it->id), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void PlaceControls(HWND window, std::span<const ControlDef> table, UINT dpi, HFONT font) {
  for (const auto& row : table) {
    if (row.kind == Kind::Page) continue;
    const HWND c = GetDlgItem(window, row.id);
    if (c == nullptr) continue;
    const RECT r = ScaledRect(table, row, dpi);
    SetFont(c, font);
    SetWindowPos(c, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    if (row.kind == Kind::List) {
      int i = 0;
      for (const auto& col : kColumns) List_SetColumnWidth(c, i++, Scale(col.width, dpi));
    }
  }
  InvalidateRect(window, nullptr, TRUE);
}

void ShowPage(HWND window, std::span<const ControlDef> table, int page) {
  // Hide first, then show: the new page never shares the screen with the old one.
  for (int pass = 0; pass < 2; ++pass) {
    for (const auto& row : table) {
      if (row.kind == Kind::Page) continue;
      const int p = Place(table, row).page;
      if (p < 0) continue;
      const bool show = p == page;
      if (show == (pass == 1)) ShowWindow(GetDlgItem(window, row.id), show ? SW_SHOW : SW_HIDE);
    }
  }
}

void SizeAndCentre(HWND window, SIZE outerAt96) {
  const UINT dpi = GetDpiForWindow(window);
  const int w = Scale(outerAt96.cx, dpi), h = Scale(outerAt96.cy, dpi);
  MONITORINFO mi{};
  mi.cbSize = sizeof(mi);
  GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &mi);
  const RECT& a = mi.rcWork;
  const int x = a.left + ((a.right - a.left) - w) / 2;
  const int y = a.top + ((a.bottom - a.top) - h) / 2;
  SetWindowPos(window, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace xs::win
