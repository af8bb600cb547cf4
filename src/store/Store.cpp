#include "store/Store.h"

#include <sqlite3.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "store/Schema.h"
#include "util/TextToInt.h"

namespace xs {
namespace fs = std::filesystem;

namespace {

fs::path PathOf(const std::string& utf8) { return fs::path(std::u8string(utf8.begin(), utf8.end())); }

// One prepared statement, finalized on every way out.
class Statement {
 public:
  Statement(sqlite3* db, const char* sql) {
    if (db && sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr) != SQLITE_OK) stmt_ = nullptr;
  }
  ~Statement() { sqlite3_finalize(stmt_); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  bool Ok() const { return stmt_ != nullptr; }
  Statement& Text(int i, std::string_view v) {
    if (stmt_) sqlite3_bind_text(stmt_, i, v.data(), static_cast<int>(v.size()), SQLITE_TRANSIENT);
    return *this;
  }
  Statement& Int(int i, int64_t v) {
    if (stmt_) sqlite3_bind_int64(stmt_, i, v);
    return *this;
  }
  // Runs a statement that returns no rows.
  bool Done() { return stmt_ && sqlite3_step(stmt_) == SQLITE_DONE; }
  bool Row() { return stmt_ && sqlite3_step(stmt_) == SQLITE_ROW; }
  // A field as the store reads it out: numbers in decimal, Null as the empty text.
  std::string Field(int i) const {
    switch (sqlite3_column_type(stmt_, i)) {
      case SQLITE_NULL: return {};
      case SQLITE_INTEGER: return IntToText(sqlite3_column_int64(stmt_, i));
      default: {
        const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, i));
        return p ? std::string(p, static_cast<size_t>(sqlite3_column_bytes(stmt_, i))) : std::string();
      }
    }
  }
  int64_t Int64(int i) const { return sqlite3_column_int64(stmt_, i); }
  int Type(int i) const { return sqlite3_column_type(stmt_, i); }

 private:
  sqlite3_stmt* stmt_ = nullptr;
};

// Reads the first 100 bytes of the file: only a SQLite file with our application id is opened,
// so a foreign or damaged file is never touched (not even by a journal roll-back).
bool LooksLikeOurStore(const std::string& path) {
  std::ifstream in(PathOf(path), std::ios::binary);
  unsigned char header[100] = {};
  if (!in.read(reinterpret_cast<char*>(header), sizeof header)) return false;
  if (std::memcmp(header, "SQLite format 3", 16) != 0) return false;
  const uint32_t appId = (uint32_t{header[68]} << 24) | (uint32_t{header[69]} << 16) |
                         (uint32_t{header[70]} << 8) | uint32_t{header[71]};
  return appId == static_cast<uint32_t>(kStoreApplicationId);
}

}  // namespace

Store::Store() = default;
Store::~Store() { Disconnect(); }

CreateResult Store::CreateIfMissing(const std::string& path) {
  std::error_code ec;
  const fs::path target = PathOf(path);
  if (fs::exists(target, ec) || ec) return ec ? CreateResult::Failed : CreateResult::AlreadyExists;

  // Built complete under a temporary name beside the target, then renamed into place.
  const std::string tempUtf8 = path + ".creating";
  const fs::path temp = PathOf(tempUtf8);
  fs::remove(temp, ec);
  fs::remove(PathOf(tempUtf8 + "-journal"), ec);

  sqlite3* db = nullptr;
  bool ok = sqlite3_open_v2(tempUtf8.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) == SQLITE_OK;
  const std::string script = "PRAGMA application_id = " + std::to_string(kStoreApplicationId) +
                             ";PRAGMA user_version = " + std::to_string(schema::kUserVersion) +
                             ";PRAGMA synchronous = FULL;BEGIN;" + schema::kCreate + "COMMIT;";
  ok = ok && sqlite3_exec(db, script.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
  ok = sqlite3_close(db) == SQLITE_OK && ok;
  if (ok && fs::exists(target, ec)) {  // someone made it meanwhile: theirs stands
    fs::remove(temp, ec);
    return CreateResult::AlreadyExists;
  }
  if (ok) {
    fs::rename(temp, target, ec);
    ok = !ec;
  }
  if (!ok) {
    fs::remove(temp, ec);
    return CreateResult::Failed;
  }
  return CreateResult::Created;
}

bool Store::Connect(const std::string& path) {
  Disconnect();
  if (!LooksLikeOurStore(path)) return false;
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
    sqlite3_close(db);
    return false;
  }
  db_ = db;
  sqlite3_busy_timeout(db_, 2000);
  // A rollback journal with full syncs: every acknowledged write survives a crash or power loss,
  // and the store stays one file the user can copy.
  bool ok = Exec("PRAGMA synchronous = FULL") && Exec("PRAGMA foreign_keys = OFF");
  {
    Statement check(db_, "PRAGMA quick_check");
    ok = ok && check.Row() && check.Field(0) == "ok";
  }
  {
    Statement tables(db_,
                     "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name IN "
                     "('运行时间', '数据存放', '进程位置', '代码运行次数')");
    ok = ok && tables.Row() && tables.Int64(0) == 4;
  }
  if (!ok) Disconnect();
  return ok;
}

void Store::Disconnect() {
  if (db_) sqlite3_close_v2(db_);
  db_ = nullptr;
}

bool Store::Exec(const char* sql) { return db_ && sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }

std::string Store::ReadLoopInterval() {
  Statement s(db_, "SELECT 运行时间 FROM 运行时间 ORDER BY 编号 LIMIT 1");
  return s.Row() ? s.Field(0) : std::string();
}

bool Store::SetLoopInterval(std::string_view ms) {
  const auto v = ParseInt32(ms);
  if (!v) return false;
  return Statement(db_, "UPDATE 运行时间 SET 运行时间 = ?1 WHERE 编号 = 1").Int(1, *v).Done();
}

std::vector<StoredOperation> Store::ReadOperations() {
  std::vector<StoredOperation> rows;
  Statement s(db_, "SELECT ID, 类型, 坐标X, 坐标Y, 参数一, 参数二, 参数三, 延迟 FROM 数据存放 ORDER BY ID");
  while (s.Row()) {
    rows.push_back({s.Int64(0), s.Field(1), s.Field(2), s.Field(3), s.Field(4), s.Field(5), s.Field(6), s.Field(7)});
  }
  return rows;
}

bool Store::DeleteAllOperations() { return Statement(db_, "DELETE FROM 数据存放").Done(); }

bool Store::DeleteOperation(int64_t id) {
  return Statement(db_, "DELETE FROM 数据存放 WHERE ID = ?1").Int(1, id).Done();
}

namespace {
std::optional<int64_t> InsertedId(sqlite3* db, Statement& s) {
  if (!s.Done()) return std::nullopt;
  return sqlite3_last_insert_rowid(db);
}
}  // namespace

std::optional<int64_t> Store::InsertClick(std::string_view kind, std::string_view button, std::string_view action) {
  Statement s(db_, "INSERT INTO 数据存放 (类型, 参数一, 参数二) VALUES (?1, ?2, ?3)");
  s.Text(1, kind).Text(2, button).Text(3, action);
  return InsertedId(db_, s);
}

std::optional<int64_t> Store::InsertMove(std::string_view kind, std::string_view x, std::string_view y) {
  const auto vx = ParseInt32(x), vy = ParseInt32(y);
  if (!vx || !vy) return std::nullopt;
  Statement s(db_, "INSERT INTO 数据存放 (类型, 坐标X, 坐标Y) VALUES (?1, ?2, ?3)");
  s.Text(1, kind).Int(2, *vx).Int(3, *vy);
  return InsertedId(db_, s);
}

std::optional<int64_t> Store::InsertKeys(std::string_view key1, std::string_view key2, std::string_view key3) {
  Statement s(db_, "INSERT INTO 数据存放 (类型, 参数一, 参数二, 参数三) VALUES ('键盘操作', ?1, ?2, ?3)");
  s.Text(1, key1).Text(2, key2).Text(3, key3);
  return InsertedId(db_, s);
}

std::optional<int64_t> Store::InsertDelay(std::string_view ms) {
  const auto v = ParseInt32(ms);
  if (!v) return std::nullopt;
  Statement s(db_, "INSERT INTO 数据存放 (类型, 延迟) VALUES ('延迟', ?1)");
  s.Int(1, *v);
  return InsertedId(db_, s);
}

std::vector<StoredPosition> Store::ReadPositions(std::string_view processName) {
  std::vector<StoredPosition> rows;
  Statement s(db_, "SELECT 坐标X, 坐标Y FROM 进程位置 WHERE 进程名 = ?1 ORDER BY ID");
  s.Text(1, processName);
  while (s.Row()) rows.push_back({s.Field(0), s.Field(1)});
  return rows;
}

bool Store::InsertPosition(std::string_view processName, std::string_view x, std::string_view y) {
  return Statement(db_, "INSERT INTO 进程位置 (进程名, 坐标X, 坐标Y) VALUES (?1, ?2, ?3)")
      .Text(1, processName)
      .Text(2, x)
      .Text(3, y)
      .Done();
}

bool Store::SetRunModeInfinite() { return Statement(db_, "UPDATE 代码运行次数 SET 是否循环 = 1 WHERE ID = 1").Done(); }

bool Store::SetRunModeCustom(std::string_view count) {
  const auto v = ParseInt32(count);
  if (!v) return false;
  return Statement(db_, "UPDATE 代码运行次数 SET 是否循环 = 0, 运行次数 = ?1 WHERE ID = 1").Int(1, *v).Done();
}

std::optional<StoredRunMode> Store::ReadRunMode() {
  // With several rows the last one decides, as the settings page reads them all in turn.
  Statement s(db_, "SELECT 是否循环, 运行次数 FROM 代码运行次数 ORDER BY ID DESC LIMIT 1");
  if (!s.Row()) return std::nullopt;
  StoredRunMode mode;
  if (s.Type(0) != SQLITE_NULL) mode.loopFlag = s.Int64(0) != 0 ? "TRUE" : "FALSE";
  mode.count = s.Field(1);
  return mode;
}

}  // namespace xs
