#pragma once
// In-memory Views: every control's text, enabled state, items and selection; the log as a string;
// message boxes recorded (and answered at once).
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/Views.h"

namespace xs::testing {

struct ShownMessage {
  std::string text;
  MessageIcon icon;
};

class FakeViews : public Views {
 public:
  struct ControlState {
    std::string text;
    bool enabled = true;
    std::vector<std::string> items;
    int selection = -1;
  };

  std::string Text(Control c) override;
  void SetText(Control c, std::string_view text) override;
  void SetEnabled(Control c, bool enabled) override;
  int Selection(Control c) override;
  void SetSelection(Control c, int index) override;
  void SetItems(Control c, const std::vector<std::string>& items) override;
  std::string ItemText(Control c, int index) override;
  std::string Title() override { return title; }
  void SetTitle(std::string_view t) override { title = t; }
  int CurrentPage() override { return page; }
  void ListRowsChanged(int rowCount) override;
  int ListSelectedRow() override { return listSelection; }
  void LogReplaceAll(std::string_view text) override;
  void LogAppend(std::string_view text) override;
  int LogLineCount() override;
  void LogRemoveLeadingLines(int count) override;
  void ShowMessage(std::string_view text, MessageIcon icon) override;

  ControlState& At(Control c) { return controls[c]; }
  bool Enabled(Control c) { return controls[c].enabled; }
  // Selects a combo entry as the user would, by its text; false when absent.
  bool Pick(Control c, std::string_view item);
  // Log lines split at "\r\n" (the last, unterminated piece included when not empty).
  std::vector<std::string> LogLines() const;

  std::map<Control, ControlState> controls;
  std::string title;
  int page = 0;
  int listRowCount = 0;
  int listChanges = 0;
  int listSelection = -1;
  std::string log;
  int logWrites = 0;
  std::vector<ShownMessage> messages;
  // Runs inside ShowMessage, as the box's own message loop would run handlers.
  std::function<void()> duringMessage;
};

}  // namespace xs::testing
