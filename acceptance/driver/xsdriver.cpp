// xsdriver: reads and works the windows of another program from outside, the way the acceptance
// scenarios need it. Every subcommand prints UTF-8 to stdout and exits 0 on success, 1 when the
// window or control is missing or a wait ran out, 2 on bad usage. Every wait is bounded.
//
// A window is named by a selector (only visible top-level windows count, except for hwnd:):
//   ids:N,M,...     a window that has child controls with all these ids (our windows have no
//                   class names or titles to tell them apart; acceptance/lib.sh knows their ids)
//   msgbox          a message box captioned "信息："
//   menu            a popup menu (class #32768)
//   target          the XsTarget window
//   title:T  prefix:T  class:C  hwnd:N  pid:N      anything else is an exact title
// A control is named by its numeric id (the ids of platform/win32/Layout.h).
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr UINT kSendTimeoutMs = 3000;

// ---- output ----------------------------------------------------------------------------------

std::string Narrow(std::wstring_view w) {
  if (w.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
  std::string s(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
  return s;
}

// Straight to the handle: the C runtime's text mode would turn "\n" into "\r\n".
void Out(std::string_view s) {
  const HANDLE h = GetStdHandle(STD_OUTPUT_HANDLE);
  DWORD done = 0;
  while (!s.empty()) {
    if (!WriteFile(h, s.data(), static_cast<DWORD>(s.size()), &done, nullptr) || done == 0) return;
    s.remove_prefix(done);
  }
}
void OutLine(std::wstring_view w) { Out(Narrow(w) + "\n"); }
void OutLine(const std::string& s) { Out(s + "\n"); }

int Fail(const std::string& why) {
  const HANDLE h = GetStdHandle(STD_ERROR_HANDLE);
  const std::string line = "xsdriver: " + why + "\n";
  DWORD done = 0;
  WriteFile(h, line.data(), static_cast<DWORD>(line.size()), &done, nullptr);
  return 1;
}

long long ToNumber(const std::wstring& s) {
  if (s.starts_with(L"0x") || s.starts_with(L"0X")) return static_cast<long long>(wcstoull(s.c_str() + 2, nullptr, 16));
  return wcstoll(s.c_str(), nullptr, 10);
}
std::string Dec(long long v) { return std::to_string(v); }

// ---- windows -------------------------------------------------------------------------------

std::wstring ClassOf(HWND w) {
  wchar_t buf[256] = {};
  GetClassNameW(w, buf, 256);
  return buf;
}

bool Send(HWND w, UINT msg, WPARAM wp, LPARAM lp, LRESULT* result = nullptr) {
  DWORD_PTR r = 0;
  const LRESULT ok = SendMessageTimeoutW(w, msg, wp, lp, SMTO_ABORTIFHUNG | SMTO_BLOCK, kSendTimeoutMs, &r);
  if (result) *result = static_cast<LRESULT>(r);
  return ok != 0;
}

std::wstring TextOf(HWND w) {
  LRESULT n = 0;
  if (!Send(w, WM_GETTEXTLENGTH, 0, 0, &n) || n <= 0) return {};
  std::wstring s(static_cast<size_t>(n) + 1, L'\0');
  LRESULT got = 0;
  if (!Send(w, WM_GETTEXT, static_cast<WPARAM>(n + 1), reinterpret_cast<LPARAM>(s.data()), &got)) return {};
  s.resize(static_cast<size_t>(got > 0 ? got : 0));
  return s;
}

DWORD PidOf(HWND w) {
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  return pid;
}

bool HasChildren(HWND w, const std::wstring& ids) {
  const wchar_t* p = ids.c_str();
  while (*p) {
    wchar_t* end = nullptr;
    const long id = wcstol(p, &end, 10);
    if (end == p || !GetDlgItem(w, static_cast<int>(id))) return false;
    p = *end == L',' ? end + 1 : end;
  }
  return !ids.empty();
}

struct Selector {
  std::wstring kind;
  std::wstring value;
};

Selector Parse(const std::wstring& s) {
  for (const wchar_t* k : {L"title", L"prefix", L"class", L"hwnd", L"pid", L"ids"}) {
    const std::wstring p = std::wstring(k) + L":";
    if (s.starts_with(p)) return {k, s.substr(p.size())};
  }
  return {L"alias", s};
}

bool Matches(HWND w, const Selector& sel) {
  if (sel.kind == L"hwnd") return true;  // checked by the caller
  if (!IsWindowVisible(w)) return false;
  if (sel.kind == L"title") return TextOf(w) == sel.value;
  if (sel.kind == L"prefix") return TextOf(w).starts_with(sel.value);
  if (sel.kind == L"class") return ClassOf(w) == sel.value;
  if (sel.kind == L"pid") return PidOf(w) == static_cast<DWORD>(ToNumber(sel.value));
  if (sel.kind == L"ids") return HasChildren(w, sel.value);
  const std::wstring& a = sel.value;
  if (a == L"msgbox") return ClassOf(w) == L"#32770" && TextOf(w) == L"信息：";
  if (a == L"menu") return ClassOf(w) == L"#32768";
  if (a == L"target") return TextOf(w) == L"XsTarget";
  return TextOf(w) == a;
}

// Every matching window, topmost first.
std::vector<HWND> FindAll(const std::wstring& pattern) {
  const Selector sel = Parse(pattern);
  if (sel.kind == L"hwnd") {
    const HWND w = reinterpret_cast<HWND>(static_cast<INT_PTR>(ToNumber(sel.value)));
    return IsWindow(w) ? std::vector<HWND>{w} : std::vector<HWND>{};
  }
  struct Ctx {
    const Selector* sel;
    std::vector<HWND> found;
  } ctx{&sel, {}};
  EnumWindows(
      [](HWND w, LPARAM lp) -> BOOL {
        auto* c = reinterpret_cast<Ctx*>(lp);
        if (Matches(w, *c->sel)) c->found.push_back(w);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&ctx));
  return ctx.found;
}

HWND FindTop(const std::wstring& pattern) {
  const std::vector<HWND> all = FindAll(pattern);
  return all.empty() ? nullptr : all.front();
}

// Polls for the window; 0 ms looks once.
HWND WaitTop(const std::wstring& pattern, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    if (const HWND w = FindTop(pattern)) return w;
    if (GetTickCount64() >= end) return nullptr;
    Sleep(25);
  }
}

// The default wait for a window named by a command that acts on it: it may be just opening.
constexpr DWORD kFindMs = 3000;

HWND Control(HWND top, const std::wstring& id) { return GetDlgItem(top, static_cast<int>(ToNumber(id))); }

// ---- memory in the other process (list views and tab controls hand back structs) --------------

class RemoteBuffer {
 public:
  RemoteBuffer(HWND w, size_t size) : size_(size) {
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION,
                           FALSE, PidOf(w));
    if (process_) mem_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  }
  ~RemoteBuffer() {
    if (mem_) VirtualFreeEx(process_, mem_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
  }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;

  bool ok() const { return mem_ != nullptr; }
  char* at(size_t offset) const { return static_cast<char*>(mem_) + offset; }
  bool Write(size_t offset, const void* data, size_t n) const {
    SIZE_T done = 0;
    return offset + n <= size_ && WriteProcessMemory(process_, at(offset), data, n, &done) && done == n;
  }
  bool Read(size_t offset, void* data, size_t n) const {
    SIZE_T done = 0;
    return offset + n <= size_ && ReadProcessMemory(process_, at(offset), data, n, &done) && done == n;
  }

 private:
  HANDLE process_ = nullptr;
  void* mem_ = nullptr;
  size_t size_;
};

constexpr int kCellChars = 1024;

bool ListCell(HWND list, const RemoteBuffer& buf, int row, int column, std::wstring* out) {
  LVITEMW item{};
  item.iSubItem = column;
  item.cchTextMax = kCellChars;
  item.pszText = reinterpret_cast<LPWSTR>(buf.at(sizeof(LVITEMW)));
  if (!buf.Write(0, &item, sizeof item)) return false;
  LRESULT n = 0;
  if (!Send(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(buf.at(0)), &n)) return false;
  std::wstring text(kCellChars, L'\0');
  if (!buf.Read(sizeof(LVITEMW), text.data(), kCellChars * sizeof(wchar_t))) return false;
  text.resize(wcsnlen(text.c_str(), kCellChars));
  *out = text;
  return true;
}

int ListColumns(HWND list) {
  LRESULT header = 0, n = 0;
  if (!Send(list, LVM_GETHEADER, 0, 0, &header) || !header) return 0;
  if (!Send(reinterpret_cast<HWND>(header), HDM_GETITEMCOUNT, 0, 0, &n)) return 0;
  return static_cast<int>(n);
}

int ListCount(HWND list) {
  LRESULT n = -1;
  return Send(list, LVM_GETITEMCOUNT, 0, 0, &n) ? static_cast<int>(n) : -1;
}

// A rectangle the other process fills at buf[0], moved to screen coordinates of `w`.
bool RemoteRect(HWND w, UINT msg, WPARAM wp, LONG firstField, RECT* out) {
  RemoteBuffer buf(w, sizeof(RECT));
  if (!buf.ok()) return false;
  RECT r{firstField, 0, 0, 0};
  LRESULT ok = 0;
  if (!buf.Write(0, &r, sizeof r) || !Send(w, msg, wp, reinterpret_cast<LPARAM>(buf.at(0)), &ok) || !ok) return false;
  if (!buf.Read(0, &r, sizeof r)) return false;
  MapWindowPoints(w, nullptr, reinterpret_cast<POINT*>(&r), 2);
  *out = r;
  return true;
}

std::string RectText(const RECT& r) {
  return Dec(r.left) + " " + Dec(r.top) + " " + Dec(r.right) + " " + Dec(r.bottom);
}
std::string CentreText(const RECT& r) { return Dec((r.left + r.right) / 2) + " " + Dec((r.top + r.bottom) / 2); }

// ---- message boxes ---------------------------------------------------------------------------

struct BoxParts {
  std::wstring text;
  bool icon = false;
};

BoxParts ReadBox(HWND box) {
  struct Ctx {
    BoxParts parts;
  } ctx;
  EnumChildWindows(
      box,
      [](HWND c, LPARAM lp) -> BOOL {
        auto* x = reinterpret_cast<Ctx*>(lp);
        if (_wcsicmp(ClassOf(c).c_str(), L"Static") != 0) return TRUE;
        const LONG style = GetWindowLongW(c, GWL_STYLE);
        if ((style & SS_TYPEMASK) == SS_ICON) {
          LRESULT icon = 0;
          if (IsWindowVisible(c) && Send(c, STM_GETICON, 0, 0, &icon) && icon) x->parts.icon = true;
          return TRUE;
        }
        const std::wstring t = TextOf(c);
        if (!t.empty()) x->parts.text += (x->parts.text.empty() ? L"" : L"\n") + t;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&ctx));
  return ctx.parts;
}

bool WaitGone(HWND w, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  while (IsWindow(w) && IsWindowVisible(w)) {
    if (GetTickCount64() >= end) return false;
    Sleep(20);
  }
  return true;
}

// ---- subcommands -----------------------------------------------------------------------------

using Args = std::vector<std::wstring>;

int Usage() {
  Out("usage: xsdriver <command> [args]\n"
      "  windows                               every top-level window: hwnd pid visible class rect title\n"
      "  wait-window <win> <ms>                hwnd once visible\n"
      "  wait-gone <win> <ms>\n"
      "  exists <win>                          1 or 0\n"
      "  count <win>                           how many such windows show\n"
      "  title <win> | rect <win> | pid <win> | xid <win> | close <win> | focus <win>\n"
      "  wait-title <win> <text> <ms>\n"
      "  text <win> <id> | set-text <win> <id> <text> | wait-text <win> <id> <part> <ms>\n"
      "  click <win> <id>                      posted BN_CLICKED\n"
      "  enabled <win> <id> | visible <win> <id> | ctl-rect <win> <id> | ctl-centre <win> <id>\n"
      "  items <win> <id> | cursel <win> <id> | select <win> <id> <index>\n"
      "  list-rows <win> <id> | list-count <win> <id> | list-selected <win> <id>\n"
      "  wait-rows <win> <id> <n> <ms> | select-row <win> <id> <row> | row-centre <win> <id> <row>\n"
      "  tab-centre <win> <id> <index> | tab-current <win> <id>\n"
      "  msgbox-text <ms> | msgbox-icon <ms> | msgbox-ok <ms>\n"
      "  msgbox-read <ms>                      'icon' or 'none', then the text\n"
      "  foreground | wait-foreground <win> <ms>\n"
      "  cursor\n");
  return 2;
}

bool Need(const Args& a, size_t n) { return a.size() >= n; }

// Resolves <win> (waiting briefly for it to appear) and optionally <id>.
bool Resolve(const Args& a, size_t winAt, HWND* top, HWND* ctl = nullptr, size_t idAt = 0) {
  *top = WaitTop(a[winAt], kFindMs);
  if (!*top) {
    Fail("no window " + Narrow(a[winAt]));
    return false;
  }
  if (ctl) {
    *ctl = Control(*top, a[idAt]);
    if (!*ctl) {
      Fail("no control " + Narrow(a[idAt]) + " in " + Narrow(a[winAt]));
      return false;
    }
  }
  return true;
}

int CmdWindows() {
  EnumWindows(
      [](HWND w, LPARAM) -> BOOL {
        RECT r{};
        GetWindowRect(w, &r);
        OutLine(Dec(reinterpret_cast<INT_PTR>(w)) + "\t" + Dec(PidOf(w)) + "\t" + (IsWindowVisible(w) ? "1" : "0") + "\t" +
                Narrow(ClassOf(w)) + "\t" + RectText(r) + "\t" + Narrow(TextOf(w)));
        return TRUE;
      },
      0);
  return 0;
}

int CmdListRows(HWND list) {
  const int rows = ListCount(list);
  if (rows < 0) return Fail("list does not answer");
  int cols = ListColumns(list);
  if (cols <= 0) cols = 1;
  RemoteBuffer buf(list, sizeof(LVITEMW) + kCellChars * sizeof(wchar_t));
  if (!buf.ok()) return Fail("no memory in the list's process");
  std::string out;
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < cols; ++c) {
      std::wstring cell;
      if (!ListCell(list, buf, r, c, &cell)) return Fail("cell " + Dec(r) + "," + Dec(c) + " unreadable");
      if (c) out += '\t';
      out += Narrow(cell);
    }
    out += '\n';
  }
  Out(out);
  return 0;
}

int CmdSelectRow(HWND list, int row) {
  RemoteBuffer buf(list, sizeof(LVITEMW));
  if (!buf.ok()) return Fail("no memory in the list's process");
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  LRESULT ok = 0;
  if (!buf.Write(0, &item, sizeof item) ||
      !Send(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(buf.at(0)), &ok) || !ok)
    return Fail("row not selected");
  return 0;
}

int Run(const Args& a) {
  if (a.empty()) return Usage();
  const std::wstring& cmd = a[0];
  HWND top = nullptr, ctl = nullptr;

  if (cmd == L"windows") return CmdWindows();
  if (cmd == L"foreground") {
    OutLine(Dec(reinterpret_cast<INT_PTR>(GetForegroundWindow())));
    return 0;
  }
  if (cmd == L"wait-foreground" && Need(a, 3)) {
    // Waits until the named window is the active one (a focus given through X arrives late).
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(ToNumber(a[2]));
    for (;;) {
      const HWND w = FindTop(a[1]);
      if (w && GetForegroundWindow() == w) return 0;
      if (GetTickCount64() >= end) return Fail("window " + Narrow(a[1]) + " is not in the foreground");
      Sleep(20);
    }
  }
  if (cmd == L"cursor") {
    POINT p{};
    GetCursorPos(&p);
    OutLine(Dec(p.x) + " " + Dec(p.y));
    return 0;
  }
  if (cmd == L"wait-window" && Need(a, 3)) {
    top = WaitTop(a[1], static_cast<DWORD>(ToNumber(a[2])));
    if (!top) return Fail("window " + Narrow(a[1]) + " did not appear");
    OutLine(Dec(reinterpret_cast<INT_PTR>(top)));
    return 0;
  }
  if (cmd == L"wait-gone" && Need(a, 3)) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(ToNumber(a[2]));
    while (FindTop(a[1])) {
      if (GetTickCount64() >= end) return Fail("window " + Narrow(a[1]) + " is still there");
      Sleep(25);
    }
    return 0;
  }
  if (cmd == L"exists" && Need(a, 2)) {
    OutLine(FindTop(a[1]) ? "1" : "0");
    return 0;
  }
  if (cmd == L"count" && Need(a, 2)) {
    OutLine(Dec(static_cast<long long>(FindAll(a[1]).size())));
    return 0;
  }
  if (cmd == L"msgbox-text" || cmd == L"msgbox-icon" || cmd == L"msgbox-read" || cmd == L"msgbox-ok") {
    const DWORD ms = Need(a, 2) ? static_cast<DWORD>(ToNumber(a[1])) : kFindMs;
    const HWND box = WaitTop(L"msgbox", ms);
    if (!box) return Fail("no message box");
    if (cmd == L"msgbox-text") {
      OutLine(ReadBox(box).text);
    } else if (cmd == L"msgbox-icon") {
      OutLine(ReadBox(box).icon ? "icon" : "none");
    } else if (cmd == L"msgbox-read") {
      const BoxParts parts = ReadBox(box);
      OutLine(std::string(parts.icon ? "icon" : "none"));
      OutLine(parts.text);
    } else {
      PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
      if (!WaitGone(box, 3000)) return Fail("message box did not close");
    }
    return 0;
  }
  // Commands on a window.
  if (!Need(a, 2)) return Usage();
  if (cmd == L"title") {
    if (!Resolve(a, 1, &top)) return 1;
    OutLine(TextOf(top));
    return 0;
  }
  if (cmd == L"wait-title" && Need(a, 4)) {
    if (!Resolve(a, 1, &top)) return 1;
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(ToNumber(a[3]));
    for (;;) {
      const std::wstring t = TextOf(top);
      if (t == a[2]) return 0;
      if (GetTickCount64() >= end || !IsWindow(top)) return Fail("title is " + Narrow(t));
      Sleep(20);
    }
  }
  if (cmd == L"rect") {
    if (!Resolve(a, 1, &top)) return 1;
    RECT r{};
    GetWindowRect(top, &r);
    OutLine(RectText(r));
    return 0;
  }
  if (cmd == L"pid") {
    if (!Resolve(a, 1, &top)) return 1;
    OutLine(Dec(PidOf(top)));
    return 0;
  }
  if (cmd == L"xid") {
    if (!Resolve(a, 1, &top)) return 1;
    const HANDLE x = GetPropW(top, L"__wine_x11_whole_window");
    if (!x) return Fail("no X window known for it");
    OutLine(Dec(reinterpret_cast<INT_PTR>(x)));
    return 0;
  }
  if (cmd == L"close") {
    if (!Resolve(a, 1, &top)) return 1;
    PostMessageW(top, WM_CLOSE, 0, 0);
    return 0;
  }
  if (cmd == L"focus") {
    if (!Resolve(a, 1, &top)) return 1;
    return SetForegroundWindow(top) ? 0 : Fail("not brought to the foreground");
  }

  // Commands on a control.
  if (!Need(a, 3)) return Usage();
  if (!Resolve(a, 1, &top, &ctl, 2)) return 1;
  if (cmd == L"text") {
    OutLine(TextOf(ctl));
    return 0;
  }
  if (cmd == L"set-text" && Need(a, 4)) {
    LRESULT ok = 0;
    if (!Send(ctl, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(a[3].c_str()), &ok) || !ok) return Fail("text not set");
    return 0;
  }
  if (cmd == L"wait-text" && Need(a, 5)) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(ToNumber(a[4]));
    for (;;) {
      if (TextOf(ctl).find(a[3]) != std::wstring::npos) return 0;
      if (GetTickCount64() >= end || !IsWindow(ctl)) return Fail("text did not come: " + Narrow(a[3]));
      Sleep(25);
    }
  }
  if (cmd == L"click") {
    // Posted: a click that opens a modal box must not hold us until the box closes.
    PostMessageW(GetParent(ctl), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(ctl), BN_CLICKED), reinterpret_cast<LPARAM>(ctl));
    return 0;
  }
  if (cmd == L"enabled") {
    OutLine(IsWindowEnabled(ctl) ? "1" : "0");
    return 0;
  }
  if (cmd == L"visible") {
    OutLine(IsWindowVisible(ctl) ? "1" : "0");
    return 0;
  }
  if (cmd == L"ctl-rect" || cmd == L"ctl-centre") {
    RECT r{};
    GetWindowRect(ctl, &r);
    OutLine(cmd == L"ctl-rect" ? RectText(r) : CentreText(r));
    return 0;
  }
  if (cmd == L"items") {
    LRESULT n = 0;
    if (!Send(ctl, CB_GETCOUNT, 0, 0, &n)) return Fail("combo does not answer");
    std::string out;
    for (LRESULT i = 0; i < n; ++i) {
      LRESULT len = 0;
      Send(ctl, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0, &len);
      std::wstring s(static_cast<size_t>(len > 0 ? len : 0) + 1, L'\0');
      LRESULT got = 0;
      Send(ctl, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(s.data()), &got);
      s.resize(static_cast<size_t>(got > 0 ? got : 0));
      out += Narrow(s) + "\n";
    }
    Out(out);
    return 0;
  }
  if (cmd == L"cursel") {
    LRESULT n = 0;
    if (!Send(ctl, CB_GETCURSEL, 0, 0, &n)) return Fail("combo does not answer");
    OutLine(Dec(static_cast<int>(n)));
    return 0;
  }
  if (cmd == L"select" && Need(a, 4)) {
    const LRESULT want = static_cast<LRESULT>(ToNumber(a[3]));
    LRESULT r = CB_ERR, now = CB_ERR;
    if (!Send(ctl, CB_SETCURSEL, static_cast<WPARAM>(want), 0, &r)) return Fail("combo does not answer");
    if (r == CB_ERR || !Send(ctl, CB_GETCURSEL, 0, 0, &now) || now != want) return Fail("entry not selected");
    PostMessageW(GetParent(ctl), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(ctl), CBN_SELCHANGE), reinterpret_cast<LPARAM>(ctl));
    return 0;
  }
  if (cmd == L"list-rows") return CmdListRows(ctl);
  if (cmd == L"list-count") {
    const int n = ListCount(ctl);
    if (n < 0) return Fail("list does not answer");
    OutLine(Dec(n));
    return 0;
  }
  if (cmd == L"list-selected") {
    LRESULT n = -1;
    if (!Send(ctl, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), MAKELPARAM(LVNI_SELECTED, 0), &n)) return Fail("list does not answer");
    OutLine(Dec(static_cast<int>(n)));
    return 0;
  }
  if (cmd == L"wait-rows" && Need(a, 5)) {
    const int want = static_cast<int>(ToNumber(a[3]));
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(ToNumber(a[4]));
    for (;;) {
      const int n = ListCount(ctl);
      if (n == want) return 0;
      if (GetTickCount64() >= end) return Fail("list has " + Dec(n) + " rows");
      Sleep(25);
    }
  }
  if (cmd == L"select-row" && Need(a, 4)) return CmdSelectRow(ctl, static_cast<int>(ToNumber(a[3])));
  if (cmd == L"row-centre" && Need(a, 4)) {
    RECT r{};
    if (!RemoteRect(ctl, LVM_GETITEMRECT, static_cast<WPARAM>(ToNumber(a[3])), LVIR_BOUNDS, &r)) return Fail("no such row");
    OutLine(CentreText(r));
    return 0;
  }
  if (cmd == L"tab-centre" && Need(a, 4)) {
    RECT r{};
    if (!RemoteRect(ctl, TCM_GETITEMRECT, static_cast<WPARAM>(ToNumber(a[3])), 0, &r)) return Fail("no such tab");
    OutLine(CentreText(r));
    return 0;
  }
  if (cmd == L"tab-current") {
    LRESULT n = -1;
    if (!Send(ctl, TCM_GETCURSEL, 0, 0, &n)) return Fail("tab control does not answer");
    OutLine(Dec(static_cast<int>(n)));
    return 0;
  }
  return Usage();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  Args a;
  for (int i = 1; i < argc; ++i) a.emplace_back(argv[i]);
  return Run(a);
}
