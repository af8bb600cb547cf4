// The main window: its creation from the layout table, and the routing of buttons, the tab
// control, the list, the StatusLog, hot keys and the repetition timer to the core.
#include "MainWindow.h"

#include <commctrl.h>

#include "Controls.h"
#include "WindowClass.h"
#include "MessagePump.h"
#include "Utf16.h"
#include "app/Texts.h"

namespace xs::win {
namespace {

constexpr DWORD kMainStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
// Posted once per user pick of 组合框2 (see OnCommand).
constexpr UINT kRunModePicked = WM_APP + 1;

class PopupMenu {
 public:
  PopupMenu() : menu_(CreatePopupMenu()) {}
  ~PopupMenu() {
    if (menu_) DestroyMenu(menu_);
  }
  PopupMenu(const PopupMenu&) = delete;
  PopupMenu& operator=(const PopupMenu&) = delete;
  [[nodiscard]] HMENU get() const { return menu_; }

 private:
  HMENU menu_;
};

}  // namespace

MainWindow::MainWindow(App& app, Win32Views& views, EditorWindows& editors)
    : app_(app), views_(views), editors_(editors) {}

MainWindow::~MainWindow() { Destroy(); }

bool MainWindow::Create() {
  if (hwnd_) return true;
  if (!RegisterTopLevelClass(kMainWindowClass, Proc)) return false;
  const std::wstring title = Widen(texts::kTitle);
  // Made at size 0 first: its DPI is known only once it exists.
  const HWND hwnd = CreateWindowExW(WS_EX_APPWINDOW, kMainWindowClass, title.c_str(), kMainStyle, CW_USEDEFAULT,
                                    CW_USEDEFAULT, 0, 0, nullptr, nullptr, ThisModule(), this);
  if (!hwnd) return false;
  const UINT dpi = GetDpiForWindow(hwnd);
  font_ = MakeUiFont(dpi);
  CreateControls(hwnd, MainLayout(), dpi, font_.get());
  SetText(Item(kContact), Widen(texts::kContactLine));
  SetWindowSubclass(Item(kList), ListProc, 1, reinterpret_cast<DWORD_PTR>(this));
  SizeAndCentre(hwnd, kMainSize);
  views_.Attach(Surface::Main, hwnd);
  return true;
}

bool MainWindow::Start() {
  if (!hwnd_) return false;
  started_ = app_.OnMainWindowCreated();
  return started_;
}

void MainWindow::Show(int cmdShow) {
  if (!hwnd_) return;
  ShowWindow(hwnd_, cmdShow);
  UpdateWindow(hwnd_);
}

void MainWindow::Destroy() {
  if (hwnd_) DestroyWindow(hwnd_);
}

LRESULT CALLBACK MainWindow::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  return self->Handle(msg, wp, lp);
}

LRESULT MainWindow::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      OnCommand(LOWORD(wp), HIWORD(wp));
      return 0;
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<const NMHDR*>(lp), lp);
    case kRunModePicked:
      runModePickPending_ = false;
      app_.Settings().OnRunModeSelected();
      return 0;
    case WM_HOTKEY:
      app_.Runs().OnHotKey(static_cast<int>(wp));
      return 0;
    case WM_TIMER:
      if (wp == kRepeatTimerId) app_.Runs().OnTimerTick();
      return 0;
    case WM_CTLCOLOREDIT:
      if (reinterpret_cast<HWND>(lp) == Item(kStatusLog)) {
        const HDC dc = reinterpret_cast<HDC>(wp);
        SetTextColor(dc, RGB(255, 0, 0));
        SetBkColor(dc, RGB(255, 255, 255));
        return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
      }
      break;
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wp), *reinterpret_cast<const RECT*>(lp));
      return 0;
    case WM_CLOSE:
      DestroyWindow(hwnd_);
      return 0;
    case WM_DESTROY:
      if (started_) {
        app_.OnMainWindowDestroying();
        PostQuitMessage(0);
      }
      views_.Attach(Surface::Main, nullptr);
      return 0;
    case WM_NCDESTROY: {
      const HWND hwnd = hwnd_;
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      hwnd_ = nullptr;
      started_ = false;
      font_.reset();  // the children are gone by now
      return DefWindowProcW(hwnd, msg, wp, lp);
    }
    default: break;
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

void MainWindow::OnCommand(int id, int code) {
  if (id == kStatusLog) {
    // Every change, the user's typing included, leaves the caret at the end, in view.
    if (code == EN_CHANGE) Edit_SetCaretToEnd(Item(kStatusLog));
    return;
  }
  if (id == kRunMode) {
    // A pick of the entry already selected raises only CBN_SELENDOK, a pick of another entry
    // raises CBN_SELCHANGE as well (in an order the system does not fix), and arrow keys on the
    // closed box raise CBN_SELCHANGE alone. Both mark the pick; one posted message then reports it
    // once, after the box has finished its own work.
    if ((code == CBN_SELCHANGE || code == CBN_SELENDOK) && !runModePickPending_) {
      runModePickPending_ = PostMessageW(hwnd_, kRunModePicked, 0, 0) != 0;
    }
    return;
  }
  if (code != BN_CLICKED) return;  // also 0 for menu items
  switch (id) {
    case kAddMouse: editors_.Open(EditorKind::Mouse); break;
    case kAddDelay: editors_.Open(EditorKind::Delay); break;
    case kAddKeys: editors_.Open(EditorKind::Keys); break;
    case kClearAll: app_.List().ClearAll(); break;
    case kStart: app_.Runs().Start(); break;
    case kStop: app_.Runs().Stop(); break;
    case kAbout: app_.ShowAbout(); break;
    case kRefreshProcesses: app_.Locator().RefreshProcessList(); break;
    case kLoadPosition: app_.Positions().LoadPosition(); break;
    case kSavePosition: app_.Positions().SavePosition(); break;
    case kClearPosition: app_.Positions().ClearPosition(); break;
    case kResetWindow: app_.Positions().ResetWindow(); break;
    case kShowPosition: app_.Locator().ShowWindowPosition(); break;
    case kSaveInterval: app_.Settings().SaveLoopInterval(); break;
    case kSaveRunMode: app_.Settings().SaveRunMode(); break;
    default: break;
  }
}

LRESULT MainWindow::OnNotify(const NMHDR& hdr, LPARAM lp) {
  if (hdr.idFrom == kTab && hdr.code == TCN_SELCHANGE) {
    ShowPage(hwnd_, MainLayout(), Tab_Current(Item(kTab)));
    app_.Settings().OnTabPageChanged();
    return 0;
  }
  if (hdr.idFrom == kList && hdr.code == LVN_GETDISPINFOW) {
    auto& item = reinterpret_cast<NMLVDISPINFOW*>(lp)->item;
    if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
      cellText_ = Widen(app_.List().CellText(item.iItem, item.iSubItem));
      lstrcpynW(item.pszText, cellText_.c_str(), item.cchTextMax);
    }
    return 0;
  }
  return 0;
}

// The right button never reaches the list: a right click neither selects nor deselects a row,
// and the menu acts on the row selected before.
LRESULT CALLBACK MainWindow::ListProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR self) {
  switch (msg) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      reinterpret_cast<MainWindow*>(self)->OnListRightButton();
      return 0;
    case WM_RBUTTONUP: return 0;
    case WM_NCDESTROY: RemoveWindowSubclass(hwnd, ListProc, id); break;
    default: break;
  }
  return DefSubclassProc(hwnd, msg, wp, lp);
}

void MainWindow::OnListRightButton() {
  if (!app_.List().OnRightButton()) return;
  POINT at{};
  GetCursorPos(&at);
  const int offset = Scale(3, GetDpiForWindow(hwnd_));
  PopupMenu menu;  // "删除项目"
  if (!menu.get()) return;
  AppendMenuW(menu.get(), MF_STRING, kMenuDelete, L"删除");
  // TPM_RETURNCMD: the choice is handled here, after the menu has closed.
  const int chosen = TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON,
                                    at.x + offset, at.y + offset, 0, hwnd_, nullptr);
  if (chosen == kMenuDelete) app_.List().DeleteSelected();
}

void MainWindow::OnDpiChanged(UINT dpi, const RECT& suggested) {
  SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  UniqueFont font = MakeUiFont(dpi);
  PlaceControls(hwnd_, MainLayout(), dpi, font.get());
  font_ = std::move(font);  // the old one only after no control uses it
}

Program::Program(std::string storePath)
    : app_(Ports{views_, hotKeys_, loop_, input_, windows_, clock_}, std::move(storePath)),
      editors_(app_, views_),
      main_(app_, views_, editors_) {}

bool Program::Start() {
  if (!main_.Create()) return false;
  loop_.SetMainWindow(main_.Hwnd());
  hotKeys_.SetMainWindow(main_.Hwnd());
  if (!main_.Start()) {
    main_.Destroy();
    return false;
  }
  return true;
}

void Program::RunMessageLoop() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchOne(msg);
}

}  // namespace xs::win
