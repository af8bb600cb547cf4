#include "store/Store.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "FakeSystem.h"

namespace xs {
namespace {

using ::xs::testing::TempDir;

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

class StoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(Store::CreateIfMissing(path), CreateResult::Created);
    ASSERT_TRUE(store.Connect(path));
  }
  TempDir dir;
  std::string path = dir.Path("NBDA.rdb");
  Store store;
};

TEST_F(StoreTest, NewFileHoldsTheFirstRows) {
  EXPECT_EQ(store.ReadLoopInterval(), "20001");
  const auto mode = store.ReadRunMode();
  ASSERT_TRUE(mode);
  EXPECT_EQ(mode->loopFlag, "TRUE");
  EXPECT_EQ(mode->count, "10");
  const auto qq = store.ReadPositions("QQ.exe");
  ASSERT_EQ(qq.size(), 1u);
  EXPECT_EQ(qq[0].x, "110");
  EXPECT_EQ(qq[0].y, "1530");
  EXPECT_TRUE(store.ReadOperations().empty());
}

TEST_F(StoreTest, ProcessNamesMatchWithoutRegardToCase) {
  EXPECT_EQ(store.ReadPositions("qq.exe").size(), 1u);
  EXPECT_EQ(store.ReadPositions("QQ.EXE").size(), 1u);
  EXPECT_TRUE(store.ReadPositions("QQ.ex").empty());
}

TEST_F(StoreTest, EachInsertReadsBackAsTextWithNullsEmptyAndNumbersDecimal) {
  ASSERT_TRUE(store.InsertClick("鼠标点击", "左键", "单击"));
  ASSERT_TRUE(store.InsertMove("鼠标移动", "007", "-5"));
  ASSERT_TRUE(store.InsertKeys("17", "86", ""));
  ASSERT_TRUE(store.InsertDelay("４０００"));  // full-width digits store their value
  const auto rows = store.ReadOperations();
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0].id, 1);
  EXPECT_EQ(rows[0].kind, "鼠标点击");
  EXPECT_EQ(rows[0].param1, "左键");
  EXPECT_EQ(rows[0].param2, "单击");
  EXPECT_EQ(rows[0].param3, "");  // Null
  EXPECT_EQ(rows[0].x, "0");       // default
  EXPECT_EQ(rows[1].x, "7");
  EXPECT_EQ(rows[1].y, "-5");
  EXPECT_EQ(rows[1].param1, "");
  EXPECT_EQ(rows[2].kind, "键盘操作");
  EXPECT_EQ(rows[2].param2, "86");
  EXPECT_EQ(rows[2].param3, "");  // an empty text, allowed
  EXPECT_EQ(rows[3].kind, "延迟");
  EXPECT_EQ(rows[3].delay, "4000");
}

struct RefusedNumber {
  const char* name;
  const char* text;
};

class StoreRefusesBareValues : public StoreTest, public ::testing::WithParamInterface<RefusedNumber> {};

TEST_P(StoreRefusesBareValues, EveryBareNumberStatementRefusesAndChangesNothing) {
  const char* t = GetParam().text;
  EXPECT_FALSE(store.InsertMove("鼠标移动", t, "1"));
  EXPECT_FALSE(store.InsertMove("鼠标移动", "1", t));
  EXPECT_FALSE(store.InsertDelay(t));
  EXPECT_FALSE(store.SetLoopInterval(t));
  EXPECT_FALSE(store.SetRunModeCustom(t));
  EXPECT_TRUE(store.ReadOperations().empty());
  EXPECT_EQ(store.ReadLoopInterval(), "20001");
  EXPECT_EQ(store.ReadRunMode()->loopFlag, "TRUE");
  EXPECT_EQ(store.ReadRunMode()->count, "10");
}

INSTANTIATE_TEST_SUITE_P(Values, StoreRefusesBareValues,
                         ::testing::Values(RefusedNumber{"empty", ""}, RefusedNumber{"lone_minus", "-"},
                                           RefusedNumber{"digits_then_letters", "12a"},
                                           RefusedNumber{"blank", " "}, RefusedNumber{"leading_blank", " 5"},
                                           RefusedNumber{"too_big", "2147483648"},
                                           RefusedNumber{"forty_digits", "1234567890123456789012345678901234567890"},
                                           RefusedNumber{"sql", "1; DROP TABLE 数据存放"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(StoreTest, QuotedValuesAreStoredAsTheyAreQuotesIncluded) {
  const std::string name = "it's \"odd\" 名字.exe";
  ASSERT_TRUE(store.InsertPosition(name, "1'0", "x'); DROP TABLE 进程位置;--"));
  const auto rows = store.ReadPositions(name);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].x, "1'0");
  EXPECT_EQ(rows[0].y, "x'); DROP TABLE 进程位置;--");
  EXPECT_TRUE(store.InsertKeys("'", "''", "\\"));
}

TEST_F(StoreTest, LengthLimitsCountCharactersNotBytes) {
  const auto chars = [](int n, const std::string& c) {
    std::string s;
    for (int i = 0; i < n; ++i) s += c;
    return s;
  };
  EXPECT_TRUE(store.InsertPosition(chars(50, "a"), "", ""));
  EXPECT_FALSE(store.InsertPosition(chars(51, "a"), "", ""));
  EXPECT_TRUE(store.InsertPosition(chars(50, "进"), "", ""));  // 150 bytes, 50 characters
  EXPECT_FALSE(store.InsertPosition(chars(51, "进"), "", ""));
  EXPECT_FALSE(store.InsertPosition("p", chars(51, "1"), ""));
  EXPECT_FALSE(store.InsertKeys(chars(51, "1"), "", ""));
  EXPECT_TRUE(store.InsertKeys(chars(50, "1"), "", ""));
  EXPECT_FALSE(store.InsertClick(chars(256, "类"), "左键", "单击"));
}

TEST_F(StoreTest, IdsAreNeverReusedAfterDeletingAll) {
  ASSERT_EQ(store.InsertDelay("1"), 1);
  ASSERT_EQ(store.InsertDelay("2"), 2);
  ASSERT_TRUE(store.DeleteAllOperations());
  EXPECT_EQ(store.InsertDelay("3"), 3);
  ASSERT_TRUE(store.DeleteOperation(3));  // the highest
  EXPECT_EQ(store.InsertDelay("4"), 4);
  EXPECT_TRUE(store.DeleteOperation(99));  // matches nothing: still a success
}

TEST_F(StoreTest, SecondPositionSaveAddsARowReadOldestFirst) {
  ASSERT_TRUE(store.InsertPosition("a.exe", "1", "2"));
  ASSERT_TRUE(store.InsertPosition("A.EXE", "3", "4"));
  const auto rows = store.ReadPositions("a.exe");
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[1].x, "3");
}

TEST_F(StoreTest, RunModeAndIntervalRoundTrip) {
  ASSERT_TRUE(store.SetRunModeCustom("5"));
  EXPECT_EQ(store.ReadRunMode()->loopFlag, "FALSE");
  EXPECT_EQ(store.ReadRunMode()->count, "5");
  ASSERT_TRUE(store.SetRunModeInfinite());  // leaves the count as it was
  EXPECT_EQ(store.ReadRunMode()->loopFlag, "TRUE");
  EXPECT_EQ(store.ReadRunMode()->count, "5");
  ASSERT_TRUE(store.SetLoopInterval("-7"));
  EXPECT_EQ(store.ReadLoopInterval(), "-7");
}

TEST_F(StoreTest, DataSurvivesReconnect) {
  ASSERT_TRUE(store.InsertMove("鼠标移动", "1920", "0"));
  store.Disconnect();
  EXPECT_EQ(Store::CreateIfMissing(path), CreateResult::AlreadyExists);
  ASSERT_TRUE(store.Connect(path));
  ASSERT_EQ(store.ReadOperations().size(), 1u);
  EXPECT_EQ(store.ReadOperations()[0].x, "1920");
}

struct ForeignFile {
  const char* name;
  std::string bytes;
};

std::string OtherSqliteFile(const std::string& path, int appId) {
  sqlite3* db = nullptr;
  sqlite3_open(path.c_str(), &db);
  sqlite3_exec(db, ("PRAGMA application_id=" + std::to_string(appId) + ";CREATE TABLE t(x);").c_str(), nullptr, nullptr, nullptr);
  sqlite3_close(db);
  return ReadAll(path);
}

TEST(StoreConnect, ForeignFilesFailAndStayByteForByteUnchanged) {
  TempDir dir;
  std::vector<ForeignFile> cases = {
      {"empty file", ""},
      {"jet-like header", std::string("\0\1\0\0Standard Jet DB\0\1", 21) + std::string(4000, 'x')},
      {"text", "hello"},
      {"sqlite without our id", OtherSqliteFile(dir.Path("other.db"), 0)},
      {"sqlite with another id", OtherSqliteFile(dir.Path("other2.db"), 1234)},
  };
  {  // our header on a damaged body
    const std::string p = dir.Path("ours.db");
    ASSERT_EQ(Store::CreateIfMissing(p), CreateResult::Created);
    std::string bytes = ReadAll(p);
    for (size_t i = 100; i < bytes.size(); ++i) bytes[i] = static_cast<char>(0xA5);
    cases.push_back({"damaged store", bytes});
  }
  for (const auto& c : cases) {
    const std::string p = dir.Path("NBDA.rdb");
    { std::ofstream(p, std::ios::binary) << c.bytes; }
    EXPECT_EQ(Store::CreateIfMissing(p), CreateResult::AlreadyExists) << c.name;
    Store store;
    EXPECT_FALSE(store.Connect(p)) << c.name;
    EXPECT_FALSE(store.IsConnected()) << c.name;
    EXPECT_EQ(ReadAll(p), c.bytes) << c.name;
    EXPECT_FALSE(std::filesystem::exists(p + "-journal")) << c.name;
    std::filesystem::remove(p);
  }
}

TEST(StoreConnect, MissingFileFailsAndCreationLeavesNoTemporaryFile) {
  TempDir dir;
  Store store;
  EXPECT_FALSE(store.Connect(dir.Path("NBDA.rdb")));
  EXPECT_FALSE(std::filesystem::exists(dir.Path("NBDA.rdb")));
  // A half-made file left by a crash during an earlier creation is not in the way.
  { std::ofstream(dir.Path("NBDA.rdb.creating")) << "partial"; }
  EXPECT_EQ(Store::CreateIfMissing(dir.Path("NBDA.rdb")), CreateResult::Created);
  EXPECT_FALSE(std::filesystem::exists(dir.Path("NBDA.rdb.creating")));
  EXPECT_TRUE(store.Connect(dir.Path("NBDA.rdb")));
}

TEST(StoreConnect, CreationInAMissingFolderFails) {
  TempDir dir;
  EXPECT_EQ(Store::CreateIfMissing(dir.Path("no/such/folder/NBDA.rdb")), CreateResult::Failed);
}

}  // namespace
}  // namespace xs
