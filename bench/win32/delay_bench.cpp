// How exactly the waits of a pass end, and what they cost while they last: Win32EventLoop's
// WaitUntil on each kind of timer, beside a plain Sleep and the old spin on GetTickCount.
// Prints two tables; nothing here passes or fails.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "MessagePump.h"
#include "Win32EventLoop.h"

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace {

using xs::win::Win32EventLoop;
using xs::win::WaitTimerKind;

double Frequency() {
  LARGE_INTEGER f;
  QueryPerformanceFrequency(&f);
  return static_cast<double>(f.QuadPart);
}

double NowPreciseMs() {
  static const double frequency = Frequency();
  LARGE_INTEGER c;
  QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) * 1000.0 / frequency;
}

// The spin the program used to pause with: pump, look at the tick count, pump, until it has
// passed the end.
void SpinOnTickCount(int ms) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(ms);
  for (;;) {
    xs::win::PumpPending();
    xs::win::PumpPending();
    if (static_cast<LONG>(GetTickCount() - end) > 0) return;
    xs::win::PumpPending();
    xs::win::PumpPending();
  }
}

struct Method {
  const char* name;
  std::function<void(int ms)> wait;
  // Whether the wait ends at NowMs()+ms: its runs start right after NowMs() ticks over, so that
  // deadline lies exactly ms after the start.
  bool alignToMs;
};

// Starts a run just after the millisecond of Win32EventLoop::NowMs() changes.
void AlignToMillisecond(Win32EventLoop& loop) {
  const int64_t now = loop.NowMs();
  while (loop.NowMs() == now) {
  }
}

struct Figures {
  double median = 0, worst = 0;
};

Figures Measure(const Method& m, int ms, int runs, Win32EventLoop& clock) {
  std::vector<double> errors;
  errors.reserve(static_cast<size_t>(runs));
  for (int i = 0; i < runs; ++i) {
    if (m.alignToMs) AlignToMillisecond(clock);
    const double start = NowPreciseMs();
    m.wait(ms);
    errors.push_back(std::fabs(NowPreciseMs() - start - ms));
  }
  std::sort(errors.begin(), errors.end());
  const size_t n = errors.size();
  Figures f;
  f.median = n % 2 ? errors[n / 2] : (errors[n / 2 - 1] + errors[n / 2]) / 2;
  f.worst = errors.back();
  return f;
}

double ProcessCpuMs() {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return -1;
  const auto ms = [](const FILETIME& t) {
    return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000.0;
  };
  return ms(kernel) + ms(user);
}

bool HighResolutionTimerAvailable() {
  const HANDLE t = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                          TIMER_ALL_ACCESS);
  if (t == nullptr) return false;
  CloseHandle(t);
  return true;
}

}  // namespace

int wmain() {
  Win32EventLoop highRes(WaitTimerKind::HighResolution);
  Win32EventLoop plain(WaitTimerKind::Plain);
  Win32EventLoop noTimer(WaitTimerKind::None);
  const auto never = [] { return false; };
  const auto waitOn = [&](Win32EventLoop& loop) {
    return [&loop, &never](int ms) { loop.WaitUntil(loop.NowMs() + ms, never); };
  };
  const Method methods[] = {
      {"WaitUntil hi-res", waitOn(highRes), true},
      {"WaitUntil plain", waitOn(plain), true},
      {"WaitUntil no timer", waitOn(noTimer), true},
      {"Sleep", [](int ms) { Sleep(static_cast<DWORD>(ms)); }, false},
      {"spin GetTickCount", SpinOnTickCount, false},
  };

  std::printf("high-resolution waitable timer: %s\n",
              HighResolutionTimerAvailable() ? "available" : "refused (plain timer used)");
  std::printf("\nabsolute error |elapsed - requested| in ms, median / worst\n");
  std::printf("%-9s %-5s", "requested", "runs");
  for (const Method& m : methods) std::printf(" | %-19s", m.name);
  std::printf("\n");

  struct Row {
    int ms, runs;
  };
  // Fewer runs of a second: fifty would add four minutes and say nothing new.
  const Row rows[] = {{1, 50}, {5, 50}, {20, 50}, {100, 50}, {1000, 10}};
  for (const Row& r : rows) {
    std::printf("%6d ms  %-5d", r.ms, r.runs);
    for (const Method& m : methods) {
      const Figures f = Measure(m, r.ms, r.runs, highRes);
      std::printf(" | %7.3f / %-9.3f", f.median, f.worst);
    }
    std::printf("\n");
    std::fflush(stdout);
  }

  std::printf("\nprocess CPU time during one 2000 ms wait\n");
  std::printf("%-19s | %-9s | %s\n", "method", "cpu ms", "% of one core");
  for (const Method& m : methods) {
    const double before = ProcessCpuMs();
    const double start = NowPreciseMs();
    m.wait(2000);
    const double wall = NowPreciseMs() - start;
    const double cpu = ProcessCpuMs() - before;
    std::printf("%-19s | %9.1f | %5.1f\n", m.name, cpu, 100.0 * cpu / wall);
  }
  return 0;
}
