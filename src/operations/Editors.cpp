#include "operations/Editors.h"

#include "operations/Texts.h"
#include "playback/InputBackend.h"
#include "util/TextToInt.h"

namespace xs {

namespace {

constexpr int kTypeClick = 0;  // entries of the mouse editor's type box
constexpr int kTypeMove = 1;

// A filled box that must hold a number: false (with the box's message shown) when it does not.
// ParseInt32 is the same check the store applies, so what passes here is what the store accepts.
bool IsNumberOrSay(Views& views, std::string_view text, const char* message) {
  if (ParseInt32(text)) return true;
  views.ShowMessage(message, MessageIcon::Error);
  return false;
}

void SayRefused(Views& views) { views.ShowMessage(texts::kAddRefused, MessageIcon::Error); }

}  // namespace

// ---- MouseEditor ----

MouseEditor::MouseEditor(OperationList& list, Store& store, Views& views, StatusLog& log, InputBackend& input)
    : list_(list), store_(store), views_(views), log_(log), input_(input) {}

void MouseEditor::OnOpened() {
  views_.SetSelection(Control::MouseType, kTypeClick);
  views_.SetSelection(Control::MouseButton, 0);
  views_.SetSelection(Control::MouseAction, 0);
  views_.SetText(Control::MouseX, "");
  views_.SetText(Control::MouseY, "");
  views_.SetEnabled(Control::MouseX, false);
  views_.SetEnabled(Control::MouseY, false);
  views_.SetEnabled(Control::MouseButton, true);
  views_.SetEnabled(Control::MouseAction, true);
  views_.SetText(Control::MouseLiveX, "");
  views_.SetText(Control::MouseLiveY, "");
  shownPointer_.reset();
}

void MouseEditor::OnTypeChanged() {
  const bool move = views_.Selection(Control::MouseType) == kTypeMove;
  views_.SetEnabled(Control::MouseX, move);
  views_.SetEnabled(Control::MouseY, move);
  views_.SetEnabled(Control::MouseButton, !move);
  views_.SetEnabled(Control::MouseAction, !move);
}

void MouseEditor::OnPointerTick() {
  const ScreenPoint p = input_.CursorPos();
  const std::pair<int32_t, int32_t> now{p.x, p.y};
  if (shownPointer_ == now) return;
  views_.SetText(Control::MouseLiveX, IntToText(p.x));
  views_.SetText(Control::MouseLiveY, IntToText(p.y));
  shownPointer_ = now;
}

void MouseEditor::OnAdd() {
  if (views_.Selection(Control::MouseType) == kTypeMove) {
    AddMove();
  } else {
    AddClick();
  }
}

void MouseEditor::AddClick() {
  const std::string button = views_.Text(Control::MouseButton);
  const std::string action = views_.Text(Control::MouseAction);
  const auto id = store_.InsertClick(texts::kKindClick, button, action);
  if (!id) {
    SayRefused(views_);  // the window keeps its state, so the user can try again
    return;
  }
  list_.AppendOperation(texts::kKindClick, "0", "0", button, action, "0", "0", *id);
  log_.AppendLog(texts::kAddedClick);
  ResetAfterAdd();
}

void MouseEditor::AddMove() {
  const std::string x = views_.Text(Control::MouseX);
  const std::string y = views_.Text(Control::MouseY);
  if (x.empty() || y.empty()) {
    views_.ShowMessage(texts::kMoveNeedsXY, MessageIcon::Error);
    return;
  }
  if (!IsNumberOrSay(views_, x, texts::kXNotNumber) || !IsNumberOrSay(views_, y, texts::kYNotNumber)) return;
  const auto id = store_.InsertMove(texts::kKindMove, x, y);
  if (!id) {
    SayRefused(views_);
    return;
  }
  // The row shows the texts as typed; the store keeps their values (007 comes back as 7).
  list_.AppendOperation(texts::kKindMove, x, y, "0", "0", "0", "0", *id);
  log_.AppendLog(texts::kAddedMove);
  ResetAfterAdd();
}

void MouseEditor::ResetAfterAdd() {
  // Back to click mode; the button and action boxes keep the user's choice.
  views_.SetText(Control::MouseX, "");
  views_.SetText(Control::MouseY, "");
  views_.SetSelection(Control::MouseType, kTypeClick);
  views_.SetEnabled(Control::MouseX, false);
  views_.SetEnabled(Control::MouseY, false);
  views_.SetEnabled(Control::MouseButton, true);
  views_.SetEnabled(Control::MouseAction, true);
}

// ---- KeyEditor ----

KeyEditor::KeyEditor(OperationList& list, Store& store, Views& views, StatusLog& log)
    : list_(list), store_(store), views_(views), log_(log) {}

void KeyEditor::OnOpened() {
  views_.SetText(Control::Key1, "");
  views_.SetText(Control::Key2, "");
  views_.SetText(Control::Key3, "");
  views_.SetText(Control::KeyConvertIn, "");
  views_.SetText(Control::KeyConvertOut, "0");
}

void KeyEditor::OnConverterChanged() {
  views_.SetText(Control::KeyConvertOut, IntToText(KeyCodeOfText(views_.Text(Control::KeyConvertIn))));
}

void KeyEditor::OnAdd() {
  const std::string k1 = views_.Text(Control::Key1);
  const std::string k2 = views_.Text(Control::Key2);
  const std::string k3 = views_.Text(Control::Key3);
  if (k1.empty()) {
    views_.ShowMessage(texts::kKeysNeedFirst, MessageIcon::Error);
    return;
  }
  // The second and third codes are optional; given, they must be numbers like the first.
  if (!IsNumberOrSay(views_, k1, texts::kKey1NotNumber)) return;
  if (!k2.empty() && !IsNumberOrSay(views_, k2, texts::kKey2NotNumber)) return;
  if (!k3.empty() && !IsNumberOrSay(views_, k3, texts::kKey3NotNumber)) return;
  // Stored as typed (empty stays empty); a code with many leading zeros can still exceed the
  // column's 50 characters, which the store refuses.
  const auto id = store_.InsertKeys(k1, k2, k3);
  if (!id) {
    SayRefused(views_);
    return;
  }
  list_.AppendOperation(texts::kKindKeys, "0", "0", k1, k2.empty() ? "0" : k2, k3.empty() ? "0" : k3, "0", *id);
  log_.AppendLog(texts::kAddedKeys);
  views_.SetText(Control::Key1, "");
  views_.SetText(Control::Key2, "");
  views_.SetText(Control::Key3, "");
}

// ---- DelayEditor ----

DelayEditor::DelayEditor(OperationList& list, Store& store, Views& views, StatusLog& log)
    : list_(list), store_(store), views_(views), log_(log) {}

void DelayEditor::OnOpened() { views_.SetText(Control::DelayValue, ""); }

void DelayEditor::OnAdd() {
  const std::string ms = views_.Text(Control::DelayValue);
  if (ms.empty()) {
    views_.ShowMessage(texts::kDelayNeedsValue, MessageIcon::Error);
    return;
  }
  if (!IsNumberOrSay(views_, ms, texts::kDelayNotNumber)) return;
  const auto id = store_.InsertDelay(ms);
  if (!id) {
    SayRefused(views_);
    return;
  }
  list_.AppendOperation(texts::kKindDelay, "0", "0", "0", "0", "0", ms, *id);
  log_.AppendLog(texts::kAddedDelay);
  // The box keeps its text, so the same delay can be added again with one press.
}

int KeyCodeOfText(std::string_view text) {
  if (text.empty()) return 0;
  const auto c = static_cast<unsigned char>(text.front());
  if (c >= 0x80) return 0;  // the first byte of a UTF-8 sequence names no key
  if (c >= 'a' && c <= 'z') return c - 'a' + 'A';
  return c;
}

}  // namespace xs
