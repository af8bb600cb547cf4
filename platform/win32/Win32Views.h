#pragma once
// Views over the real controls of the main window and the editors: each Control is a child of one
// of our windows, found by its id. A control whose window is closed reads as empty and ignores
// writes.
#include <windows.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "app/Views.h"

namespace xs::win {

enum class Surface { Main, MouseEditor, KeyEditor, DelayEditor };

class Win32Views final : public xs::Views {
 public:
  // The window that now stands for a surface; nullptr once it is destroyed.
  void Attach(Surface s, HWND window);
  [[nodiscard]] HWND Window(Surface s) const { return windows_[static_cast<size_t>(s)]; }

  std::string Text(Control c) override;
  void SetText(Control c, std::string_view text) override;
  void SetEnabled(Control c, bool enabled) override;
  int Selection(Control c) override;
  void SetSelection(Control c, int index) override;
  void SetItems(Control c, const std::vector<std::string>& items) override;
  std::string ItemText(Control c, int index) override;
  std::string Title() override;
  void SetTitle(std::string_view title) override;
  int CurrentPage() override;
  void ListRowsChanged(int rowCount) override;
  int ListSelectedRow() override;
  void LogReplaceAll(std::string_view text) override;
  void LogAppend(std::string_view text) override;
  int LogLineCount() override { return logLines_; }
  void LogRemoveLeadingLines(int count) override;
  void ShowMessage(std::string_view text, MessageIcon icon) override;

 private:
  [[nodiscard]] HWND MainItem(int id) const;
  [[nodiscard]] HWND Find(Control c) const;

  std::array<HWND, 4> windows_{};
  // Lines the program wrote into the log ("\n" counted); EM_GETLINECOUNT would count the lines
  // the box wraps, which change with its width.
  int logLines_ = 0;
};

}  // namespace xs::win
