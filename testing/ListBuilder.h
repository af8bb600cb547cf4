#pragma once
// Fills an OperationList the way the editors do: with a store, each row's record is inserted and
// its ID kept beside the row, so "删除" and "清空操作" work on it; without one, rows are only shown.
// Row() shows cells no editor would make (unknown kinds, cells that hold no number).
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "operations/OperationList.h"
#include "operations/Texts.h"
#include "store/Store.h"

namespace xs::testing {

class ListBuilder {
 public:
  explicit ListBuilder(OperationList& list, Store* store = nullptr) : list_(list), store_(store) {}

  ListBuilder& Move(const std::string& x, const std::string& y) {
    return Add(store_ ? store_->InsertMove(texts::kKindMove, x, y) : std::nullopt,
               texts::kKindMove, x, y, "0", "0", "0", "0");
  }
  ListBuilder& Click(const std::string& button, const std::string& action) {
    return Add(store_ ? store_->InsertClick(texts::kKindClick, button, action) : std::nullopt,
               texts::kKindClick, "0", "0", button, action, "0", "0");
  }
  ListBuilder& Delay(const std::string& ms) {
    return Add(store_ ? store_->InsertDelay(ms) : std::nullopt, texts::kKindDelay, "0", "0", "0", "0", "0", ms);
  }
  ListBuilder& Keys(const std::string& k1, const std::string& k2 = "0", const std::string& k3 = "0") {
    return Add(store_ ? store_->InsertKeys(k1, k2, k3) : std::nullopt, texts::kKindKeys, "0", "0", k1, k2, k3, "0");
  }
  ListBuilder& Row(const std::string& kind, const std::string& x, const std::string& y, const std::string& p1,
                   const std::string& p2, const std::string& p3, const std::string& delay) {
    list_.AppendOperation(kind, x, y, p1, p2, p3, delay, 0);
    return *this;
  }

 private:
  ListBuilder& Add(std::optional<int64_t> id, const std::string& kind, const std::string& x, const std::string& y,
                   const std::string& p1, const std::string& p2, const std::string& p3, const std::string& delay) {
    if (store_ && !id) ADD_FAILURE() << "the store refused a " << kind << " row";
    list_.AppendOperation(kind, x, y, p1, p2, p3, delay, id.value_or(0));
    return *this;
  }

  OperationList& list_;
  Store* store_;
};

}  // namespace xs::testing
