// How long OperationList::Reload takes, and how much memory it needs, for a store holding 1,000 /
// 10,000 / 100,000 operations. Each size runs in its own child process so that the peak resident
// size (VmHWM) belongs to that size alone. Prints figures; never passes or fails on time.
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "FakeSystem.h"
#include "FakeViews.h"
#include "app/StatusLog.h"
#include "operations/OperationList.h"
#include "store/Store.h"

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A field of /proc/self/status in KiB ("VmHWM", "VmRSS"); -1 when unreadable.
long StatusKb(const char* key) {
  FILE* f = std::fopen("/proc/self/status", "r");
  if (!f) return -1;
  char line[256];
  long kb = -1;
  const size_t n = std::strlen(key);
  while (std::fgets(line, sizeof line, f)) {
    if (std::strncmp(line, key, n) == 0 && line[n] == ':') {
      kb = std::strtol(line + n + 1, nullptr, 10);
      break;
    }
  }
  std::fclose(f);
  return kb;
}

// The four kinds in turn, as the editors would store them (number columns 0 when unused, texts
// Null when not given).
bool InsertRows(sqlite3* db, int count) {
  if (sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK) return false;
  sqlite3_stmt* s = nullptr;
  const char* sql = "INSERT INTO 数据存放 (类型, 坐标X, 坐标Y, 参数一, 参数二, 参数三, 延迟) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)";
  if (sqlite3_prepare_v2(db, sql, -1, &s, nullptr) != SQLITE_OK) return false;
  bool ok = true;
  for (int i = 0; i < count && ok; ++i) {
    const char* kind = nullptr;
    const char* p1 = nullptr;
    const char* p2 = nullptr;
    const char* p3 = nullptr;
    int x = 0, y = 0, delay = 0;
    switch (i % 4) {
      case 0: kind = "鼠标移动"; x = 100 + i % 1820; y = 50 + i % 1000; break;
      case 1: kind = "鼠标点击"; p1 = "左键"; p2 = "单击"; break;
      case 2: kind = "延迟"; delay = 500; break;
      default: kind = "键盘操作"; p1 = "17"; p2 = "86"; p3 = ""; break;
    }
    sqlite3_reset(s);
    sqlite3_clear_bindings(s);  // unbound texts are Null
    sqlite3_bind_text(s, 1, kind, -1, SQLITE_STATIC);
    sqlite3_bind_int(s, 2, x);
    sqlite3_bind_int(s, 3, y);
    if (p1) sqlite3_bind_text(s, 4, p1, -1, SQLITE_STATIC);
    if (p2) sqlite3_bind_text(s, 5, p2, -1, SQLITE_STATIC);
    if (p3) sqlite3_bind_text(s, 6, p3, -1, SQLITE_STATIC);
    sqlite3_bind_int(s, 7, delay);
    ok = sqlite3_step(s) == SQLITE_DONE;
  }
  sqlite3_finalize(s);
  return sqlite3_exec(db, ok ? "COMMIT" : "ROLLBACK", nullptr, nullptr, nullptr) == SQLITE_OK && ok;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

int RunOne(int rows) {
  xs::testing::TempDir dir;
  const std::string path = dir.Path("NBDA.rdb");
  xs::Store store;
  if (xs::Store::CreateIfMissing(path) != xs::CreateResult::Created || !store.Connect(path)) {
    std::fprintf(stderr, "store could not be made\n");
    return 1;
  }
  auto start = Clock::now();
  if (!InsertRows(store.RawHandle(), rows)) {
    std::fprintf(stderr, "insert failed: %s\n", sqlite3_errmsg(store.RawHandle()));
    return 1;
  }
  const double insertMs = MsSince(start);

  xs::testing::FakeViews views;
  xs::StatusLog log(views);
  xs::OperationList list(store, views, log);
  const long rssBefore = StatusKb("VmRSS");
  const long hwmBefore = StatusKb("VmHWM");

  start = Clock::now();
  list.Reload();  // the start-up case: an empty list filled once
  const double firstMs = MsSince(start);
  const long hwmFirst = StatusKb("VmHWM");
  const long rssHeld = StatusKb("VmRSS");
  if (list.RowCount() != rows) {
    std::fprintf(stderr, "reload gave %d rows, expected %d\n", list.RowCount(), rows);
    return 1;
  }

  constexpr int kRepeats = 7;
  std::vector<double> reloadMs, readMs;
  for (int i = 0; i < kRepeats; ++i) {  // the delete case: a full list rebuilt
    start = Clock::now();
    list.Reload();
    reloadMs.push_back(MsSince(start));
  }
  for (int i = 0; i < kRepeats; ++i) {  // the store's share of it
    start = Clock::now();
    const auto stored = store.ReadOperations();
    readMs.push_back(MsSince(start));
    if (static_cast<int>(stored.size()) != rows) return 1;
  }
  const long hwmEnd = StatusKb("VmHWM");

  const double heldPerRow = rows ? (rssHeld - rssBefore) * 1024.0 / rows : 0;
  std::printf("| %7d | %9.1f | %9.2f | %9.2f | %9.2f | %10ld | %10ld | %10ld | %8.0f |\n", rows, insertMs,
              firstMs, Median(reloadMs), Median(readMs), hwmFirst - hwmBefore, hwmEnd - hwmBefore, hwmEnd,
              heldPerRow);
  std::fflush(stdout);
  return 0;
}

}  // namespace

int main() {
  std::printf("OperationList::Reload on a store file (median of 7 rebuilds of a full list)\n\n");
  std::printf("| rows    | insert ms | 1st reload| reload ms | store read| peak +KiB  | peak +KiB  | VmHWM KiB  | held B/row|\n");
  std::printf("|         | (1 txn)   | ms (empty)| (full)    | ms        | 1st reload | all        | total      |          |\n");
  std::printf("|---------|-----------|-----------|-----------|-----------|------------|------------|------------|----------|\n");
  std::fflush(stdout);
  int failures = 0;
  for (int rows : {1000, 10000, 100000}) {
    const pid_t child = fork();
    if (child == 0) _exit(RunOne(rows));
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) ++failures;
  }
  std::printf("\npeak +KiB: growth of the peak resident size over the size before the reloads;\n"
              "held B/row: resident growth kept after the first reload, per row.\n");
  return failures == 0 ? 0 : 1;
}
