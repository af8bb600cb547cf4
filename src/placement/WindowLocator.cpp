#include "placement/WindowLocator.h"

#include "util/TextToInt.h"

namespace xs {
namespace {

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Executable names match when they differ at most in the case of the ASCII letters A to Z; every
// other byte (all bytes of a multi-byte character among them) must be equal.
bool SameProcessName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  return true;
}

// Differences of screen edges wrap instead of overflowing (edges can lie anywhere in 32 bits).
int32_t Span(int32_t from, int32_t to) {
  return static_cast<int32_t>(static_cast<uint32_t>(to) - static_cast<uint32_t>(from));
}

}  // namespace

// The event loop is not used: the lookup is one sweep over the current window list, which takes
// well under a millisecond, so it dispatches no messages and no handler can run nested inside it.
WindowLocator::WindowLocator(WindowSystem& system, EventLoop& /*loop*/, Views& views)
    : system_(system), views_(views) {}

std::vector<std::string> WindowLocator::ListProcessNames() {
  std::vector<std::string> names;
  const auto processes = system_.Processes();
  if (!processes) return names;
  names.reserve(processes->size());
  for (const auto& p : *processes) names.push_back(p.name);
  return names;
}

uint32_t WindowLocator::FindProcessId(std::string_view name) {
  const auto processes = system_.Processes();
  if (!processes) return 0;
  for (const auto& p : *processes)
    if (SameProcessName(p.name, name)) return p.pid;
  return 0;
}

WindowHandle WindowLocator::FindProcessWindow(uint32_t pid) {
  // The topmost visible window of the process in Z order. One sweep: a process without a visible
  // window gets an answer (not a window) at once instead of holding the GUI thread.
  for (const WindowHandle w : system_.TopLevelWindows()) {
    if (system_.IsWindow(w) && system_.IsVisible(w) && system_.ProcessIdOf(w) == pid) return w;
  }
  return kNullWindow;
}

WindowHandle WindowLocator::FindWindowOfProcessName(std::string_view name) {
  const uint32_t pid = name.empty() ? 0 : FindProcessId(name);
  if (pid == 0) return kNoProcessWindow;
  return FindProcessWindow(pid);
}

WindowRect WindowLocator::ReadWindowRect(WindowHandle w) {
  const auto r = system_.GetRect(w);
  if (!r) return {};
  return {r->left, r->top, Span(r->left, r->right), Span(r->top, r->bottom)};
}

std::string WindowLocator::ChosenProcessName() {
  // The entry at the selection, never what was typed into the combo's text field.
  const int selection = views_.Selection(Control::ProcessCombo);
  if (selection < 0) return {};
  return views_.ItemText(Control::ProcessCombo, selection);
}

void WindowLocator::RefreshProcessList() {
  const auto names = ListProcessNames();
  views_.SetItems(Control::ProcessCombo, names);
  views_.SetSelection(Control::ProcessCombo, names.empty() ? -1 : 0);
  views_.SetText(Control::PositionX, "");
  views_.SetText(Control::PositionY, "");
}

void WindowLocator::ShowWindowPosition() {
  const WindowHandle w = FindWindowOfProcessName(ChosenProcessName());
  windowRect_ = ReadWindowRect(w);
  // X is the top edge and Y the left edge: saved positions and the reset use the same pairing.
  views_.SetText(Control::ShownX, IntToText(windowRect_.top));
  views_.SetText(Control::ShownY, IntToText(windowRect_.left));
}

}  // namespace xs
