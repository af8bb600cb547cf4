#include "operations/OperationList.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "operations/OperationsTestRig.h"

namespace xs {
namespace {

using Cells = std::vector<std::string>;
using Ids = std::vector<int64_t>;

const char kDeletedLine[] = "系统系统：删除操作成功....";
const char kClearedLine[] = "系统提示：清空成功...";

class OperationListTest : public ::xs::testing::OperationsRig {
 protected:
  // Three stored rows: a click, a move and a delay, IDs 1 to 3.
  void AddThree() {
    AddClick();
    AddMove("10", "20");
    AddDelay("300");
    ASSERT_EQ(list.RowCount(), 3);
    ASSERT_EQ(StoredIds(), (Ids{1, 2, 3}));
    views.log.clear();
  }
};

// ---- Reload ----

TEST_F(OperationListTest, EmptyStoreGivesAnEmptyListAndTellsTheView) {
  views.listRowCount = 99;
  list.Reload();
  EXPECT_EQ(list.RowCount(), 0);
  EXPECT_EQ(views.listRowCount, 0);
}

TEST_F(OperationListTest, ReloadNumbersRowsShowsIdsAndZeroForEmptyFields) {
  // Out of ID order, with gaps, a Null kind and a key press with empty second and third codes.
  Sql("INSERT INTO 数据存放 (ID, 类型, 参数一, 参数二, 参数三) VALUES (9, '键盘操作', '17', '', '')");
  Sql("INSERT INTO 数据存放 (ID, 类型, 参数一, 参数二) VALUES (5, '鼠标点击', '右键', '双击')");
  Sql("INSERT INTO 数据存放 (ID, 坐标X, 延迟) VALUES (12, -3, 250)");
  Sql("INSERT INTO 数据存放 (ID, 类型, 坐标X, 坐标Y) VALUES (2, '', 1920, 0)");
  list.Reload();
  ASSERT_EQ(list.RowCount(), 4);
  EXPECT_EQ(views.listRowCount, 4);
  EXPECT_EQ(Column(kColRowNumber), (Cells{"1", "2", "3", "4"}));
  EXPECT_EQ(Column(kColRecordId), (Cells{"2", "5", "9", "12"}));
  EXPECT_EQ(Fields(0), (Cells{"", "1920", "0", "0", "0", "0", "0"}));  // empty kind shown as is
  EXPECT_EQ(Fields(1), (Cells{"鼠标点击", "0", "0", "右键", "双击", "0", "0"}));
  EXPECT_EQ(Fields(2), (Cells{"键盘操作", "0", "0", "17", "0", "0", "0"}));
  EXPECT_EQ(Fields(3), (Cells{"", "-3", "0", "0", "0", "0", "250"}));  // Null kind
}

TEST_F(OperationListTest, ReloadReplacesRowsAppendedSinceTheLastOne) {
  AddThree();
  Sql("DELETE FROM 数据存放 WHERE ID = 2");
  list.Reload();
  EXPECT_EQ(Column(kColRecordId), (Cells{"1", "3"}));
  EXPECT_EQ(Column(kColRowNumber), (Cells{"1", "2"}));
}

TEST_F(OperationListTest, CellsOutsideTheListAreEmpty) {
  AddThree();
  EXPECT_EQ(list.CellText(-1, kColRecordId), "");
  EXPECT_EQ(list.CellText(list.RowCount(), kColRowNumber), "");
  EXPECT_EQ(list.CellText(0, -1), "");
  EXPECT_EQ(list.CellText(0, kColumnCount), "");
  EXPECT_EQ(list.CellText(0, kColKind), "鼠标点击");
}

// ---- AppendOperation's numbering (column 1) versus the store's IDs ----

TEST_F(OperationListTest, AppendContinuesFromColumnOneOfTheRowAbove) {
  Sql("INSERT INTO 数据存放 (ID, 类型, 延迟) VALUES (7, '延迟', 1)");
  list.Reload();
  AddDelay("2");
  EXPECT_EQ(Column(kColRecordId), (Cells{"7", "8"}));
  EXPECT_EQ(Column(kColRowNumber), (Cells{"1", "2"}));
  EXPECT_EQ(views.listRowCount, 2);
}

TEST_F(OperationListTest, AfterAClearNumberingRestartsAtOneWhileTheStoreGoesOn) {
  AddThree();
  list.ClearAll();
  AddKeys("65");
  AddDelay("10");
  EXPECT_EQ(Column(kColRowNumber), (Cells{"1", "2"}));
  EXPECT_EQ(Column(kColRecordId), (Cells{"1", "2"}));
  EXPECT_EQ(StoredIds(), (Ids{4, 5}));
}

TEST_F(OperationListTest, DeleteAfterAClearRemovesTheRowsOwnRecord) {
  AddThree();
  list.ClearAll();
  AddKeys("65");   // shows 1, stored as 4
  AddDelay("10");  // shows 2, stored as 5
  views.listSelection = 0;
  list.DeleteSelected();
  EXPECT_EQ(StoredIds(), (Ids{5}));
  ASSERT_EQ(list.RowCount(), 1);
  EXPECT_EQ(list.CellText(0, kColRecordId), "5");  // rebuilt: the store's ID now
  EXPECT_EQ(list.CellText(0, kColKind), "延迟");
}

TEST_F(OperationListTest, DeleteAfterRemovingTheHighestIdHitsTheRightRecord) {
  AddThree();
  views.listSelection = 2;
  list.DeleteSelected();  // ID 3 goes; the store will not give it again
  AddKeys("65");          // shows 3, stored as 4
  AddKeys("66");          // shows 4, stored as 5
  EXPECT_EQ(Column(kColRecordId), (Cells{"1", "2", "3", "4"}));
  ASSERT_EQ(StoredIds(), (Ids{1, 2, 4, 5}));

  // The last row shows 4, the ID of the record above it: only its own record may go.
  views.listSelection = 3;
  list.DeleteSelected();
  EXPECT_EQ(StoredIds(), (Ids{1, 2, 4}));
  EXPECT_EQ(Column(kColRecordId), (Cells{"1", "2", "4"}));
  EXPECT_EQ(list.CellText(2, kColParam1), "65");
}

// ---- DeleteSelected ----

TEST_F(OperationListTest, DeletingTheSecondOfThreeRenumbersTheRest) {
  AddThree();
  views.listSelection = 1;
  const int changes = views.listChanges;
  list.DeleteSelected();
  EXPECT_EQ(StoredIds(), (Ids{1, 3}));
  EXPECT_EQ(Column(kColRowNumber), (Cells{"1", "2"}));
  EXPECT_EQ(Column(kColRecordId), (Cells{"1", "3"}));
  EXPECT_EQ(Column(kColKind), (Cells{"鼠标点击", "延迟"}));
  EXPECT_EQ(views.LogLines(), (Cells{kDeletedLine}));
  EXPECT_GT(views.listChanges, changes);
  EXPECT_EQ(views.listRowCount, 2);
}

TEST_F(OperationListTest, DeletingARowWhoseRecordIsAlreadyGoneStillCounts) {
  AddThree();
  Sql("DELETE FROM 数据存放 WHERE ID = 2");
  views.listSelection = 1;
  list.DeleteSelected();
  EXPECT_EQ(views.LogLines(), (Cells{kDeletedLine}));
  EXPECT_EQ(Column(kColRecordId), (Cells{"1", "3"}));
}

TEST_F(OperationListTest, RefusedDeleteLogsNothingAndChangesNothing) {
  AddThree();
  RefuseDeletes();
  views.listSelection = 1;
  const int changes = views.listChanges;
  list.DeleteSelected();
  EXPECT_TRUE(views.log.empty()) << views.log;
  EXPECT_TRUE(views.messages.empty());
  EXPECT_EQ(views.listChanges, changes);
  EXPECT_EQ(list.RowCount(), 3);
  EXPECT_EQ(StoredIds(), (Ids{1, 2, 3}));
}

TEST_F(OperationListTest, DeleteWithoutASelectionDoesNothing) {
  AddThree();
  views.listSelection = -1;
  list.DeleteSelected();
  views.listSelection = 3;  // a stale selection past the end
  list.DeleteSelected();
  EXPECT_TRUE(views.log.empty());
  EXPECT_EQ(StoredIds(), (Ids{1, 2, 3}));
}

// ---- The right button and its menu ----

struct RightButtonCase {
  const char* name;
  int rows;
  int selection;
  bool menu;
  friend void PrintTo(const RightButtonCase& c, std::ostream* os) { *os << c.name; }
};

class OperationListRightButton : public OperationListTest,
                                 public ::testing::WithParamInterface<RightButtonCase> {};

TEST_P(OperationListRightButton, MenuOnlyWithRowsAndASelection) {
  for (int i = 0; i < GetParam().rows; ++i) AddDelay("1");
  views.listSelection = GetParam().selection;
  EXPECT_EQ(list.OnRightButton(), GetParam().menu);
  EXPECT_EQ(views.listSelection, GetParam().selection);  // a right click never moves the selection
  EXPECT_EQ(list.RowCount(), GetParam().rows);
}

INSTANTIATE_TEST_SUITE_P(Cases, OperationListRightButton,
                         ::testing::Values(RightButtonCase{"EmptyList", 0, -1, false},
                                           RightButtonCase{"EmptyListStaleSelection", 0, 0, false},
                                           RightButtonCase{"RowsNoSelection", 3, -1, false},
                                           RightButtonCase{"FirstSelected", 3, 0, true},
                                           RightButtonCase{"LastSelected", 3, 2, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(OperationListTest, MenuActsOnTheSelectedRowNotTheOneUnderThePointer) {
  for (const char* ms : {"100", "200", "300", "400", "500"}) AddDelay(ms);
  views.listSelection = 1;
  // The right click lands on the fifth row; the core never sees which row was under the pointer.
  ASSERT_TRUE(list.OnRightButton());
  EXPECT_EQ(list.SelectedRow(), 1);
  list.DeleteSelected();
  EXPECT_EQ(StoredIds(), (Ids{1, 3, 4, 5}));
  EXPECT_EQ(Column(kColDelay), (Cells{"100", "300", "400", "500"}));
}

// ---- ClearAll ----

TEST_F(OperationListTest, ClearEmptiesStoreAndListAndLogs) {
  AddThree();
  list.ClearAll();
  EXPECT_EQ(list.RowCount(), 0);
  EXPECT_EQ(views.listRowCount, 0);
  EXPECT_TRUE(StoredIds().empty());
  EXPECT_EQ(views.LogLines(), (Cells{kClearedLine}));
  EXPECT_TRUE(views.messages.empty());
}

TEST_F(OperationListTest, RefusedClearIsReportedAndKeepsTheRows) {
  AddThree();
  RefuseDeletes();
  const int changes = views.listChanges;
  list.ClearAll();
  ASSERT_EQ(views.messages.size(), 1u);
  EXPECT_EQ(views.messages[0].text, "清空操作失败，已保存的操作未删除，列表未改变");
  EXPECT_EQ(views.messages[0].icon, MessageIcon::Error);
  EXPECT_TRUE(views.log.empty()) << views.log;
  EXPECT_EQ(views.listChanges, changes);
  EXPECT_EQ(list.RowCount(), 3);
  EXPECT_EQ(StoredIds(), (Ids{1, 2, 3}));
  // What the list shows is what a new start shows.
  Restart();
  EXPECT_EQ(list.RowCount(), 3);
}

TEST_F(OperationListTest, ClearOfAReadOnlyStoreIsRefused) {
  AddThree();
  Sql("PRAGMA query_only = ON");
  list.ClearAll();
  ASSERT_EQ(views.messages.size(), 1u);
  EXPECT_EQ(views.messages[0].icon, MessageIcon::Error);
  EXPECT_EQ(list.RowCount(), 3);
}

// ---- Start-up through the whole app ----

TEST(OperationListInApp, StartUpShowsTheStoredRowsWithTheirIds) {
  ::xs::testing::AppFixture f;
  ASSERT_TRUE(f.Start());
  ASSERT_TRUE(f.app->GetStore().InsertKeys("17", "86", ""));
  ASSERT_TRUE(f.app->GetStore().InsertDelay("250"));
  ASSERT_TRUE(f.app->GetStore().DeleteOperation(1));
  ASSERT_TRUE(f.Restart());
  ASSERT_EQ(f.app->List().RowCount(), 1);
  EXPECT_EQ(f.views.listRowCount, 1);
  EXPECT_EQ(f.app->List().CellText(0, kColRowNumber), "1");
  EXPECT_EQ(f.app->List().CellText(0, kColRecordId), "2");
  EXPECT_EQ(f.app->List().CellText(0, kColDelay), "250");
}

}  // namespace
}  // namespace xs
