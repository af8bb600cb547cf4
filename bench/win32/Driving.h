#pragma once
// What the start-up and stop benches share: start a program, find its main window from outside,
// read its controls across the process boundary, swap the store file, time with the performance
// counter. Everything here acts as another program would; xingsuo.exe has no hook for the benches.
#include <windows.h>
#include <psapi.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "StorePath.h"
#include "Utf16.h"
#include "store/Store.h"

namespace xs::bench {

inline double NowMs() {
  static const double perMs = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart) / 1e3;
  }();
  LARGE_INTEGER c;
  QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) / perMs;
}

inline double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  const size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}
inline double Max(const std::vector<double>& v) { return v.empty() ? 0 : *std::max_element(v.begin(), v.end()); }
inline double Min(const std::vector<double>& v) { return v.empty() ? 0 : *std::min_element(v.begin(), v.end()); }

// A started program; closed (WM_CLOSE, then killed after a grace time) when it goes.
class Child {
 public:
  Child() = default;
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;
  ~Child() {
    if (pi_.hProcess) {
      if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi_.hProcess, 1);
      CloseHandle(pi_.hProcess);
      CloseHandle(pi_.hThread);
    }
  }

  bool Start(const std::wstring& exe) {
    std::wstring cmd = L"\"" + exe + L"\"";
    const size_t slash = exe.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? std::wstring() : exe.substr(0, slash);
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_SHOWNORMAL;
    return CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.empty() ? nullptr : folder.c_str(), &si, &pi_) != 0;
  }
  [[nodiscard]] HANDLE Process() const { return pi_.hProcess; }
  [[nodiscard]] DWORD Pid() const { return pi_.dwProcessId; }
  bool Exited(DWORD waitMs = 0) const { return WaitForSingleObject(pi_.hProcess, waitMs) == WAIT_OBJECT_0; }

  // The top-level window of this process with the class name; nullptr while there is none.
  [[nodiscard]] HWND Window(const wchar_t* className) const {
    HWND w = nullptr;
    while ((w = FindWindowExW(nullptr, w, className, nullptr)) != nullptr) {
      DWORD pid = 0;
      GetWindowThreadProcessId(w, &pid);
      if (pid == pi_.dwProcessId) return w;
    }
    return nullptr;
  }

  // Waits until the window is shown and its thread has gone back to its message loop (it answers
  // a message), polling every millisecond. nullptr on time-out or exit. Made and shown, when given,
  // receive the times (from the call) at which the window was first seen to exist and be visible.
  HWND WaitShown(const wchar_t* className, double timeoutMs, double* made = nullptr, double* shown = nullptr) const {
    const double start = NowMs();
    double madeAt = -1, shownAt = -1;
    while (NowMs() - start < timeoutMs) {
      const HWND w = Window(className);
      if (w && madeAt < 0) madeAt = NowMs() - start;
      if (w && IsWindowVisible(w)) {
        if (shownAt < 0) shownAt = NowMs() - start;
        DWORD_PTR ignored = 0;
        if (SendMessageTimeoutW(w, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored)) {
          if (made) *made = madeAt;
          if (shown) *shown = shownAt;
          return w;
        }
      }
      if (Exited()) return nullptr;
      Sleep(1);
    }
    return nullptr;
  }

  // Closes as the user would (WM_CLOSE); false when it had to be killed.
  bool Close(HWND window, DWORD graceMs = 15000) {
    if (window) PostMessageW(window, WM_CLOSE, 0, 0);
    if (Exited(graceMs)) return true;
    TerminateProcess(pi_.hProcess, 1);
    Exited(5000);
    return false;
  }

  // Peak working set so far, in bytes; 0 when the system does not say.
  [[nodiscard]] SIZE_T PeakWorkingSet() const {
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof(pmc);
    return GetProcessMemoryInfo(pi_.hProcess, &pmc, sizeof(pmc)) ? pmc.PeakWorkingSetSize : 0;
  }

 private:
  PROCESS_INFORMATION pi_{};
};

// A control's text, read from another process (WM_GETTEXT is carried across).
inline std::wstring ReadText(HWND w) {
  DWORD_PTR len = 0;
  if (!w || !SendMessageTimeoutW(w, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 5000, &len)) return {};
  std::wstring s(static_cast<size_t>(len) + 1, L'\0');
  DWORD_PTR got = 0;
  if (!SendMessageTimeoutW(w, WM_GETTEXT, s.size(), reinterpret_cast<LPARAM>(s.data()), SMTO_NORMAL, 5000, &got))
    return {};
  s.resize(std::min<size_t>(static_cast<size_t>(got), s.size()));
  return s;
}

inline int TextLength(HWND w) {
  DWORD_PTR len = 0;
  if (!w || !SendMessageTimeoutW(w, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 5000, &len)) return -1;
  return static_cast<int>(len);
}

inline bool EndsWith(const std::wstring& s, const std::wstring& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// The store file the program opens (the per-user local application-data folder), as a path for
// the W functions.
inline std::wstring ProgramStorePath() { return xs::win::Widen(xs::win::StorePath()); }

// Keeps the user's own store aside for the bench's lifetime and puts it back afterwards.
class StoreSwap {
 public:
  StoreSwap() : path_(ProgramStorePath()), saved_(path_ + L".bench-saved") {
    had_ = MoveFileExW(path_.c_str(), saved_.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
  }
  ~StoreSwap() {
    DeleteFileW(path_.c_str());
    DeleteFileW((path_ + L"-journal").c_str());
    if (had_) MoveFileExW(saved_.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING);
  }
  StoreSwap(const StoreSwap&) = delete;
  StoreSwap& operator=(const StoreSwap&) = delete;

  // Puts a copy of `from` in place; an empty `from` leaves no store file at all.
  bool Use(const std::wstring& from) const {
    DeleteFileW((path_ + L"-journal").c_str());
    if (from.empty()) return DeleteFileW(path_.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND;
    return CopyFileW(from.c_str(), path_.c_str(), FALSE) != 0;
  }
  [[nodiscard]] const std::wstring& Path() const { return path_; }

 private:
  std::wstring path_;
  std::wstring saved_;
  bool had_ = false;
};

// A fresh folder under the temporary folder, removed with what it holds.
class BenchFolder {
 public:
  explicit BenchFolder(const std::wstring& name) {
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, temp);
    dir_ = std::filesystem::path(temp) / (L"xs-bench-" + name + L"-" + std::to_wstring(GetCurrentProcessId()));
    std::error_code ec;
    std::filesystem::create_directories(dir_, ec);
  }
  ~BenchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  BenchFolder(const BenchFolder&) = delete;
  BenchFolder& operator=(const BenchFolder&) = delete;
  [[nodiscard]] std::wstring Path(const std::wstring& name) const { return (dir_ / name).wstring(); }

 private:
  std::filesystem::path dir_;
};

// A new store file made by the program's own store code, with `rows` operations of the four kinds
// in turn (inserted in one transaction), then whatever `more` does with it.
inline bool MakeStore(const std::wstring& path, int rows, const std::function<bool(xs::Store&)>& more = nullptr) {
  DeleteFileW(path.c_str());
  const std::string utf8 = xs::win::Narrow(path);
  xs::Store store;
  if (xs::Store::CreateIfMissing(utf8) != xs::CreateResult::Created || !store.Connect(utf8)) return false;
  sqlite3* db = store.RawHandle();
  bool ok = sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK;
  sqlite3_stmt* s = nullptr;
  ok = ok && sqlite3_prepare_v2(db,
                                "INSERT INTO 数据存放 (类型, 坐标X, 坐标Y, 参数一, 参数二, 参数三, 延迟) "
                                "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)",
                                -1, &s, nullptr) == SQLITE_OK;
  for (int i = 0; ok && i < rows; ++i) {
    sqlite3_reset(s);
    sqlite3_clear_bindings(s);  // texts left unbound are Null, as the editors leave them
    for (const int c : {2, 3, 7}) sqlite3_bind_int(s, c, 0);  // number columns hold 0 when unused
    switch (i % 4) {
      case 0:
        sqlite3_bind_text(s, 1, "鼠标移动", -1, SQLITE_STATIC);
        sqlite3_bind_int(s, 2, 100 + i % 1820);
        sqlite3_bind_int(s, 3, 50 + i % 1000);
        break;
      case 1:
        sqlite3_bind_text(s, 1, "鼠标点击", -1, SQLITE_STATIC);
        sqlite3_bind_text(s, 4, "左键", -1, SQLITE_STATIC);
        sqlite3_bind_text(s, 5, "单击", -1, SQLITE_STATIC);
        break;
      case 2:
        sqlite3_bind_text(s, 1, "延迟", -1, SQLITE_STATIC);
        sqlite3_bind_int(s, 7, 500);
        break;
      default:
        sqlite3_bind_text(s, 1, "键盘操作", -1, SQLITE_STATIC);
        sqlite3_bind_text(s, 4, "17", -1, SQLITE_STATIC);
        sqlite3_bind_text(s, 5, "86", -1, SQLITE_STATIC);
        sqlite3_bind_text(s, 6, "", -1, SQLITE_STATIC);
        break;
    }
    ok = sqlite3_step(s) == SQLITE_DONE;
  }
  sqlite3_finalize(s);
  ok = sqlite3_exec(db, ok ? "COMMIT" : "ROLLBACK", nullptr, nullptr, nullptr) == SQLITE_OK && ok;
  if (ok && more) ok = more(store);
  return ok;
}

}  // namespace xs::bench
