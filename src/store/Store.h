#pragma once
// The store: one SQLite file holding the operations, the run settings and the saved window
// positions. Every statement the program sends is a typed call here, with bound values.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

namespace xs {

// One record of 数据存放, each field as text: numbers in decimal, Null as the empty text.
struct StoredOperation {
  int64_t id = 0;
  std::string kind, x, y, param1, param2, param3, delay;
};

struct StoredPosition {
  std::string x, y;  // 坐标X (top edge) and 坐标Y (left edge), as typed
};

struct StoredRunMode {
  std::string loopFlag;  // 是否循环: "TRUE", "FALSE" (or "" for a Null)
  std::string count;     // 运行次数 in decimal
};

enum class CreateResult { Created, AlreadyExists, Failed };

class Store {
 public:
  Store();
  ~Store();
  Store(const Store&) = delete;
  Store& operator=(const Store&) = delete;

  // Makes a complete new store file at path when none exists: built under a temporary name in the
  // same folder, then renamed, so a crash never leaves a half-made file. An existing file is never
  // touched.
  static CreateResult CreateIfMissing(const std::string& path);

  // Opens the file; fails (false) for a missing file, a file that is not ours, or a damaged one.
  // A failed Connect leaves the file byte-for-byte unchanged.
  bool Connect(const std::string& path);
  void Disconnect();
  bool IsConnected() const { return db_ != nullptr; }

  // 运行时间: the stored loop interval as text ("" when the row is missing).
  std::string ReadLoopInterval();
  // bare value: must pass ParseInt32.
  bool SetLoopInterval(std::string_view ms);

  // 数据存放, in ascending ID.
  std::vector<StoredOperation> ReadOperations();
  bool DeleteAllOperations();
  bool DeleteOperation(int64_t id);
  // Each insert returns the new record's ID, or nullopt when refused (a bare value that is not a
  // 32-bit integer, a text longer than its column, a store failure).
  std::optional<int64_t> InsertClick(std::string_view kind, std::string_view button, std::string_view action);
  std::optional<int64_t> InsertMove(std::string_view kind, std::string_view x, std::string_view y);
  std::optional<int64_t> InsertKeys(std::string_view key1, std::string_view key2, std::string_view key3);
  std::optional<int64_t> InsertDelay(std::string_view ms);

  // 进程位置: rows for a process name (compared without regard to case), oldest first.
  std::vector<StoredPosition> ReadPositions(std::string_view processName);
  bool InsertPosition(std::string_view processName, std::string_view x, std::string_view y);

  // 代码运行次数.
  bool SetRunModeInfinite();
  bool SetRunModeCustom(std::string_view count);  // bare value
  std::optional<StoredRunMode> ReadRunMode();

  // For tests that need to reach below the typed calls (a fault, a check).
  sqlite3* RawHandle() { return db_; }

 private:
  bool Exec(const char* sql);
  sqlite3* db_ = nullptr;
};

// The value that marks a store file as ours (PRAGMA application_id).
inline constexpr int32_t kStoreApplicationId = 0x58535331;  // "XSS1"

}  // namespace xs
