#pragma once
// The macro: the ordered rows that a playback pass performs, shown by the main window's list.
// The rows here are the only in-memory copy; each keeps its record's store ID beside it, so a
// delete removes that row's own record whatever column 1 shows.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/StatusLog.h"
#include "app/Views.h"
#include "store/Store.h"

namespace xs {

enum Column : int {
  kColRowNumber = 0,  // "ID": 1-based position
  kColRecordId = 1,   // "编号"
  kColKind = 2,
  kColX = 3,
  kColY = 4,
  kColParam1 = 5,
  kColParam2 = 6,
  kColParam3 = 7,
  kColDelay = 8,
  kColumnCount = 9,
};

struct Operation {
  std::array<std::string, kColumnCount> cells;
  int64_t storeId = 0;  // the ID the store gave the record
};

class OperationList {
 public:
  OperationList(Store& store, Views& views, StatusLog& log);

  int RowCount() const;
  // A row outside the list reads as the empty text in every column.
  const std::string& CellText(int row, int column) const;
  int SelectedRow();  // -1 when none

  // Appends a row numbered as the list shows it; storeId is what the store's insert returned.
  void AppendOperation(std::string_view kind, std::string_view x, std::string_view y,
                       std::string_view param1, std::string_view param2, std::string_view param3,
                       std::string_view delay, int64_t storeId);
  // Rebuilds the rows from the store (ascending ID).
  void Reload();

  // Handlers.
  void ClearAll();            // "清空操作"
  bool OnRightButton();       // true: show the popup menu "删除项目"
  void DeleteSelected();      // menu item "删除"

 private:
  Store& store_;
  Views& views_;
  StatusLog& log_;
  std::vector<Operation> rows_;
};

}  // namespace xs
