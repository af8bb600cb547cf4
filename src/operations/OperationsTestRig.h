#pragma once
// For the tests of this folder: the list and the three editors on a real store file in a fresh
// folder, with in-memory views. Restart() reopens the file as a new start of the program would.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>
#include <vector>

#include "AppFixture.h"
#include "FakeSystem.h"
#include "FakeViews.h"
#include "RecordingInput.h"
#include "operations/Editors.h"
#include "operations/OperationList.h"
#include "store/Store.h"

namespace xs::testing {

class OperationsRig : public ::testing::Test {
 protected:
  void SetUp() override {
    PrepareControls(views);
    ASSERT_EQ(Store::CreateIfMissing(path), CreateResult::Created);
    ASSERT_TRUE(store.Connect(path));
    list.Reload();
    mouse.OnOpened();
    keys.OnOpened();
    delay.OnOpened();
  }

  void Restart() {
    store.Disconnect();
    ASSERT_TRUE(store.Connect(path));
    list.Reload();
  }

  // Raw SQL below the typed calls: seeding rows, planting a fault.
  void Sql(const std::string& sql) {
    char* error = nullptr;
    const int rc = sqlite3_exec(store.RawHandle(), sql.c_str(), nullptr, nullptr, &error);
    ASSERT_EQ(rc, SQLITE_OK) << sql << ": " << (error ? error : "");
    sqlite3_free(error);
  }
  void RefuseInserts() { Sql("CREATE TRIGGER no_insert BEFORE INSERT ON 数据存放 BEGIN SELECT RAISE(ABORT, 'refused'); END"); }
  void RefuseDeletes() { Sql("CREATE TRIGGER no_delete BEFORE DELETE ON 数据存放 BEGIN SELECT RAISE(ABORT, 'refused'); END"); }

  void AddClick(const std::string& button = "左键", const std::string& action = "单击") {
    views.Pick(Control::MouseButton, button);
    views.Pick(Control::MouseAction, action);
    mouse.OnAdd();
  }
  void AddMove(const std::string& x, const std::string& y) {
    views.Pick(Control::MouseType, "鼠标移动");
    mouse.OnTypeChanged();
    views.SetText(Control::MouseX, x);
    views.SetText(Control::MouseY, y);
    mouse.OnAdd();
  }
  void AddKeys(const std::string& k1, const std::string& k2 = "", const std::string& k3 = "") {
    views.SetText(Control::Key1, k1);
    views.SetText(Control::Key2, k2);
    views.SetText(Control::Key3, k3);
    keys.OnAdd();
  }
  void AddDelay(const std::string& ms) {
    views.SetText(Control::DelayValue, ms);
    delay.OnAdd();
  }

  // Columns 2 to 8 of a row: what the row is, without its numbering.
  std::vector<std::string> Fields(int row) const {
    std::vector<std::string> cells;
    for (int c = kColKind; c < kColumnCount; ++c) cells.push_back(list.CellText(row, c));
    return cells;
  }
  std::vector<std::string> Column(int column) const {
    std::vector<std::string> cells;
    for (int r = 0; r < list.RowCount(); ++r) cells.push_back(list.CellText(r, column));
    return cells;
  }
  std::vector<int64_t> StoredIds() {
    std::vector<int64_t> ids;
    for (const auto& op : store.ReadOperations()) ids.push_back(op.id);
    return ids;
  }

  TempDir dir;
  std::string path = dir.Path("NBDA.rdb");
  FakeViews views;
  Store store;
  StatusLog log{views};
  RecordingInput input;
  OperationList list{store, views, log};
  MouseEditor mouse{list, store, views, log, input};
  KeyEditor keys{list, store, views, log};
  DelayEditor delay{list, store, views, log};
};

}  // namespace xs::testing
