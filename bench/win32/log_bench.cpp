// Cost of one StatusLog line in the real main window after 100, 1,000, 10,000 and 100,000 lines have
// been written: our append (select the end, replace the selection, keep 10,000 recent lines) next to
// rewriting the whole text for every line (read it, add the line, write it back, caret to the
// end). Each append is timed with the paint it causes (the messages it queued are dispatched), as
// a pass's next wait would. Prints figures; never fails on time.
//   log_bench.exe [rounds, default 7] [most lines written, default 100000]
//
// The machine is shared and noisy, so our figures are taken in rounds: every round times a block
// of lines in each state in turn, and the median block is quoted. Between blocks the box is put
// back in the state the StatusLog leaves after that many lines (one write of the whole text).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "Controls.h"
#include "Layout.h"
#include "MainWindow.h"
#include "MessagePump.h"
#include "Utf16.h"

namespace {

using xs::win::Program;

constexpr char kLine[] = "系统提示：执行鼠标类操作成功....\r\n";  // what a pass writes most
constexpr int kKeep = 10000;                                     // StatusLog's defaults
constexpr int kChunk = 1000;
constexpr int kBlock = 100;  // lines per timed block
constexpr int kWarmUp = 20;  // lines appended untimed after the box is reset, before a block

double NowUs() {
  static const double perUs = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart) / 1e6;
  }();
  LARGE_INTEGER c;
  QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) / perUs;
}

double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  const size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// Lines in the box once the StatusLog has written `written` lines into an empty box: it grows to
// kKeep + kChunk, and the next line drops it back to kKeep.
int KeptAfter(int written) {
  const int cycleStart = kKeep + kChunk + 1;
  return written < cycleStart ? written : kKeep + (written - cycleStart) % (kChunk + 1);
}

std::string Lines(int n) {
  std::string s;
  s.reserve(sizeof kLine * static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) s += kLine;
  return s;
}

struct Block {
  double meanUs = 0;   // per line, paint included
  double paintUs = 0;  // of it, dispatching what the append queued (mostly the paint)
};

template <typename AppendOne>
Block TimeLines(AppendOne&& appendOne, int lines) {
  Block b;
  double total = 0, paint = 0;
  for (int i = 0; i < lines; ++i) {
    const double t = NowUs();
    appendOne();
    const double t1 = NowUs();
    xs::win::PumpPending();
    const double t2 = NowUs();
    total += t2 - t;
    paint += t2 - t1;
  }
  b.meanUs = total / lines;
  b.paintUs = paint / lines;
  return b;
}

int BoxLineCount(HWND box) {
  const std::wstring text = xs::win::GetText(box);
  return static_cast<int>(std::count(text.begin(), text.end(), L'\n'));
}

struct Series {
  int written;
  int boxLines = 0;
  std::vector<double> mean, paint;  // per block
};

struct Rewrite {
  int written;
  Block b;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int rounds = std::max(1, argc > 1 ? _wtoi(argv[1]) : 7);
  const int mostLines = argc > 2 ? _wtoi(argv[2]) : 100000;

  // A store of its own in a fresh temporary folder, so the user's is never touched.
  wchar_t temp[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::filesystem::path dir =
      std::filesystem::path(temp) / (L"xs-log-bench-" + std::to_wstring(GetCurrentProcessId()));
  std::filesystem::create_directories(dir);

  {
    Program program(xs::win::Narrow((dir / L"NBDA.rdb").wstring()));
    if (!program.Start()) {
      std::fprintf(stderr, "log_bench: the program did not start\n");
      return 1;
    }
    program.Show(SW_SHOWNORMAL);
    xs::win::PumpPending();
    const HWND box = program.Main().Item(xs::win::kStatusLog);
    xs::StatusLog& log = program.Core().Log();
    const auto append = [&] { log.AppendLog(kLine); };

    std::vector<Series> ours;
    for (const int n : {100, 1000, 10000, 100000})
      if (n <= mostLines) ours.push_back({n});
    std::vector<double> dropUs;  // the one line in kChunk + 1 that also drops old lines

    for (int r = 0; r < rounds; ++r) {
      for (Series& s : ours) {
        // Past the first cycle the state moves on from round to round, as a run's log would.
        const int written = s.written > kKeep ? s.written + r * kBlock : s.written;
        int kept = KeptAfter(written);
        // Blocks never straddle a drop: that line is timed on its own below.
        if (kept + kWarmUp + kBlock > kKeep + kChunk) kept = kKeep;
        log.WriteFirstLine(Lines(kept));
        xs::win::PumpPending();
        if (r == 0) s.boxLines = BoxLineCount(box);
        // The first lines after a whole-text write still pay for laying it out.
        for (int i = 0; i < kWarmUp; ++i) append();
        xs::win::PumpPending();
        const Block b = TimeLines(append, kBlock);
        s.mean.push_back(b.meanUs);
        s.paint.push_back(b.paintUs);
      }
      if (mostLines > kKeep + kChunk) {
        log.WriteFirstLine(Lines(kKeep + kChunk - kWarmUp));
        for (int i = 0; i < kWarmUp; ++i) append();
        xs::win::PumpPending();
        dropUs.push_back(TimeLines(append, 1).meanUs);
      }
    }

    // The whole-text rewrite: the box really holds every line written. Its figures are far apart
    // from ours, so a few lines each are enough.
    std::vector<Rewrite> rewrites;
    const std::wstring line = xs::win::Widen(kLine);
    for (const Series& s : ours) {
      log.WriteFirstLine("");
      SetWindowTextW(box, xs::win::Widen(Lines(s.written)).c_str());
      xs::win::Edit_SetCaretToEnd(box);
      xs::win::PumpPending();
      const int lines = s.written >= 100000 ? 2 : s.written >= 10000 ? 5 : 50;
      const Block b = TimeLines(
          [&] {
            std::wstring text = xs::win::GetText(box);
            text += line;
            SetWindowTextW(box, text.c_str());
            // The text-changed handler's caret rule (a multi-line edit raises no EN_CHANGE for it).
            xs::win::Edit_SetCaretToEnd(box);
          },
          lines);
      rewrites.push_back({s.written, b});
    }

    const double drop = Median(dropUs);
    std::printf("StatusLog: microseconds per appended line in the real main window, paint included\n");
    std::printf("ours: median of %d blocks of %d lines (range of the blocks), one block per state per round;\n"
                "the line that drops %d old lines is timed apart and spread over the %d lines between drops.\n\n",
                rounds, kBlock, kChunk + 1, kChunk + 1);
    std::printf("| lines   | ours: lines | ours us/line | ours: of it | ours: blocks    | rewrite: lines | rewrite    | rewrite/ |\n");
    std::printf("| written | in the box  | (drops incl.)| paint us    | min - max us    | in the box     | us/line    | ours     |\n");
    std::printf("|---------|-------------|--------------|-------------|-----------------|----------------|------------|----------|\n");
    double ours100 = 0, ours100k = 0;
    for (size_t i = 0; i < ours.size(); ++i) {
      const Series& s = ours[i];
      const bool drops = s.written > kKeep + kChunk;
      const double perLine = Median(s.mean) + (drops ? drop / (kChunk + 1) : 0);
      const auto [lo, hi] = std::minmax_element(s.mean.begin(), s.mean.end());
      const Rewrite& rw = rewrites[i];
      std::printf("| %7d | %11d | %12.0f | %11.0f | %6.0f - %6.0f | %14d | %10.0f | %8.1f |\n", s.written, s.boxLines,
                  perLine, Median(s.paint), *lo, *hi, rw.written, rw.b.meanUs, rw.b.meanUs / perLine);
      if (s.written == 100) ours100 = perLine;
      if (s.written == 100000) ours100k = perLine;
      std::printf("FIGURE|log|append, ours, %d lines written (box %d)|%.0f|us/line|\n", s.written, s.boxLines, perLine);
      std::printf("FIGURE|log|append, whole-text rewrite, %d lines in box|%.0f|us/line|\n", rw.written, rw.b.meanUs);
    }
    if (!dropUs.empty()) {
      std::printf("\nthe line that drops %d old lines: %.0f us (median of %zu)\n", kChunk + 1, drop, dropUs.size());
      std::printf("FIGURE|log|append that drops %d old lines (once per %d)|%.0f|us|\n", kChunk + 1, kChunk + 1, drop);
    }
    if (ours100 > 0 && ours100k > 0) {
      // Round by round, each block against the 100-line block of the same round: a machine that
      // slows down for a while slows both.
      std::vector<double> paired;
      const Series& first = ours.front();
      const Series& last = ours.back();
      for (size_t r = 0; r < first.mean.size(); ++r) paired.push_back(last.mean[r] / first.mean[r]);
      const double pairedRatio = Median(paired) * (ours100k / (Median(last.mean) > 0 ? Median(last.mean) : 1));
      std::printf("ours after 100,000 lines / ours after 100: %.2f (medians), %.2f (median of the rounds' ratios); "
                  "goal: within 2x\n",
                  ours100k / ours100, pairedRatio);
      std::printf("FIGURE|log|ours 100,000 / ours 100, ratio of medians|%.2f|x|goal <= 2\n", ours100k / ours100);
      std::printf("FIGURE|log|ours 100,000 / ours 100, median of round ratios|%.2f|x|goal <= 2\n", pairedRatio);
    }
    std::fflush(stdout);
    program.Main().Destroy();
    xs::win::PumpPending();
  }
  std::error_code ec;
  std::filesystem::remove_all(dir, ec);
  return 0;
}
