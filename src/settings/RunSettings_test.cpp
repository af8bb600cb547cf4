#include "settings/RunSettings.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>

#include "AppFixture.h"
#include "FakeSystem.h"
#include "FakeViews.h"
#include "settings/Texts.h"

namespace xs {
namespace {

using testing::FakeViews;
using testing::TempDir;

// A trigger that makes the store refuse every write to a table, for the paths where a valid
// value is still not stored.
void RefuseWritesTo(Store& store, const std::string& table, const char* what) {
  const std::string sql = "CREATE TRIGGER refuse_" + table + " BEFORE " + what + " ON " + table +
                          " BEGIN SELECT RAISE(ABORT, 'refused'); END;";
  ASSERT_EQ(sqlite3_exec(store.RawHandle(), sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
}

std::string CaseName(std::string n) {
  for (char& ch : n)
    if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
  return n;
}

// RunSettings on a real store file and in-memory views, the controls as the main window makes them.
class RunSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string path = dir.Path("NBDA.rdb");
    ASSERT_EQ(Store::CreateIfMissing(path), CreateResult::Created);
    ASSERT_TRUE(store.Connect(path));
    testing::PrepareControls(views);
  }

  std::string StoredFlag() { return store.ReadRunMode().value_or(StoredRunMode{}).loopFlag; }
  std::string StoredCount() { return store.ReadRunMode().value_or(StoredRunMode{}).count; }
  void PickMode(const char* item) {
    ASSERT_TRUE(views.Pick(Control::RunMode, item));
    settings.OnRunModeSelected();
  }

  TempDir dir;
  Store store;
  FakeViews views;
  StatusLog log{views};
  RunState state;
  RunSettings settings{store, views, log, state};
};

// ---- "修改" ----------------------------------------------------------------------------------

struct IntervalCase {
  const char* name;
  const char* box;
  bool storeRefuses;
  const char* message;  // the one message box shown
  MessageIcon icon;
  const char* storedAfter;
  int32_t memoryAfter;
};

// The store starts with the first-row interval 20001, also in memory. Refused input stores
// nothing and leaves memory alone; zero and negatives are refused (a run needs a period >= 1).
const IntervalCase kIntervalCases[] = {
    {"empty", "", false, texts::kIntervalEmpty, MessageIcon::Error, "20001", 20001},
    {"plain", "500", false, texts::kIntervalSaved, MessageIcon::None, "500", 500},
    {"one", "1", false, texts::kIntervalSaved, MessageIcon::None, "1", 1},
    {"int32 max", "2147483647", false, texts::kIntervalSaved, MessageIcon::None, "2147483647", 2147483647},
    {"plus sign", "+300", false, texts::kIntervalSaved, MessageIcon::None, "300", 300},
    {"full-width digits", "１５００", false, texts::kIntervalSaved, MessageIcon::None, "1500", 1500},
    {"zero", "0", false, texts::kIntervalInvalid, MessageIcon::Error, "20001", 20001},
    {"negative", "-5", false, texts::kIntervalInvalid, MessageIcon::Error, "20001", 20001},
    {"letters", "abc", false, texts::kIntervalInvalid, MessageIcon::Error, "20001", 20001},
    {"digits then letters", "12a", false, texts::kIntervalInvalid, MessageIcon::Error, "20001", 20001},
    {"leading blank", " 500", false, texts::kIntervalInvalid, MessageIcon::Error, "20001", 20001},
    {"decimal point", "1.5", false, texts::kIntervalInvalid, MessageIcon::Error, "20001", 20001},
    {"beyond 32 bits", "2147483648", false, texts::kIntervalInvalid, MessageIcon::Error, "20001", 20001},
    {"store refuses", "500", true, texts::kIntervalStoreFailed, MessageIcon::Error, "20001", 20001},
};

class RunSettingsIntervalTable : public RunSettingsTest, public ::testing::WithParamInterface<IntervalCase> {};

TEST_P(RunSettingsIntervalTable, SaveLoopIntervalStoresOnlyWholeNumbersAboveZero) {
  const auto& c = GetParam();
  settings.LoadAtStartup();
  ASSERT_EQ(state.loopInterval, 20001);
  if (c.storeRefuses) RefuseWritesTo(store, "运行时间", "UPDATE");
  views.SetText(Control::LoopInterval, c.box);
  int32_t duringMessage = -1;
  views.duringMessage = [&] { duringMessage = state.loopInterval; };

  settings.SaveLoopInterval();

  ASSERT_EQ(views.messages.size(), 1u);
  EXPECT_EQ(views.messages[0].text, c.message);
  EXPECT_EQ(views.messages[0].icon, c.icon);
  EXPECT_EQ(store.ReadLoopInterval(), c.storedAfter);
  EXPECT_EQ(state.loopInterval, c.memoryAfter);
  // A pass that runs while the box shows still uses the old interval.
  EXPECT_EQ(duringMessage, 20001);
  EXPECT_EQ(views.log, "");
  EXPECT_EQ(views.Text(Control::LoopInterval), c.box);
}

INSTANTIATE_TEST_SUITE_P(Cases, RunSettingsIntervalTable, ::testing::ValuesIn(kIntervalCases),
                         [](const auto& info) { return CaseName(info.param.name); });

// ---- "设置" ----------------------------------------------------------------------------------

struct ModeCase {
  const char* name;
  int mode;  // selection of 组合框2
  const char* box;
  bool storeRefuses;
  const char* message;  // nullptr: no message box
  const char* logged;   // the whole log afterwards
  const char* flagAfter;
  const char* countAfter;
  const char* boxAfter;
};

// The store starts with count 3 and the flag opposite to the chosen mode, so every stored change
// shows. Mode 0 never touches the stored count.
const ModeCase kModeCases[] = {
    {"infinite", 0, "", false, nullptr, texts::kSettingSaved, "TRUE", "3", ""},
    {"infinite empties a leftover count", 0, "9", false, nullptr, texts::kSettingSaved, "TRUE", "3", ""},
    {"infinite refused by the store", 0, "9", true, nullptr, texts::kSettingFailed, "FALSE", "3", "9"},
    {"custom five", 1, "5", false, nullptr, texts::kSettingSaved, "FALSE", "5", "5"},
    {"custom full-width", 1, "１２", false, nullptr, texts::kSettingSaved, "FALSE", "12", "１２"},
    {"custom empty", 1, "", false, texts::kCountEmpty, "", "TRUE", "3", ""},
    {"custom zero", 1, "0", false, texts::kCountInvalid, "", "TRUE", "3", "0"},
    {"custom negative", 1, "-2", false, texts::kCountInvalid, "", "TRUE", "3", "-2"},
    {"custom letters", 1, "abc", false, texts::kCountInvalid, "", "TRUE", "3", "abc"},
    {"custom digits then letters", 1, "5x", false, texts::kCountInvalid, "", "TRUE", "3", "5x"},
    {"custom beyond 32 bits", 1, "99999999999", false, texts::kCountInvalid, "", "TRUE", "3", "99999999999"},
    {"custom refused by the store", 1, "5", true, nullptr, texts::kSettingFailed, "TRUE", "3", "5"},
};

class RunSettingsModeTable : public RunSettingsTest, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(RunSettingsModeTable, SaveRunModeStoresTheModeAndReportsInTheLog) {
  const auto& c = GetParam();
  ASSERT_TRUE(store.SetRunModeCustom("3"));
  if (c.mode == 1) ASSERT_TRUE(store.SetRunModeInfinite());
  if (c.storeRefuses) RefuseWritesTo(store, "代码运行次数", "UPDATE");
  views.SetSelection(Control::RunMode, c.mode);
  views.SetEnabled(Control::RunCount, c.mode == 1);
  views.SetText(Control::RunCount, c.box);

  settings.SaveRunMode();

  if (c.message) {
    ASSERT_EQ(views.messages.size(), 1u);
    EXPECT_EQ(views.messages[0].text, c.message);
    EXPECT_EQ(views.messages[0].icon, MessageIcon::Error);
  } else {
    EXPECT_TRUE(views.messages.empty());
  }
  EXPECT_EQ(views.log, c.logged);
  EXPECT_EQ(StoredFlag(), c.flagAfter);
  EXPECT_EQ(StoredCount(), c.countAfter);
  EXPECT_EQ(views.Text(Control::RunCount), c.boxAfter);
  EXPECT_EQ(views.Selection(Control::RunMode), c.mode);
}

INSTANTIATE_TEST_SUITE_P(Cases, RunSettingsModeTable, ::testing::ValuesIn(kModeCases),
                         [](const auto& info) { return CaseName(info.param.name); });

// ---- picking a mode, switching pages, start-up -----------------------------------------------

TEST_F(RunSettingsTest, PickingCustomLogsTheReminderEveryTimeAndShowsTheStoredCount) {
  views.page = 1;
  PickMode("自定义");
  PickMode("自定义");  // already selected: still a pick
  EXPECT_EQ(views.log, std::string(texts::kCustomReminder) + texts::kCustomReminder);
  EXPECT_TRUE(views.Enabled(Control::RunCount));
  // The stored flag says "无限循环" (first row), yet the stored count is offered.
  EXPECT_EQ(StoredFlag(), "TRUE");
  EXPECT_EQ(views.Text(Control::RunCount), "10");
}

TEST_F(RunSettingsTest, PickingInfiniteEmptiesAndDisablesTheCountWithoutALogLine) {
  views.page = 1;
  PickMode("自定义");
  views.SetText(Control::RunCount, "5");
  views.log.clear();
  PickMode("无限循环");
  EXPECT_FALSE(views.Enabled(Control::RunCount));
  EXPECT_EQ(views.Text(Control::RunCount), "");
  EXPECT_EQ(views.log, "");
  EXPECT_EQ(StoredCount(), "10");
}

TEST_F(RunSettingsTest, SwitchingToTheSettingsPageLoadsTheStoredModeWithoutReminder) {
  ASSERT_TRUE(store.SetRunModeCustom("7"));
  views.page = 1;
  settings.OnTabPageChanged();
  EXPECT_EQ(views.Selection(Control::RunMode), 1);
  EXPECT_EQ(views.Text(Control::RunMode), "自定义");
  EXPECT_TRUE(views.Enabled(Control::RunCount));
  EXPECT_EQ(views.Text(Control::RunCount), "7");
  EXPECT_EQ(views.log, "");
}

TEST_F(RunSettingsTest, SwitchingToTheSettingsPageReplacesAnUnsavedChoice) {
  // Stored: "无限循环" (first row). The user picked "自定义" and typed a count, but did not save.
  views.page = 1;
  PickMode("自定义");
  views.SetText(Control::RunCount, "5");
  settings.OnTabPageChanged();
  EXPECT_EQ(views.Selection(Control::RunMode), 0);
  EXPECT_FALSE(views.Enabled(Control::RunCount));
  EXPECT_EQ(views.Text(Control::RunCount), "");
}

TEST_F(RunSettingsTest, SwitchingToAnotherPageChangesNothing) {
  ASSERT_TRUE(store.SetRunModeCustom("7"));
  views.page = 0;
  settings.OnTabPageChanged();
  EXPECT_EQ(views.Selection(Control::RunMode), 0);
  EXPECT_FALSE(views.Enabled(Control::RunCount));
  EXPECT_EQ(views.Text(Control::RunCount), "");
}

TEST_F(RunSettingsTest, StartUpLoadsTheIntervalAndTheStoredModeAndCount) {
  // Decided: the stored mode governs runs from start-up, not only after page 1 was shown.
  ASSERT_TRUE(store.SetLoopInterval("750"));
  ASSERT_TRUE(store.SetRunModeCustom("5"));
  settings.LoadAtStartup();
  EXPECT_EQ(state.loopInterval, 750);
  EXPECT_EQ(views.Text(Control::LoopInterval), "750");
  EXPECT_EQ(views.Selection(Control::RunMode), 1);
  EXPECT_TRUE(views.Enabled(Control::RunCount));
  EXPECT_EQ(views.Text(Control::RunCount), "5");
  EXPECT_EQ(views.log, "");  // no reminder line
}

TEST_F(RunSettingsTest, StartUpWithTheFirstRowsShowsInfiniteLoop) {
  settings.LoadAtStartup();
  EXPECT_EQ(state.loopInterval, 20001);
  EXPECT_EQ(views.Text(Control::LoopInterval), "20001");
  EXPECT_EQ(views.Selection(Control::RunMode), 0);
  EXPECT_FALSE(views.Enabled(Control::RunCount));
  EXPECT_EQ(views.Text(Control::RunCount), "");
}

TEST(RunSettingsApp, CustomModeSavedBeforeARestartIsSelectedAtStartUp) {
  testing::AppFixture f;
  ASSERT_TRUE(f.Start());
  f.views.page = 1;
  ASSERT_TRUE(f.views.Pick(Control::RunMode, "自定义"));
  f.app->Settings().OnRunModeSelected();
  f.views.SetText(Control::RunCount, "5");
  f.app->Settings().SaveRunMode();

  ASSERT_TRUE(f.Restart());
  EXPECT_EQ(f.views.page, 0);
  EXPECT_EQ(f.views.Selection(Control::RunMode), 1);
  EXPECT_EQ(f.views.Text(Control::RunCount), "5");
  EXPECT_TRUE(f.views.Enabled(Control::RunCount));
  EXPECT_EQ(f.views.log.find(texts::kCustomReminder), std::string::npos);
}

}  // namespace
}  // namespace xs
