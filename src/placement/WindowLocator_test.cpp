#include "placement/WindowLocator.h"

#include <gtest/gtest.h>

#include <string>

#include "FakeEventLoop.h"
#include "FakeSystem.h"
#include "FakeViews.h"

namespace xs {
namespace {

using testing::FakeEventLoop;
using testing::FakeViews;
using testing::FakeWindow;
using testing::FakeWindowSystem;

FakeWindow Window(WindowHandle h, uint32_t pid, ScreenRect rect, bool visible = true) {
  FakeWindow w;
  w.handle = h;
  w.pid = pid;
  w.rect = rect;
  w.visible = visible;
  return w;
}

class WindowLocatorTest : public ::testing::Test {
 protected:
  // Chooses a process in the list as the user would.
  void Choose(const std::string& name) {
    views.SetItems(Control::ProcessCombo, {name});
    views.SetSelection(Control::ProcessCombo, 0);
  }

  FakeWindowSystem system;
  FakeEventLoop loop;
  FakeViews views;
  WindowLocator locator{system, loop, views};
};

TEST_F(WindowLocatorTest, RefreshListsEveryProcessInSnapshotOrderAndEmptiesThePositionBoxes) {
  system.processes = std::vector<ProcessEntry>{{4, "System"}, {20, "game.exe"}, {21, "game.exe"}, {7, "编辑器.exe"}};
  views.SetText(Control::PositionX, "50");
  views.SetText(Control::PositionY, "100");
  locator.RefreshProcessList();
  EXPECT_EQ(views.At(Control::ProcessCombo).items,
            (std::vector<std::string>{"System", "game.exe", "game.exe", "编辑器.exe"}));
  EXPECT_EQ(views.Selection(Control::ProcessCombo), 0);
  EXPECT_EQ(locator.ChosenProcessName(), "System");
  EXPECT_EQ(views.Text(Control::PositionX), "");
  EXPECT_EQ(views.Text(Control::PositionY), "");
}

TEST_F(WindowLocatorTest, NoSnapshotEmptiesTheListAndLeavesNothingChosen) {
  Choose("old.exe");
  system.processes = std::nullopt;
  EXPECT_TRUE(locator.ListProcessNames().empty());
  locator.RefreshProcessList();
  EXPECT_TRUE(views.At(Control::ProcessCombo).items.empty());
  EXPECT_EQ(views.Selection(Control::ProcessCombo), -1);
  EXPECT_EQ(locator.ChosenProcessName(), "");
  EXPECT_EQ(locator.FindProcessId("old.exe"), 0u);
}

TEST_F(WindowLocatorTest, TheChosenNameIsTheSelectedEntryNeverTypedText) {
  views.SetItems(Control::ProcessCombo, {"a.exe", "b.exe"});
  views.SetText(Control::ProcessCombo, "typed.exe");
  EXPECT_EQ(locator.ChosenProcessName(), "");
  views.SetSelection(Control::ProcessCombo, 1);
  EXPECT_EQ(locator.ChosenProcessName(), "b.exe");
}

struct IdCase {
  const char* name;
  const char* asked;
  uint32_t pid;
};

// Running: "Notepad.EXE" (10), "game.exe" twice (20, 21), "É.exe" (30), "游戏.exe" (40),
// "ＡＢ.exe" (50, full-width letters).
const IdCase kIdCases[] = {
    {"exact", "Notepad.EXE", 10},
    {"ascii case differs", "NOTEPAD.exe", 10},
    {"first of two with one name", "GAME.EXE", 20},
    {"non-ascii letter case is not folded", "é.exe", 0},
    {"non-ascii letter exact", "É.exe", 30},
    {"chinese exact", "游戏.exe", 40},
    {"full-width letters are not folded", "ａｂ.exe", 0},
    {"prefix is not a match", "Notepad", 0},
    {"trailing blank is not a match", "game.exe ", 0},
    {"absent", "other.exe", 0},
    {"empty", "", 0},
};

class WindowLocatorIdTable : public WindowLocatorTest, public ::testing::WithParamInterface<IdCase> {};

TEST_P(WindowLocatorIdTable, FindProcessIdFoldsOnlyAsciiLettersAndTakesTheFirst) {
  system.processes = std::vector<ProcessEntry>{
      {10, "Notepad.EXE"}, {20, "game.exe"}, {21, "game.exe"}, {30, "É.exe"}, {40, "游戏.exe"}, {50, "ＡＢ.exe"}};
  EXPECT_EQ(locator.FindProcessId(GetParam().asked), GetParam().pid);
}

INSTANTIATE_TEST_SUITE_P(Cases, WindowLocatorIdTable, ::testing::ValuesIn(kIdCases), [](const auto& info) {
  std::string n = info.param.name;
  for (char& ch : n)
    if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
  return n;
});

TEST_F(WindowLocatorTest, TheWindowFoundIsTheTopmostVisibleOneOfTheProcess) {
  system.processes = std::vector<ProcessEntry>{{10, "game.exe"}};
  system.windows = {Window(1, 99, {}), Window(2, 10, {}, /*visible=*/false), Window(3, 10, {}), Window(4, 10, {})};
  EXPECT_EQ(locator.FindWindowOfProcessName("game.exe"), 3u);
}

TEST_F(WindowLocatorTest, NoVisibleWindowGivesUpAfterOneSweep) {
  // Decided: one complete sweep, then an answer that is not a window; nothing is dispatched.
  system.processes = std::vector<ProcessEntry>{{10, "tray.exe"}};
  system.windows = {Window(1, 99, {}), Window(2, 10, {}, /*visible=*/false)};
  EXPECT_EQ(locator.FindWindowOfProcessName("tray.exe"), kNullWindow);
  EXPECT_EQ(system.sweeps, 1);
  EXPECT_EQ(loop.pumps, 0);
  EXPECT_EQ(loop.waits, 0);
}

TEST_F(WindowLocatorTest, NoProcessOfTheNameGivesMinusOneWithoutASweep) {
  system.processes = std::vector<ProcessEntry>{{10, "game.exe"}};
  system.windows = {Window(1, 10, {})};
  EXPECT_EQ(locator.FindWindowOfProcessName("other.exe"), kNoProcessWindow);
  EXPECT_EQ(locator.FindWindowOfProcessName(""), kNoProcessWindow);
  EXPECT_EQ(system.sweeps, 0);
}

TEST_F(WindowLocatorTest, OfTwoProcessesWithOneNameOnlyTheFirstIsLookedAt) {
  // The second instance has a window, the first none: the name still finds no window.
  system.processes = std::vector<ProcessEntry>{{20, "game.exe"}, {21, "game.exe"}};
  system.windows = {Window(5, 21, {100, 50, 900, 650})};
  Choose("game.exe");
  EXPECT_EQ(locator.FindWindowOfProcessName("game.exe"), kNullWindow);
  locator.ShowWindowPosition();
  EXPECT_EQ(views.Text(Control::ShownX), "0");
  EXPECT_EQ(views.Text(Control::ShownY), "0");
}

TEST_F(WindowLocatorTest, ReadWindowRectGivesLeftTopWidthHeightAndZerosForANonWindow) {
  system.windows = {Window(7, 1, {-300, 40, 500, 640})};
  const WindowRect r = locator.ReadWindowRect(7);
  EXPECT_EQ(r.left, -300);
  EXPECT_EQ(r.top, 40);
  EXPECT_EQ(r.width, 800);
  EXPECT_EQ(r.height, 600);
  for (const WindowHandle w : {kNullWindow, kNoProcessWindow, WindowHandle{8}}) {
    const WindowRect z = locator.ReadWindowRect(w);
    EXPECT_EQ(z.left, 0);
    EXPECT_EQ(z.top, 0);
    EXPECT_EQ(z.width, 0);
    EXPECT_EQ(z.height, 0);
  }
}

struct ShownCase {
  const char* name;
  ScreenRect rect;
  const char* shownX;  // beside "坐标X：": the top edge
  const char* shownY;  // beside "坐标Y：": the left edge
};

const ShownCase kShownCases[] = {
    {"left 100 top 50", {100, 50, 900, 650}, "50", "100"},
    {"off the screen to the left", {-250, 30, 550, 630}, "30", "-250"},
    {"above the screen", {10, -40, 810, 560}, "-40", "10"},
    {"second monitor left of the first", {-1920, 0, -1000, 700}, "0", "-1920"},
};

class WindowLocatorShownTable : public WindowLocatorTest, public ::testing::WithParamInterface<ShownCase> {};

TEST_P(WindowLocatorShownTable, ShowWindowPositionPutsTheTopEdgeBesideXAndTheLeftEdgeBesideY) {
  const auto& c = GetParam();
  system.processes = std::vector<ProcessEntry>{{10, "game.exe"}};
  system.windows = {Window(3, 10, c.rect)};
  Choose("game.exe");
  locator.ShowWindowPosition();
  EXPECT_EQ(views.Text(Control::ShownX), c.shownX);
  EXPECT_EQ(views.Text(Control::ShownY), c.shownY);
  EXPECT_EQ(locator.LastRect().left, c.rect.left);
  EXPECT_EQ(locator.LastRect().top, c.rect.top);
  EXPECT_EQ(locator.LastRect().width, c.rect.right - c.rect.left);
  EXPECT_EQ(locator.LastRect().height, c.rect.bottom - c.rect.top);
}

INSTANTIATE_TEST_SUITE_P(Cases, WindowLocatorShownTable, ::testing::ValuesIn(kShownCases), [](const auto& info) {
  std::string n = info.param.name;
  for (char& ch : n)
    if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
  return n;
});

TEST_F(WindowLocatorTest, ShowWindowPositionWithNothingChosenShowsZerosAtOnce) {
  system.processes = std::vector<ProcessEntry>{{10, "game.exe"}};
  system.windows = {Window(3, 10, {100, 50, 900, 650})};
  views.SetText(Control::ShownX, "12");
  views.SetText(Control::ShownY, "34");
  locator.ShowWindowPosition();
  EXPECT_EQ(views.Text(Control::ShownX), "0");
  EXPECT_EQ(views.Text(Control::ShownY), "0");
  EXPECT_EQ(system.sweeps, 0);
  EXPECT_TRUE(views.messages.empty());
}

}  // namespace
}  // namespace xs
