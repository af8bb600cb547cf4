#include "placement/PositionBook.h"

#include <string>

#include "placement/Texts.h"
#include "util/TextToInt.h"

namespace xs {

PositionBook::PositionBook(Store& store, Views& views, WindowLocator& locator, WindowSystem& system)
    : store_(store), views_(views), locator_(locator), system_(system) {}

void PositionBook::LoadPosition() {
  // Every row passes through the boxes, oldest first, so the newest save is what stays shown.
  const auto rows = store_.ReadPositions(locator_.ChosenProcessName());
  for (const auto& row : rows) {
    views_.SetText(Control::PositionX, row.x);
    views_.SetText(Control::PositionY, row.y);
  }
  // A row without Y is as good as none: the position cannot be used for a reset.
  if (rows.empty() || rows.back().y.empty()) views_.ShowMessage(texts::kNoSavedPosition, MessageIcon::Error);
}

void PositionBook::SavePosition() {
  const std::string name = locator_.ChosenProcessName();
  const std::string x = views_.Text(Control::PositionX);
  const std::string y = views_.Text(Control::PositionY);
  if (!store_.InsertPosition(name, x, y)) {
    // The boxes keep what was typed, so the user can shorten it and save again.
    views_.ShowMessage(texts::kPositionSaveFailed, MessageIcon::Error);
    return;
  }
  views_.ShowMessage(texts::kPositionSaved, MessageIcon::None);
  views_.SetText(Control::PositionX, "");
  views_.SetText(Control::PositionY, "");
}

void PositionBook::ClearPosition() {
  views_.SetText(Control::PositionX, "");
  views_.SetText(Control::PositionY, "");
  views_.ShowMessage(texts::kPositionCleared, MessageIcon::None);
}

void PositionBook::ResetWindow() {
  const WindowHandle w = locator_.FindWindowOfProcessName(locator_.ChosenProcessName());
  // Read after the lookup: the boxes as they are when the window is known.
  const int32_t top = TextToInt(views_.Text(Control::PositionX));
  const int32_t left = TextToInt(views_.Text(Control::PositionY));
  PlaceWindow(w, top, left);
}

void PositionBook::PlaceWindow(WindowHandle w, int32_t top, int32_t left) {
  // The window keeps its size; a value that is not a window gives 0 by 0 and the move is refused
  // by the window system, so nothing moves and nothing is reported.
  const WindowRect r = locator_.ReadWindowRect(w);
  system_.Move(w, left, top, r.width, r.height);
}

}  // namespace xs
