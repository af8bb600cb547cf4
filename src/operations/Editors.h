#pragma once
// The logic of the three editor windows. Each checks its input before anything is added, adds a
// row only once its record was stored, and reports a refusal in a message box.
#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>

#include "app/StatusLog.h"
#include "app/Views.h"
#include "operations/OperationList.h"
#include "store/Store.h"

namespace xs {

class InputBackend;

class MouseEditor {
 public:
  MouseEditor(OperationList& list, Store& store, Views& views, StatusLog& log, InputBackend& input);
  void OnOpened();        // sets the initial state of the controls
  void OnTypeChanged();   // 组合框1 picked
  void OnPointerTick();   // live pointer position into 标签7 / 标签9
  void OnAdd();           // "添加"

 private:
  void AddClick();
  void AddMove();
  void ResetAfterAdd();

  OperationList& list_;
  Store& store_;
  Views& views_;
  StatusLog& log_;
  InputBackend& input_;
  // What the live labels show now, so an unchanged pointer does not repaint them every tick.
  std::optional<std::pair<int32_t, int32_t>> shownPointer_;
};

class KeyEditor {
 public:
  KeyEditor(OperationList& list, Store& store, Views& views, StatusLog& log);
  void OnOpened();
  void OnConverterChanged();  // text of 编辑框4 changed
  void OnAdd();

 private:
  OperationList& list_;
  Store& store_;
  Views& views_;
  StatusLog& log_;
};

class DelayEditor {
 public:
  DelayEditor(OperationList& list, Store& store, Views& views, StatusLog& log);
  void OnOpened();
  void OnAdd();

 private:
  OperationList& list_;
  Store& store_;
  Views& views_;
  StatusLog& log_;
};

// The one-character key-code converter: the code of the first character, lower-case ASCII letters
// folded to upper case; empty gives 0, and a character outside ASCII gives 0.
int KeyCodeOfText(std::string_view text);

}  // namespace xs
