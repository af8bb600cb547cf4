// The real main window and editors with the real ports on a store in a temporary folder: controls
// where the layout puts them, the list's columns and rows, Views on real controls, page switching,
// the editors' one-instance rule, and Esc ending the program.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "Controls.h"
#include "Layout.h"
#include "MainWindow.h"
#include "MessagePump.h"
#include "Utf16.h"
#include "app/Texts.h"
#include "settings/Texts.h"

namespace xs::win {
namespace {

std::wstring ClassOf(HWND w) {
  wchar_t name[128] = {};
  GetClassNameW(w, name, static_cast<int>(std::size(name)));
  return name;
}

// A control's rectangle in its parent's client coordinates.
RECT RectInParent(HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

SIZE OuterSize(HWND w) {
  RECT r{};
  GetWindowRect(w, &r);
  return {r.right - r.left, r.bottom - r.top};
}

void DropQuit() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH] = {};
    ASSERT_NE(GetTempPathW(MAX_PATH, temp), 0u);
    static int counter = 0;
    folder_ = std::filesystem::path(temp) /
              (L"xs-ui-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter));
    std::filesystem::create_directories(folder_);
    program_ = std::make_unique<Program>(Narrow((folder_ / L"NBDA.rdb").wstring()));
    ASSERT_TRUE(program_->Start());
    program_->Show(SW_SHOWNOACTIVATE);
    main_ = program_->Main().Hwnd();
    dpi_ = GetDpiForWindow(main_);
  }
  void TearDown() override {
    program_.reset();
    DropQuit();
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }

  HWND Item(int id) const { return GetDlgItem(main_, id); }
  int S(int v) const { return Scale(v, dpi_); }
  Win32Views& V() { return program_->Views(); }
  App& Core() { return program_->Core(); }

  std::filesystem::path folder_;
  std::unique_ptr<Program> program_;
  HWND main_ = nullptr;
  UINT dpi_ = 96;
};

TEST_F(MainWindowTest, WindowIsFixedCentredAndCarriesItsTitle) {
  EXPECT_EQ(ClassOf(main_), L"XsMainWindow");
  EXPECT_EQ(Narrow(GetText(main_)), texts::kTitle);
  const SIZE size = OuterSize(main_);
  EXPECT_EQ(size.cx, S(805));
  EXPECT_EQ(size.cy, S(446));
  const LONG style = GetWindowLongW(main_, GWL_STYLE);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);

  MONITORINFO mi{};
  mi.cbSize = sizeof(mi);
  GetMonitorInfoW(MonitorFromWindow(main_, MONITOR_DEFAULTTOPRIMARY), &mi);
  RECT r{};
  GetWindowRect(main_, &r);
  EXPECT_LE(std::abs((r.left + r.right) - (mi.rcWork.left + mi.rcWork.right)), 1);
  EXPECT_LE(std::abs((r.top + r.bottom) - (mi.rcWork.top + mi.rcWork.bottom)), 1);
}

// Positions worked out by hand from the nesting (group box, tab control, group on a page), in the
// main window's client coordinates at 96 DPI. -1 for a height the control decides itself.
struct Expected {
  const char* name;
  int id;
  const wchar_t* caption;  // nullptr: not checked
  int x, y, w, h;
};

TEST_F(MainWindowTest, ControlsStandAtTheirScaledPlacesWithTheirCaptions) {
  const Expected cases[] = {
      {"add mouse", kAddMouse, L"添加鼠标操作", 8, 17, 80, 32},
      {"add delay", kAddDelay, L"添加延迟操作", 126, 17, 80, 32},
      {"add keys", kAddKeys, L"添加键盘操作", 237, 17, 80, 32},
      {"clear", kClearAll, L"清空操作", 353, 17, 80, 32},
      {"start", kStart, L"启动/F3", 476, 17, 80, 32},
      {"stop", kStop, L"取消/F4", 593, 17, 80, 32},
      {"about", kAbout, L"关于软件", 707, 16, 80, 32},
      {"tab", kTab, nullptr, 3, 67, 797, 241},
      {"list", kList, nullptr, 4, 91, 788, 212},
      {"reset group", kResetGroup, L"设置复位区域", 8, 96, 720, 72},
      {"process combo", kProcessCombo, nullptr, 76, 120, 140, -1},
      {"position X", kPositionX, L"", 268, 107, 80, 20},
      {"shown Y", kShownY, L"", 402, 136, 80, 24},
      {"refresh processes", kRefreshProcesses, L"刷新进程表", 487, 105, 73, 29},
      {"show position", kShowPosition, L"刷新进程坐标", 487, 136, 73, 29},
      {"clear position", kClearPosition, L"清空", 654, 135, 73, 29},
      {"interval group", kIntervalGroup, L"执行区域循环时间", 9, 169, 351, 136},
      {"loop interval", kLoopInterval, nullptr, 114, 189, 216, 20},
      {"save interval", kSaveInterval, L"修改", 130, 257, 104, 32},
      {"mode group", kModeGroup, L"执行区域执行次数", 368, 169, 360, 136},
      {"run mode", kRunMode, nullptr, 456, 193, 264, -1},
      {"run count", kRunCount, L"", 456, 225, 264, 20},
      {"count hint", kCountHint, L"1等于运行1次，2等于运行2次\r\n     如此类推", 456, 248, 233, 16},
      {"save run mode", kSaveRunMode, L"设置", 520, 267, 80, 32},
      {"log group", kLogGroup, L"系统提示：", -1, 312, 801, 104},
      {"status log", kStatusLog, nullptr, 5, 327, 787, 85},
      {"contact", kContact, nullptr, 16, 427, 120, 24},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const HWND w = Item(c.id);
    ASSERT_NE(w, nullptr);
    // Every control is a direct child, so its notifications reach the window procedure.
    EXPECT_EQ(GetParent(w), main_);
    const RECT r = RectInParent(w);
    EXPECT_EQ(r.left, S(c.x));
    EXPECT_EQ(r.top, S(c.y));
    EXPECT_EQ(r.right - r.left, S(c.w));
    if (c.h >= 0) {
      EXPECT_EQ(r.bottom - r.top, S(c.h));
    }
    if (c.caption) {
      EXPECT_EQ(GetText(w), c.caption);
    }
  }
  EXPECT_EQ(Narrow(GetText(Item(kContact))), texts::kContactLine);
  EXPECT_EQ(Combo_Count(Item(kRunMode)), 2);
  EXPECT_EQ(Narrow(Combo_ItemText(Item(kRunMode), 0)), texts::kModeInfinite);
  EXPECT_EQ(Narrow(Combo_ItemText(Item(kRunMode), 1)), texts::kModeCustom);
  EXPECT_EQ(Combo_Selection(Item(kRunMode)), 0);
  EXPECT_FALSE(IsWindowEnabled(Item(kRunCount)));
  EXPECT_EQ(Narrow(GetText(Item(kLoopInterval))), "20001");  // the new store's interval
}

TEST_F(MainWindowTest, ListHasNineColumnsAndShowsTheCoreRows) {
  const HWND list = Item(kList);
  const LONG style = GetWindowLongW(list, GWL_STYLE);
  EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
  EXPECT_TRUE(style & LVS_SINGLESEL);
  EXPECT_TRUE(style & LVS_OWNERDATA);
  EXPECT_FALSE(style & LVS_SHOWSELALWAYS);
  const DWORD ex = static_cast<DWORD>(SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
  EXPECT_TRUE(ex & LVS_EX_FULLROWSELECT);
  EXPECT_TRUE(ex & LVS_EX_GRIDLINES);

  const struct {
    const wchar_t* title;
    int width;
    int format;
  } columns[] = {
      {L"ID", 50, LVCFMT_LEFT},       {L"编号", 60, LVCFMT_CENTER},   {L"类型", 100, LVCFMT_CENTER},
      {L"坐标X", 100, LVCFMT_CENTER}, {L"坐标Y", 100, LVCFMT_CENTER}, {L"参数一", 100, LVCFMT_CENTER},
      {L"参数二", 100, LVCFMT_CENTER}, {L"参数三", 100, LVCFMT_CENTER}, {L"延迟", 70, LVCFMT_CENTER},
  };
  ASSERT_EQ(List_ColumnCount(list), 9);
  for (int i = 0; i < 9; ++i) {
    SCOPED_TRACE(i);
    wchar_t title[64] = {};
    const LVCOLUMNW col = List_Column(list, i, title, 64);
    EXPECT_STREQ(title, columns[i].title);
    EXPECT_EQ(col.cx, S(columns[i].width));
    EXPECT_EQ(col.fmt & LVCFMT_JUSTIFYMASK, columns[i].format);
  }

  // Rows come from the core through the editors, as the user adds them.
  program_->Editors().Open(EditorKind::Delay);
  V().SetText(Control::DelayValue, "4000");
  Core().Delay().OnAdd();
  Core().Delay().OnAdd();
  ASSERT_EQ(List_ItemCount(list), 2);
  const wchar_t* row1[] = {L"2", L"2", L"延迟", L"0", L"0", L"0", L"0", L"0", L"4000"};
  for (int c = 0; c < 9; ++c) EXPECT_EQ(List_ItemText(list, 1, c), row1[c]) << "column " << c;

  // A right press never reaches the list: no row gets selected, and with none selected no menu.
  const int rowY = S(24) + 4;  // inside the first row, under the header
  SendMessageW(list, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(S(30), rowY));
  SendMessageW(list, WM_RBUTTONUP, 0, MAKELPARAM(S(30), rowY));
  EXPECT_EQ(V().ListSelectedRow(), -1);

  // An appended row keeps the selection; a rebuild starts without one.
  List_SetState(list, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  EXPECT_EQ(V().ListSelectedRow(), 0);
  Core().Delay().OnAdd();
  EXPECT_EQ(V().ListSelectedRow(), 0);
  Core().List().Reload();
  EXPECT_EQ(List_ItemCount(list), 3);
  EXPECT_EQ(V().ListSelectedRow(), -1);
  Core().List().ClearAll();
  EXPECT_EQ(List_ItemCount(list), 0);
  EXPECT_EQ(List_ItemText(list, 0, 2), L"");
}

TEST_F(MainWindowTest, ViewsRoundTripOnRealControls) {
  const std::string wide = "延迟 \xF0\x9F\x98\x80 1000";  // CJK and a character beyond 16 bits
  V().SetText(Control::LoopInterval, wide);
  EXPECT_EQ(V().Text(Control::LoopInterval), wide);

  V().SetSelection(Control::RunMode, 1);
  EXPECT_EQ(V().Selection(Control::RunMode), 1);
  EXPECT_EQ(V().Text(Control::RunMode), texts::kModeCustom);
  V().SetEnabled(Control::RunCount, true);
  EXPECT_TRUE(IsWindowEnabled(Item(kRunCount)));

  V().SetItems(Control::ProcessCombo, {"a.exe", "星梭.exe"});
  EXPECT_EQ(V().Selection(Control::ProcessCombo), -1);
  EXPECT_EQ(V().Text(Control::ProcessCombo), "");
  V().SetSelection(Control::ProcessCombo, 1);
  EXPECT_EQ(V().Text(Control::ProcessCombo), "星梭.exe");
  EXPECT_EQ(V().ItemText(Control::ProcessCombo, 0), "a.exe");
  EXPECT_EQ(V().ItemText(Control::ProcessCombo, 2), "");

  V().SetTitle("星梭2.5.2 运行中");
  EXPECT_EQ(V().Title(), "星梭2.5.2 运行中");

  // The log: appended at the end, the program's own lines counted, the caret at the end.
  const HWND log = Item(kStatusLog);
  V().LogReplaceAll("一\r\n二\r\n");
  V().LogAppend("三\r\n");
  EXPECT_EQ(Narrow(GetText(log)), "一\r\n二\r\n三\r\n");
  EXPECT_EQ(V().LogLineCount(), 3);
  DWORD start = 0, end = 0;
  SendMessageW(log, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, static_cast<DWORD>(Edit_TextLength(log)));
  EXPECT_EQ(end, start);
  V().LogRemoveLeadingLines(2);
  EXPECT_EQ(Narrow(GetText(log)), "三\r\n");
  EXPECT_EQ(V().LogLineCount(), 1);
  // Far beyond an edit box's default limit of 32K characters.
  const std::string line(1000, 'x');
  for (int i = 0; i < 100; ++i) V().LogAppend(line + "\r\n");
  EXPECT_EQ(Edit_TextLength(log), 3 + 100 * 1002);
  // The user's typing moves the caret to the end too.
  Edit_Select(log, 0, 0);
  SendMessageW(log, WM_CHAR, L'z', 0);
  SendMessageW(log, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, static_cast<DWORD>(Edit_TextLength(log)));

  // Controls of a closed editor read as empty and take no writes.
  V().SetText(Control::MouseX, "5");
  EXPECT_EQ(V().Text(Control::MouseX), "");
  EXPECT_EQ(V().Selection(Control::MouseType), -1);
}

TEST_F(MainWindowTest, TabSwitchShowsOnePageAndTellsTheCore) {
  const HWND tab = Item(kTab);
  EXPECT_EQ(V().CurrentPage(), 0);
  EXPECT_TRUE(IsWindowVisible(Item(kList)));
  EXPECT_FALSE(IsWindowVisible(Item(kLoopInterval)));
  EXPECT_FALSE(IsWindowVisible(Item(kResetGroup)));

  const auto clickTab = [&](int index) {
    RECT r{};
    SendMessageW(tab, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendMessageW(tab, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(tab, WM_LBUTTONUP, 0, at);
  };
  // A stored "自定义" reaches the controls when page 1 is shown.
  ASSERT_TRUE(Core().GetStore().SetRunModeCustom("7"));
  clickTab(1);
  EXPECT_EQ(V().CurrentPage(), 1);
  EXPECT_FALSE(IsWindowVisible(Item(kList)));
  for (int id : {kResetGroup, kProcessCombo, kLoopInterval, kRunMode, kRunCount, kSaveRunMode})
    EXPECT_TRUE(IsWindowVisible(Item(id))) << id;
  EXPECT_EQ(V().Selection(Control::RunMode), 1);
  EXPECT_EQ(V().Text(Control::RunCount), "7");

  clickTab(0);
  EXPECT_EQ(V().CurrentPage(), 0);
  EXPECT_TRUE(IsWindowVisible(Item(kList)));
  EXPECT_FALSE(IsWindowVisible(Item(kRunMode)));
}

TEST_F(MainWindowTest, EveryPickOfTheRunModeIsReportedOnce) {
  const HWND combo = Item(kRunMode);
  const auto pick = [&](int index, std::initializer_list<int> codes) {
    Combo_Select(combo, index);
    for (int code : codes) SendMessageW(main_, WM_COMMAND, MAKEWPARAM(kRunMode, code), reinterpret_cast<LPARAM>(combo));
    PumpPending();
  };
  const auto reminders = [&] {
    const std::string text = Narrow(GetText(Item(kStatusLog)));
    int n = 0;
    for (size_t at = text.find(texts::kCustomReminder); at != std::string::npos;
         at = text.find(texts::kCustomReminder, at + 1))
      ++n;
    return n;
  };
  pick(1, {CBN_SELENDOK, CBN_SELCHANGE});  // another entry: both notifications
  EXPECT_EQ(reminders(), 1);
  EXPECT_TRUE(IsWindowEnabled(Item(kRunCount)));
  pick(1, {CBN_SELENDOK});  // the selected entry again
  EXPECT_EQ(reminders(), 2);
  pick(1, {CBN_SELCHANGE, CBN_SELENDOK});  // either order
  EXPECT_EQ(reminders(), 3);
  pick(0, {CBN_SELCHANGE});  // arrow key on the closed box
  EXPECT_EQ(reminders(), 3);
  EXPECT_FALSE(IsWindowEnabled(Item(kRunCount)));
}

TEST_F(MainWindowTest, EditorsOpenOnceAtTheirSizesAndKeepTheirValues) {
  const struct {
    EditorKind kind;
    const wchar_t* cls;
    SIZE size;
  } editors[] = {
      {EditorKind::Mouse, L"XsMouseEditor", {339, 224}},
      {EditorKind::Keys, L"XsKeyEditor", {280, 295}},
      {EditorKind::Delay, L"XsDelayEditor", {226, 141}},
  };
  for (const auto& e : editors) {
    SCOPED_TRACE(Narrow(e.cls));
    program_->Editors().Open(e.kind);
    const HWND w = program_->Editors().Window(e.kind);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(ClassOf(w), e.cls);
    EXPECT_EQ(GetText(w), L"");
    const UINT dpi = GetDpiForWindow(w);
    EXPECT_EQ(OuterSize(w).cx, Scale(e.size.cx, dpi));
    EXPECT_EQ(OuterSize(w).cy, Scale(e.size.cy, dpi));
    EXPECT_FALSE(GetWindowLongW(w, GWL_STYLE) & WS_MAXIMIZEBOX);
  }

  // The mouse editor opens in click mode; a re-open of the minimised window restores it as left.
  const HWND mouse = program_->Editors().Window(EditorKind::Mouse);
  EXPECT_EQ(V().Text(Control::MouseType), "鼠标点击");
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(mouse, kMouseX)));
  V().SetSelection(Control::MouseType, 1);
  SendMessageW(mouse, WM_COMMAND, MAKEWPARAM(kMouseType, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(GetDlgItem(mouse, kMouseType)));
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(mouse, kMouseX)));
  // Integer-text mode: typed digits and '-' only.
  for (wchar_t c : std::wstring(L"1a-2 x")) SendMessageW(GetDlgItem(mouse, kMouseX), WM_CHAR, c, 0);
  EXPECT_EQ(V().Text(Control::MouseX), "1-2");
  ShowWindow(mouse, SW_MINIMIZE);
  program_->Editors().Open(EditorKind::Mouse);
  EXPECT_EQ(program_->Editors().Window(EditorKind::Mouse), mouse);
  EXPECT_FALSE(IsIconic(mouse));
  EXPECT_EQ(V().Selection(Control::MouseType), 1);
  EXPECT_EQ(V().Text(Control::MouseX), "1-2");

  // The key editor's converter takes one character and shows its code.
  const HWND keys = program_->Editors().Window(EditorKind::Keys);
  EXPECT_EQ(SendMessageW(GetDlgItem(keys, kConvertIn), EM_GETLIMITTEXT, 0, 0), 1);
  V().SetText(Control::KeyConvertIn, "a");
  EXPECT_EQ(V().Text(Control::KeyConvertOut), "65");

  // Closing destroys the window; its controls then read as empty.
  SendMessageW(mouse, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(mouse));
  EXPECT_EQ(program_->Editors().Window(EditorKind::Mouse), nullptr);
  EXPECT_EQ(V().Selection(Control::MouseType), -1);
  program_->Editors().Open(EditorKind::Mouse);
  EXPECT_EQ(V().Selection(Control::MouseType), 0);
  EXPECT_EQ(V().Text(Control::MouseX), "");
}

TEST_F(MainWindowTest, EscapeInTheLogClosesTheWindowAndEndsTheLoopWithZero) {
  const HWND log = Item(kStatusLog);
  SetFocus(log);
  PostMessageW(log, WM_KEYDOWN, VK_ESCAPE, 1);
  MSG msg{};
  bool quit = false;
  for (int i = 0; i < 10000 && !quit; ++i) {
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
      continue;
    }
    if (msg.message == WM_QUIT) quit = true;
    else DispatchOne(msg);
  }
  ASSERT_TRUE(quit);
  EXPECT_EQ(msg.wParam, 0u);
  EXPECT_FALSE(IsWindow(main_));
  EXPECT_EQ(program_->Main().Hwnd(), nullptr);
  EXPECT_FALSE(Core().GetStore().IsConnected());
  EXPECT_EQ(V().Title(), "");
}

}  // namespace
}  // namespace xs::win
