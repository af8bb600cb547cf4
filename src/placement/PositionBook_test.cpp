#include "placement/PositionBook.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>

#include "FakeEventLoop.h"
#include "FakeSystem.h"
#include "FakeViews.h"
#include "placement/Texts.h"

namespace xs {
namespace {

using testing::FakeEventLoop;
using testing::FakeViews;
using testing::FakeWindow;
using testing::FakeWindowSystem;
using testing::TempDir;

constexpr WindowHandle kGameWindow = 100;

// A PositionBook on a real store file. "game.exe" (pid 10) runs with one 800x600 window at
// left 200, top 300; the process list holds "game.exe" and "QQ.exe", the first chosen.
class PositionBookTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string path = dir.Path("NBDA.rdb");
    ASSERT_EQ(Store::CreateIfMissing(path), CreateResult::Created);
    ASSERT_TRUE(store.Connect(path));
    system.processes = std::vector<ProcessEntry>{{10, "game.exe"}, {11, "QQ.exe"}};
    FakeWindow w;
    w.handle = kGameWindow;
    w.pid = 10;
    w.rect = {200, 300, 1000, 900};
    system.windows = {w};
    views.SetItems(Control::ProcessCombo, {"game.exe", "QQ.exe"});
    views.SetSelection(Control::ProcessCombo, 0);
  }

  void Choose(int index) { views.SetSelection(Control::ProcessCombo, index); }
  void Type(const std::string& x, const std::string& y) {
    views.SetText(Control::PositionX, x);
    views.SetText(Control::PositionY, y);
  }
  std::string X() { return views.Text(Control::PositionX); }
  std::string Y() { return views.Text(Control::PositionY); }
  void ExpectOneMessage(const char* text, MessageIcon icon) {
    ASSERT_EQ(views.messages.size(), 1u);
    EXPECT_EQ(views.messages[0].text, text);
    EXPECT_EQ(views.messages[0].icon, icon);
    views.messages.clear();
  }

  TempDir dir;
  Store store;
  FakeWindowSystem system;
  FakeEventLoop loop;
  FakeViews views;
  WindowLocator locator{system, loop, views};
  PositionBook book{store, views, locator, system};
};

TEST_F(PositionBookTest, SaveThenReadBringsTheValuesBack) {
  Type("50", "100");
  book.SavePosition();
  ExpectOneMessage(texts::kPositionSaved, MessageIcon::None);
  EXPECT_EQ(X(), "");
  EXPECT_EQ(Y(), "");

  book.LoadPosition();
  EXPECT_EQ(X(), "50");
  EXPECT_EQ(Y(), "100");
  EXPECT_TRUE(views.messages.empty());
}

TEST_F(PositionBookTest, TheBoxesAreEmptiedOnlyAfterTheSuccessMessageIsClosed) {
  Type("50", "100");
  std::string shownWhileOpen;
  views.duringMessage = [&] { shownWhileOpen = X() + "," + Y(); };
  book.SavePosition();
  EXPECT_EQ(shownWhileOpen, "50,100");
  EXPECT_EQ(X() + "," + Y(), ",");
}

TEST_F(PositionBookTest, OfTwoSavesTheNewestIsShown) {
  Type("50", "100");
  book.SavePosition();
  Type("60", "110");
  book.SavePosition();
  views.messages.clear();
  book.LoadPosition();
  EXPECT_EQ(X(), "60");
  EXPECT_EQ(Y(), "110");
  EXPECT_TRUE(views.messages.empty());
  EXPECT_EQ(store.ReadPositions("game.exe").size(), 2u);
}

TEST_F(PositionBookTest, ASavedEmptyYIsShownAndReportedAsNoPosition) {
  Type("50", "");
  book.SavePosition();
  views.messages.clear();
  book.LoadPosition();
  EXPECT_EQ(X(), "50");
  EXPECT_EQ(Y(), "");
  ExpectOneMessage(texts::kNoSavedPosition, MessageIcon::Error);
}

TEST_F(PositionBookTest, ReadingWithoutASavedRowReportsAndKeepsTheBoxes) {
  Type("7", "8");
  book.LoadPosition();
  ExpectOneMessage(texts::kNoSavedPosition, MessageIcon::Error);
  EXPECT_EQ(X(), "7");
  EXPECT_EQ(Y(), "8");
}

TEST_F(PositionBookTest, ReadingMatchesTheNameWithoutRegardToCase) {
  // The first row of a new store: "QQ.exe" at "110", "1530".
  views.SetItems(Control::ProcessCombo, {"qq.EXE"});
  views.SetSelection(Control::ProcessCombo, 0);
  book.LoadPosition();
  EXPECT_EQ(X(), "110");
  EXPECT_EQ(Y(), "1530");
  EXPECT_TRUE(views.messages.empty());
}

TEST_F(PositionBookTest, ANameWithAnApostropheIsSavedAndFoundLikeAnyOther) {
  views.SetItems(Control::ProcessCombo, {"it's.exe"});
  views.SetSelection(Control::ProcessCombo, 0);
  Type("5'0", "100");
  book.SavePosition();
  ExpectOneMessage(texts::kPositionSaved, MessageIcon::None);
  book.LoadPosition();
  EXPECT_EQ(X(), "5'0");
  EXPECT_EQ(Y(), "100");
  EXPECT_TRUE(views.messages.empty());
}

TEST_F(PositionBookTest, ClearEmptiesTheBoxesAndLeavesTheStoredRows) {
  Type("50", "100");
  book.SavePosition();
  views.messages.clear();
  Type("1", "2");
  std::string shownWhileOpen = "?";
  views.duringMessage = [&] { shownWhileOpen = X() + Y(); };
  book.ClearPosition();
  ExpectOneMessage(texts::kPositionCleared, MessageIcon::None);
  EXPECT_EQ(shownWhileOpen, "");  // emptied before the message shows
  EXPECT_EQ(store.ReadPositions("game.exe").size(), 1u);
}

struct SaveCase {
  const char* name;
  std::string process, x, y;
  bool refuseInserts;
  bool saved;
};

const std::string k50(50, 'n');
const std::string k51(51, 'n');

// A refused save keeps what was typed (decided: the values are not lost) and stores nothing.
const SaveCase kSaveCases[] = {
    {"name of 50 characters", k50, "1", "2", false, true},
    {"name of 51 characters", k51, "1", "2", false, false},
    {"x of 51 characters", "game.exe", k51, "2", false, false},
    {"chinese name of 50 characters", [] { std::string s; for (int i = 0; i < 50; ++i) s += "游"; return s; }(), "1", "2", false, true},
    {"store refuses", "game.exe", "50", "100", true, false},
    {"empty name and boxes", "", "", "", false, true},
};

class PositionBookSaveTable : public PositionBookTest, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(PositionBookSaveTable, AFailedSaveReportsAndKeepsTheBoxes) {
  const auto& c = GetParam();
  if (c.refuseInserts) {
    ASSERT_EQ(sqlite3_exec(store.RawHandle(),
                           "CREATE TRIGGER refuse BEFORE INSERT ON 进程位置 BEGIN SELECT RAISE(ABORT, 'x'); END;",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
  }
  views.SetItems(Control::ProcessCombo, {c.process});
  views.SetSelection(Control::ProcessCombo, 0);
  Type(c.x, c.y);
  book.SavePosition();
  if (c.saved) {
    ExpectOneMessage(texts::kPositionSaved, MessageIcon::None);
    EXPECT_EQ(X(), "");
    EXPECT_EQ(Y(), "");
    ASSERT_EQ(store.ReadPositions(c.process).size(), 1u);
    EXPECT_EQ(store.ReadPositions(c.process)[0].x, c.x);
  } else {
    ExpectOneMessage(texts::kPositionSaveFailed, MessageIcon::Error);
    EXPECT_EQ(X(), c.x);
    EXPECT_EQ(Y(), c.y);
    EXPECT_TRUE(store.ReadPositions(c.process).empty());
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, PositionBookSaveTable, ::testing::ValuesIn(kSaveCases), [](const auto& info) {
  std::string n = info.param.name;
  for (char& ch : n)
    if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
  return n;
});

struct ResetCase {
  const char* name;
  const char* x;  // top edge
  const char* y;  // left edge
  const char* move;  // "window left,top widthxheight"
};

const ResetCase kResetCases[] = {
    {"x is the top y the left", "50", "100", "100 100,50 800x600"},
    {"empty boxes go to the corner", "", "", "100 0,0 800x600"},
    {"letters in x give top 0", "abc", "100", "100 100,0 800x600"},
    {"digits then letters", "12a", "3b", "100 3,12 800x600"},
    {"negative left", "10", "-1500", "100 -1500,10 800x600"},
    {"full-width digits", "５０", "１００", "100 100,50 800x600"},
};

class PositionBookResetTable : public PositionBookTest, public ::testing::WithParamInterface<ResetCase> {};

TEST_P(PositionBookResetTable, ResetMovesTheChosenWindowAndKeepsItsSize) {
  const auto& c = GetParam();
  Type(c.x, c.y);
  book.ResetWindow();
  EXPECT_EQ(system.moves, (std::vector<std::string>{c.move}));
  EXPECT_TRUE(views.messages.empty());
  EXPECT_EQ(X(), c.x);  // the boxes are only read
}

INSTANTIATE_TEST_SUITE_P(Cases, PositionBookResetTable, ::testing::ValuesIn(kResetCases), [](const auto& info) {
  std::string n = info.param.name;
  for (char& ch : n)
    if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
  return n;
});

TEST_F(PositionBookTest, ResetWithNothingChosenMovesNothingAndSaysNothing) {
  views.SetSelection(Control::ProcessCombo, -1);
  Type("50", "100");
  book.ResetWindow();
  EXPECT_TRUE(system.moves.empty());
  EXPECT_TRUE(views.messages.empty());
  EXPECT_EQ(system.windows[0].rect.left, 200);
}

TEST_F(PositionBookTest, ResetOfAProcessWithoutAWindowMovesNothing) {
  Choose(1);  // QQ.exe runs but has no window
  Type("50", "100");
  book.ResetWindow();
  EXPECT_TRUE(system.moves.empty());
  EXPECT_TRUE(views.messages.empty());
}

TEST_F(PositionBookTest, ShownPositionSavedAndResetPutsTheWindowBackWhereItWas) {
  // The pairing end to end: what is shown beside X/Y, typed into the boxes, saved, read back and
  // reset returns a moved window to its old place.
  locator.ShowWindowPosition();
  Type(views.Text(Control::ShownX), views.Text(Control::ShownY));
  book.SavePosition();
  system.windows[0].rect = {-50, 20, 750, 620};
  book.LoadPosition();
  book.ResetWindow();
  EXPECT_EQ(system.moves, (std::vector<std::string>{"100 200,300 800x600"}));
}

}  // namespace
}  // namespace xs
