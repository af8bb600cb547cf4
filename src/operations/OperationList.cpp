#include "operations/OperationList.h"

#include <utility>

#include "operations/Texts.h"
#include "util/TextToInt.h"

namespace xs {

OperationList::OperationList(Store& store, Views& views, StatusLog& log)
    : store_(store), views_(views), log_(log) {}

int OperationList::RowCount() const { return static_cast<int>(rows_.size()); }

const std::string& OperationList::CellText(int row, int column) const {
  static const std::string kEmpty;
  if (row < 0 || row >= RowCount() || column < 0 || column >= kColumnCount) return kEmpty;
  return rows_[static_cast<size_t>(row)].cells[static_cast<size_t>(column)];
}

int OperationList::SelectedRow() { return views_.ListSelectedRow(); }

void OperationList::AppendOperation(std::string_view kind, std::string_view x, std::string_view y,
                                    std::string_view param1, std::string_view param2,
                                    std::string_view param3, std::string_view delay, int64_t storeId) {
  const int n = RowCount();
  // Column 1 continues the numbering of the row above (the empty text before the first row reads
  // as 0); the store's own ID is kept beside the row for the delete. Widened so that a shown
  // 2147483647 cannot overflow.
  const int64_t recordId = int64_t{TextToInt(CellText(n - 1, kColRecordId))} + 1;
  Operation op;
  op.cells = {IntToText(n + 1),       IntToText(recordId),   std::string(kind),
              std::string(x),         std::string(y),        std::string(param1),
              std::string(param2),    std::string(param3),   std::string(delay)};
  op.storeId = storeId;
  rows_.push_back(std::move(op));
  views_.ListRowsChanged(RowCount());
}

void OperationList::Reload() {
  std::vector<StoredOperation> stored = store_.ReadOperations();
  // The old rows go before the new ones are built, so a rebuild of a long list does not hold
  // two copies of it at once.
  rows_.clear();
  rows_.reserve(stored.size());
  auto orZero = [](std::string& field) { return field.empty() ? std::string("0") : std::move(field); };
  int position = 0;
  for (StoredOperation& s : stored) {
    Operation op;
    op.cells = {IntToText(++position), IntToText(s.id), std::move(s.kind), orZero(s.x),
                orZero(s.y),           orZero(s.param1), orZero(s.param2), orZero(s.param3),
                orZero(s.delay)};
    op.storeId = s.id;
    rows_.push_back(std::move(op));
  }
  views_.ListRowsChanged(RowCount());
}

void OperationList::ClearAll() {
  // The list mirrors the store: when the store keeps its records, the rows stay too, or they
  // would silently come back at the next start.
  if (!store_.DeleteAllOperations()) {
    views_.ShowMessage(texts::kClearRefused, MessageIcon::Error);
    return;
  }
  rows_.clear();
  views_.ListRowsChanged(0);
  log_.AppendLog(texts::kCleared);
}

bool OperationList::OnRightButton() {
  // The menu acts on the row selected before the click, never on the one under the pointer.
  const int selected = SelectedRow();
  return RowCount() != 0 && selected >= 0 && selected < RowCount();
}

void OperationList::DeleteSelected() {
  const int selected = SelectedRow();
  if (selected < 0 || selected >= RowCount()) return;
  // The row's own record, whatever column 1 shows (after a clear or the removal of the highest ID,
  // column 1 names another record or none).
  if (!store_.DeleteOperation(rows_[static_cast<size_t>(selected)].storeId)) return;
  log_.AppendLog(texts::kDeleted);
  Reload();
}

}  // namespace xs
