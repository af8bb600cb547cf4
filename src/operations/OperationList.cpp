// STUB: to be replaced.
#include "operations/OperationList.h"
namespace xs {
OperationList::OperationList(Store& store, Views& views, StatusLog& log) : store_(store), views_(views), log_(log) {}
int OperationList::RowCount() const { return static_cast<int>(rows_.size()); }
const std::string& OperationList::CellText(int row, int column) const {
  static const std::string kEmpty;
  if (row < 0 || row >= RowCount() || column < 0 || column >= kColumnCount) return kEmpty;
  return rows_[static_cast<size_t>(row)].cells[static_cast<size_t>(column)];
}
int OperationList::SelectedRow() { return views_.ListSelectedRow(); }
void OperationList::AppendOperation(std::string_view, std::string_view, std::string_view, std::string_view, std::string_view, std::string_view, std::string_view, int64_t) {}
void OperationList::Reload() {}
void OperationList::ClearAll() {}
bool OperationList::OnRightButton() { return false; }
void OperationList::DeleteSelected() {}
}  // namespace xs
