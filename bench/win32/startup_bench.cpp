// Start-up to ready, from outside: the time from CreateProcess to the main window shown with the
// list loaded and the log saying "系统提示：软件初始化成功...", for a missing store, an empty one
// and stores of 10,000 and 100,000 operations, against an empty Win32 program started the same
// way. Also the peak working set of each. The runs are interleaved (one of each kind per round),
// so a machine that slows down meanwhile slows them all. Prints figures; never fails on time.
//   startup_bench.exe xingsuo.exe empty_window.exe [rounds, default 10]
// The store files are made here with the program's own store code, then copied into the program's
// store path before each start; the store the user had there is put back at the end.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "Driving.h"
#include "Layout.h"
#include "MainWindow.h"

namespace {

using namespace xs::bench;

constexpr wchar_t kReadyLine[] = L"系统提示：软件初始化成功...\r\n";

struct Kind {
  const char* name;
  std::wstring exe;
  const wchar_t* windowClass;
  std::wstring store;  // copied into place before each start; "" for no store file
  int rows;            // -1: the empty program
  std::vector<double> readyMs, closeMs, ratio, madeMs, shownMs;
  std::vector<double> peakMiB;
  int failures = 0;
};

// One start: ready time in ms (negative on failure); peak working set and close time beside it.
double StartOnce(Kind& k, const StoreSwap& store, double& peakMiB, double& closeMs, double& madeMs,
                 double& shownMs) {
  if (k.rows >= 0 && !store.Use(k.store)) {
    std::fprintf(stderr, "%s: cannot put the store file in place\n", k.name);
    return -1;
  }
  Child child;
  const double t0 = NowMs();
  if (!child.Start(k.exe)) {
    std::fprintf(stderr, "%s: CreateProcess failed (%lu)\n", k.name, GetLastError());
    return -1;
  }
  const double started = NowMs() - t0;  // CreateProcess itself
  const HWND w = child.WaitShown(k.windowClass, 60000, &madeMs, &shownMs);
  const double ready = NowMs() - t0;
  madeMs += started;
  shownMs += started;
  if (!w) {
    std::fprintf(stderr, "%s: no window within 60 s\n", k.name);
    return -1;
  }
  if (k.rows >= 0) {
    // Shown comes after start-up in the program, so these hold already; checked, not waited for.
    const std::wstring log = ReadText(GetDlgItem(w, xs::win::kStatusLog));
    DWORD_PTR items = 0;
    SendMessageTimeoutW(GetDlgItem(w, xs::win::kList), LVM_GETITEMCOUNT, 0, 0, SMTO_NORMAL, 5000, &items);
    if (log.find(kReadyLine) == std::wstring::npos || static_cast<int>(items) != k.rows) {
      std::fprintf(stderr, "%s: shown but not ready (list %d rows, log \"%ls\")\n", k.name, static_cast<int>(items),
                   log.c_str());
      child.Close(w);
      return -1;
    }
  }
  peakMiB = static_cast<double>(child.PeakWorkingSet()) / (1024.0 * 1024.0);
  const double c0 = NowMs();
  if (!child.Close(w)) std::fprintf(stderr, "%s: did not close on WM_CLOSE, killed\n", k.name);
  closeMs = NowMs() - c0;
  return ready;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: startup_bench.exe xingsuo.exe empty_window.exe [rounds]\n");
    return 2;
  }
  const int rounds = argc > 3 ? std::max(1, _wtoi(argv[3])) : 10;
  const BenchFolder folder(L"startup");
  const std::wstring empty = folder.Path(L"empty.rdb"), rows10k = folder.Path(L"rows10k.rdb"),
                     rows100k = folder.Path(L"rows100k.rdb");
  if (!MakeStore(empty, 0) || !MakeStore(rows10k, 10000) || !MakeStore(rows100k, 100000)) {
    std::fprintf(stderr, "startup_bench: cannot make the store files in %ls\n", folder.Path(L"").c_str());
    return 1;
  }
  std::vector<Kind> kinds = {
      {"empty Win32 program", argv[2], L"XsBenchEmptyWindow", L"", -1},
      {"xingsuo, no store file", argv[1], xs::win::kMainWindowClass, L"", 0},
      {"xingsuo, empty store", argv[1], xs::win::kMainWindowClass, empty, 0},
      {"xingsuo, 10,000 rows", argv[1], xs::win::kMainWindowClass, rows10k, 10000},
      {"xingsuo, 100,000 rows", argv[1], xs::win::kMainWindowClass, rows100k, 100000},
  };

  const StoreSwap store;
  // One unmeasured start of each: the first start of an executable maps it from disk.
  for (Kind& k : kinds) {
    double peak = 0, close = 0, made = 0, shown = 0;
    if (StartOnce(k, store, peak, close, made, shown) < 0) ++k.failures;
  }
  for (int r = 0; r < rounds; ++r) {
    double baseline = 0;
    for (Kind& k : kinds) {
      double peak = 0, close = 0, made = 0, shown = 0;
      const double ms = StartOnce(k, store, peak, close, made, shown);
      if (ms < 0) {
        ++k.failures;
        continue;
      }
      if (k.rows < 0) baseline = ms;
      k.readyMs.push_back(ms);
      k.closeMs.push_back(close);
      k.madeMs.push_back(made);
      k.shownMs.push_back(shown);
      k.peakMiB.push_back(peak);
      if (baseline > 0) k.ratio.push_back(ms / baseline);
    }
  }

  std::printf("Start-up to ready under wine: CreateProcess to the main window shown with the list loaded\n");
  std::printf("(%d interleaved rounds after one warm-up each; ratio: to the empty program of the same round)\n", rounds);
  std::printf("(window made / shown: when the window was first seen to exist / be visible; medians)\n\n");
  std::printf("| program                  | ready ms median | min - max       | ratio median | made ms | shown ms | close ms | peak WS MiB | failed |\n");
  std::printf("|--------------------------|-----------------|-----------------|--------------|---------|----------|----------|-------------|--------|\n");
  for (const Kind& k : kinds) {
    std::printf("| %-24s | %15.0f | %6.0f - %6.0f | %12.2f | %7.0f | %8.0f | %8.0f | %11.1f | %6d |\n", k.name,
                Median(k.readyMs), Min(k.readyMs), Max(k.readyMs), Median(k.ratio), Median(k.madeMs),
                Median(k.shownMs), Median(k.closeMs), Median(k.peakMiB), k.failures);
  }
  for (const Kind& k : kinds) {
    std::printf("FIGURE|startup|start to ready, %s (median)|%.0f|ms|\n", k.name, Median(k.readyMs));
    if (k.rows >= 0) std::printf("FIGURE|startup|start to ready / empty program, %s|%.2f|x|\n", k.name, Median(k.ratio));
    std::printf("FIGURE|memory|peak working set, %s|%.1f|MiB|\n", k.name, Median(k.peakMiB));
  }
  int failures = 0;
  for (const Kind& k : kinds) failures += k.failures;
  return failures == 0 ? 0 : 1;
}
