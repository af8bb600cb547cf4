#include "FakeViews.h"

#include <algorithm>

namespace xs::testing {

std::string FakeViews::Text(Control c) {
  auto& s = controls[c];
  if (!s.items.empty() && s.text.empty() && s.selection >= 0 && s.selection < static_cast<int>(s.items.size()))
    return s.items[static_cast<size_t>(s.selection)];
  return s.text;
}
void FakeViews::SetText(Control c, std::string_view text) { controls[c].text = text; }
void FakeViews::SetEnabled(Control c, bool enabled) { controls[c].enabled = enabled; }
int FakeViews::Selection(Control c) { return controls[c].selection; }
void FakeViews::SetSelection(Control c, int index) {
  auto& s = controls[c];
  s.selection = index;
  s.text.clear();
}
void FakeViews::SetItems(Control c, const std::vector<std::string>& items) {
  auto& s = controls[c];
  s.items = items;
  s.selection = -1;
  s.text.clear();
}
std::string FakeViews::ItemText(Control c, int index) {
  auto& s = controls[c];
  if (index < 0 || index >= static_cast<int>(s.items.size())) return {};
  return s.items[static_cast<size_t>(index)];
}
bool FakeViews::Pick(Control c, std::string_view item) {
  auto& s = controls[c];
  auto it = std::find(s.items.begin(), s.items.end(), item);
  if (it == s.items.end()) return false;
  SetSelection(c, static_cast<int>(it - s.items.begin()));
  return true;
}
void FakeViews::ListRowsChanged(int rowCount) {
  // As the real list: an append keeps the selection, a rebuild or a clear drops it.
  if (rowCount <= listRowCount) listSelection = -1;
  listRowCount = rowCount;
  ++listChanges;
}
void FakeViews::LogReplaceAll(std::string_view text) {
  log = text;
  ++logWrites;
}
void FakeViews::LogAppend(std::string_view text) {
  log += text;
  ++logWrites;
}
int FakeViews::LogLineCount() { return static_cast<int>(std::count(log.begin(), log.end(), '\n')); }
void FakeViews::LogRemoveLeadingLines(int count) {
  size_t pos = 0;
  for (int i = 0; i < count; ++i) {
    const size_t nl = log.find('\n', pos);
    if (nl == std::string::npos) { pos = log.size(); break; }
    pos = nl + 1;
  }
  log.erase(0, pos);
}
void FakeViews::ShowMessage(std::string_view text, MessageIcon icon) {
  messages.push_back({std::string(text), icon});
  if (duringMessage) {
    auto f = std::move(duringMessage);
    duringMessage = nullptr;
    f();
  }
}
std::vector<std::string> FakeViews::LogLines() const {
  std::vector<std::string> lines;
  size_t pos = 0;
  while (pos < log.size()) {
    const size_t end = log.find("\r\n", pos);
    if (end == std::string::npos) { lines.push_back(log.substr(pos)); break; }
    lines.push_back(log.substr(pos, end - pos));
    pos = end + 2;
  }
  return lines;
}

}  // namespace xs::testing
