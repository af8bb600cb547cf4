// Generated texts typed into every number box of the editors, the key boxes and the converter,
// then "添加": whatever is typed, nothing crashes; a refused text stores nothing, adds no row and
// logs no success; an accepted one stores exactly the number that playback will read from the
// row, now and after a restart. Real store file (in memory-backed /dev/shm when there is one, so
// the full syncs cost little); built with sanitizers in the test command too.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "OperationsTestRig.h"
#include "operations/Texts.h"
#include "FuzzText.h"
#include "util/TextToInt.h"

namespace xs::testing {
namespace {

// Texts per editor through the real store path; a few seconds each, sanitizers included.
constexpr int kStoreTexts = 100000;
// Texts through the converter's pure function.
constexpr int kPureTexts = 1000000;



size_t CharCount(const std::string& utf8) {
  size_t n = 0;
  for (const char c : utf8) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return n;
}


// One record's fields as stored, by ID, without reading the whole table.
struct Record {
  std::string x, y, p1, p2, p3, delay;
  std::string typeX, typeY, typeDelay;
};

class EditorsFuzz : public OperationsRig {
 protected:
  void SetUp() override {
    path = fast.Path("NBDA.rdb");
    OperationsRig::SetUp();
  }

  int64_t StoredCount() {
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(store.RawHandle(), "SELECT count(*) FROM 数据存放", -1, &s, nullptr);
    const int64_t n = sqlite3_step(s) == SQLITE_ROW ? sqlite3_column_int64(s, 0) : -1;
    sqlite3_finalize(s);
    return n;
  }
  // Rows the connection has inserted, updated or deleted so far: any write at all moves it.
  int64_t Writes() { return sqlite3_total_changes64(store.RawHandle()); }
  Record Last() {
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(store.RawHandle(),
                       "SELECT 坐标X, 坐标Y, 参数一, 参数二, 参数三, 延迟, typeof(坐标X), typeof(坐标Y), typeof(延迟) "
                       "FROM 数据存放 ORDER BY ID DESC LIMIT 1",
                       -1, &s, nullptr);
    Record r;
    if (sqlite3_step(s) == SQLITE_ROW) {
      const auto col = [s](int i) {
        const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(s, i));
        return p ? std::string(p, static_cast<size_t>(sqlite3_column_bytes(s, i))) : std::string();
      };
      r = {col(0), col(1), col(2), col(3), col(4), col(5), col(6), col(7), col(8)};
    }
    sqlite3_finalize(s);
    return r;
  }

  // The state every press is checked against.
  struct Before {
    int64_t writes;
    int rows;
    int logWrites;
    size_t messages;
  };
  Before Take() {
    // The fake log box counts its lines by reading all of them: kept short, tens of thousands of
    // adds stay fast (the StatusLog holds nothing of its own, so this changes nothing it does).
    if (views.log.size() > 64 * 1024) views.log.clear();
    views.messages.clear();
    return {Writes(), list.RowCount(), views.logWrites, views.messages.size()};
  }

  // A refused press: one message, and nothing stored, shown or logged.
  void ExpectRefused(const Before& b, const std::string& what) {
    ASSERT_EQ(views.messages.size(), b.messages + 1) << what;
    EXPECT_EQ(views.messages.back().icon, MessageIcon::Error) << what;
    EXPECT_EQ(views.messages.back().text.find("成功"), std::string::npos) << what;
    ASSERT_EQ(Writes(), b.writes) << what;
    ASSERT_EQ(list.RowCount(), b.rows) << what;
    ASSERT_EQ(views.logWrites, b.logWrites) << what;
  }
  // An accepted press: no message, one record, one row, one success line.
  void ExpectAccepted(const Before& b, const char* line, const std::string& what) {
    ASSERT_EQ(views.messages.size(), b.messages) << what << ": " << views.messages.back().text;
    ASSERT_EQ(Writes(), b.writes + 1) << what;
    ASSERT_EQ(list.RowCount(), b.rows + 1) << what;
    ASSERT_EQ(views.logWrites, b.logWrites + 1) << what;
    ASSERT_TRUE(views.log.ends_with(line)) << what;
  }

  void Report(const char* editor, int accepted, std::chrono::steady_clock::time_point start) {
    const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("[ fuzz     ] %s: %d texts through the store path, %d accepted, %.1f s\n", editor, kStoreTexts,
                accepted, s);
  }

  FastDir fast;
  std::mt19937 rng{20170228};
};

// What playback reads from a row's cell, and so what every stored number must equal.
std::string ValueText(const std::string& typed) { return IntToText(TextToInt(typed)); }

TEST_F(EditorsFuzz, MouseMoveBoxesStoreWhatPlaybackReadsOrNothing) {
  const auto start = std::chrono::steady_clock::now();
  std::vector<std::pair<int32_t, int32_t>> accepted;
  for (int i = 0; i < kStoreTexts; ++i) {
    // Often one box valid, so the second box's check is reached as well.
    std::string x = GenerateUserText(rng, 60), y = GenerateUserText(rng, 60);
    if (i % 4 == 0) x = "100";
    if (i % 4 == 1) y = "-20";
    const std::string what = "X '" + x + "' Y '" + y + "'";
    const Before b = Take();
    AddMove(x, y);
    if (x.empty() || y.empty() || !ParseInt32(x) || !ParseInt32(y)) {
      ASSERT_NO_FATAL_FAILURE(ExpectRefused(b, what));
      continue;
    }
    ASSERT_NO_FATAL_FAILURE(ExpectAccepted(b, texts::kAddedMove, what));
    const Record r = Last();
    ASSERT_EQ(r.typeX, "integer") << what;
    ASSERT_EQ(r.x, ValueText(x)) << what;
    ASSERT_EQ(r.typeY, "integer") << what;
    ASSERT_EQ(r.y, ValueText(y)) << what;
    // The row shows the texts as typed; what playback takes from them is the stored value.
    ASSERT_EQ(list.CellText(b.rows, kColX), x);
    ASSERT_EQ(list.CellText(b.rows, kColY), y);
    accepted.emplace_back(TextToInt(x), TextToInt(y));
  }
  EXPECT_GT(accepted.size(), 2000u) << "the generator hardly reaches the accepting path";

  ASSERT_EQ(StoredCount(), static_cast<int64_t>(accepted.size()));
  Restart();  // playback after the next start reads the reloaded rows
  ASSERT_EQ(list.RowCount(), static_cast<int>(accepted.size()));
  for (int r = 0; r < list.RowCount(); ++r) {
    ASSERT_EQ(TextToInt(list.CellText(r, kColX)), accepted[static_cast<size_t>(r)].first) << "row " << r;
    ASSERT_EQ(TextToInt(list.CellText(r, kColY)), accepted[static_cast<size_t>(r)].second) << "row " << r;
  }
  Report("mouse move X/Y", static_cast<int>(accepted.size()), start);
}

TEST_F(EditorsFuzz, KeyBoxesStoreTheTypedCodeOrNothing) {
  const auto start = std::chrono::steady_clock::now();
  std::vector<std::array<int32_t, 3>> accepted;
  int storeRefusals = 0;
  for (int i = 0; i < kStoreTexts; ++i) {
    std::string k[3] = {GenerateUserText(rng, 60), GenerateUserText(rng, 60), GenerateUserText(rng, 60)};
    // The second and third boxes are optional: often left empty, as a user does.
    if (i % 3 == 0) k[1].clear();
    if (i % 2 == 0) k[2].clear();
    if (i % 5 == 0) k[0] = "17";
    const std::string what = "keys '" + k[0] + "' '" + k[1] + "' '" + k[2] + "'";
    const Before b = Take();
    AddKeys(k[0], k[1], k[2]);

    bool numbers = !k[0].empty();
    bool fits = true;
    for (const std::string& t : k) {
      if (!t.empty() && !ParseInt32(t)) numbers = false;
      fits = fits && CharCount(t) <= 50;
    }
    if (!numbers) {
      ASSERT_NO_FATAL_FAILURE(ExpectRefused(b, what));
      continue;
    }
    if (!fits) {
      // A number with more leading zeros than the column holds: the store refuses, and says so.
      ASSERT_NO_FATAL_FAILURE(ExpectRefused(b, what));
      ASSERT_EQ(views.messages.back().text, texts::kAddRefused) << what;
      ++storeRefusals;
      continue;
    }
    ASSERT_NO_FATAL_FAILURE(ExpectAccepted(b, texts::kAddedKeys, what));
    // Codes are kept as typed; playback reads the same number from the stored text as from the
    // typed one, and an empty optional box plays as 0.
    const Record r = Last();
    const std::string stored[3] = {r.p1, r.p2, r.p3};
    std::array<int32_t, 3> codes{};
    for (int j = 0; j < 3; ++j) {
      ASSERT_EQ(stored[j], k[j]) << what;
      ASSERT_EQ(TextToInt(list.CellText(b.rows, kColParam1 + j)), TextToInt(k[j])) << what;
      codes[static_cast<size_t>(j)] = TextToInt(k[j]);
    }
    accepted.push_back(codes);
  }
  EXPECT_GT(accepted.size(), 2000u) << "the generator hardly reaches the accepting path";
  EXPECT_GT(storeRefusals, 0) << "no code long enough for the store to refuse";

  ASSERT_EQ(StoredCount(), static_cast<int64_t>(accepted.size()));
  Restart();
  ASSERT_EQ(list.RowCount(), static_cast<int>(accepted.size()));
  for (int r = 0; r < list.RowCount(); ++r)
    for (int j = 0; j < 3; ++j)
      ASSERT_EQ(TextToInt(list.CellText(r, kColParam1 + j)), accepted[static_cast<size_t>(r)][static_cast<size_t>(j)])
          << "row " << r;
  Report("key codes 1-3", static_cast<int>(accepted.size()), start);
}

TEST_F(EditorsFuzz, DelayBoxStoresWhatPlaybackWaitsOrNothing) {
  const auto start = std::chrono::steady_clock::now();
  std::vector<int32_t> accepted;
  for (int i = 0; i < kStoreTexts; ++i) {
    const std::string ms = GenerateUserText(rng, 60);
    const std::string what = "delay '" + ms + "'";
    const Before b = Take();
    AddDelay(ms);
    if (ms.empty() || !ParseInt32(ms)) {
      ASSERT_NO_FATAL_FAILURE(ExpectRefused(b, what));
      continue;
    }
    ASSERT_NO_FATAL_FAILURE(ExpectAccepted(b, texts::kAddedDelay, what));
    const Record r = Last();
    ASSERT_EQ(r.typeDelay, "integer") << what;
    ASSERT_EQ(r.delay, ValueText(ms)) << what;
    ASSERT_EQ(list.CellText(b.rows, kColDelay), ms);
    accepted.push_back(TextToInt(ms));
  }
  EXPECT_GT(accepted.size(), 2000u) << "the generator hardly reaches the accepting path";

  ASSERT_EQ(StoredCount(), static_cast<int64_t>(accepted.size()));
  Restart();
  ASSERT_EQ(list.RowCount(), static_cast<int>(accepted.size()));
  for (int r = 0; r < list.RowCount(); ++r)
    ASSERT_EQ(TextToInt(list.CellText(r, kColDelay)), accepted[static_cast<size_t>(r)]) << "row " << r;
  Report("delay", static_cast<int>(accepted.size()), start);
}

// The converter box takes any text and shows a key code: 0 for nothing or for a character
// outside ASCII, never a lower-case letter's code, never more than 127.
TEST_F(EditorsFuzz, ConverterShowsAKeyCodeForAnyText) {
  for (int i = 0; i < kPureTexts; ++i) {
    const std::string text = GenerateUserText(rng, 60);
    const int code = KeyCodeOfText(text);
    ASSERT_GE(code, 0) << text;
    ASSERT_LE(code, 127) << text;
    ASSERT_FALSE(code >= 'a' && code <= 'z') << text;
    const bool namesNoKey = text.empty() || text[0] == '\0' || static_cast<unsigned char>(text[0]) >= 0x80;
    ASSERT_EQ(code == 0, namesNoKey) << text;
  }
  // Through the box itself, for a sample.
  for (int i = 0; i < 2000; ++i) {
    const std::string text = GenerateUserText(rng, 60);
    views.SetText(Control::KeyConvertIn, text);
    keys.OnConverterChanged();
    ASSERT_EQ(views.Text(Control::KeyConvertOut), IntToText(KeyCodeOfText(text))) << text;
  }
}

}  // namespace
}  // namespace xs::testing
