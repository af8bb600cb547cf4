// A process writing through the real store code is killed at random points; every write it had
// acknowledged must be there afterwards, in a file that passes the integrity check.
#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <set>

#include "FakeSystem.h"
#include "store/Store.h"

namespace xs {
namespace {

using ::xs::testing::TempDir;

std::string IntegrityCheck(Store& store) {
  sqlite3_stmt* stmt = nullptr;
  sqlite3_prepare_v2(store.RawHandle(), "PRAGMA integrity_check", -1, &stmt, nullptr);
  std::string result = sqlite3_step(stmt) == SQLITE_ROW ? reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)) : "no row";
  sqlite3_finalize(stmt);
  return result;
}

// Forks a child that runs `work`, lets it run for `runMicros`, then kills it. Returns what the
// child wrote to its pipe before it died.
template <typename Work>
std::vector<int64_t> RunAndKill(Work work, useconds_t runMicros) {
  int fds[2];
  if (pipe(fds) != 0) return {};
  const pid_t pid = fork();
  if (pid == 0) {
    close(fds[0]);
    work(fds[1]);
    _exit(0);
  }
  close(fds[1]);
  usleep(runMicros);
  kill(pid, SIGKILL);
  int status = 0;
  waitpid(pid, &status, 0);
  std::vector<int64_t> acknowledged;
  int64_t id;
  while (read(fds[0], &id, sizeof id) == static_cast<ssize_t>(sizeof id)) acknowledged.push_back(id);
  close(fds[0]);
  return acknowledged;
}

TEST(StoreCrashSafety, AcknowledgedWritesSurviveKillsAtRandomPoints) {
  TempDir dir;
  const std::string path = dir.Path("NBDA.rdb");
  ASSERT_EQ(Store::CreateIfMissing(path), CreateResult::Created);
  std::mt19937 rng(20261211);
  std::set<int64_t> acknowledged;
  for (int kill = 0; kill < 200; ++kill) {
    const auto acked = RunAndKill(
        [&](int out) {
          Store store;
          if (!store.Connect(path)) _exit(3);
          for (int i = 0;; ++i) {
            // Reads, inserts and deletes, as the program mixes them.
            const auto id = (i % 3 == 0) ? store.InsertMove("鼠标移动", std::to_string(i), "1")
                                         : store.InsertDelay(std::to_string(i));
            if (id) (void)!write(out, &*id, sizeof *id);
          }
        },
        static_cast<useconds_t>(rng() % 15000));
    acknowledged.insert(acked.begin(), acked.end());
    Store store;
    ASSERT_TRUE(store.Connect(path)) << "after kill " << kill;
    ASSERT_EQ(IntegrityCheck(store), "ok") << "after kill " << kill;
    std::set<int64_t> present;
    for (const auto& row : store.ReadOperations()) present.insert(row.id);
    for (int64_t id : acknowledged) ASSERT_TRUE(present.count(id)) << "lost acknowledged row " << id << " after kill " << kill;
  }
  EXPECT_GT(acknowledged.size(), 0u);
}

TEST(StoreCrashSafety, AKillDuringCreationNeverLeavesAFileThatFailsLaterStarts) {
  TempDir dir;
  std::mt19937 rng(7);
  for (int kill = 0; kill < 40; ++kill) {
    const std::string path = dir.Path("NBDA-" + std::to_string(kill) + ".rdb");
    RunAndKill([&](int) { Store::CreateIfMissing(path); }, static_cast<useconds_t>(rng() % 4000));
    // Either nothing was made, or a complete store: the next start works in both cases.
    Store::CreateIfMissing(path);
    Store store;
    ASSERT_TRUE(store.Connect(path)) << "after kill " << kill;
    EXPECT_EQ(store.ReadLoopInterval(), "20001");
  }
}

}  // namespace
}  // namespace xs
