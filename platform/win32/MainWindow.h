#pragma once
// The main window: the command strip, the two tab pages, the StatusLog. It turns its messages
// into core calls; Program puts the ports, the core and the windows together.
#include <windows.h>

#include <string>

#include "EditorWindows.h"
#include "Layout.h"
#include "Win32Clock.h"
#include "Win32EventLoop.h"
#include "Win32HotKeys.h"
#include "Win32InputBackend.h"
#include "Win32Views.h"
#include "Win32WindowSystem.h"
#include "app/App.h"

namespace xs::win {

inline constexpr wchar_t kMainWindowClass[] = L"XsMainWindow";

class MainWindow {
 public:
  MainWindow(App& app, Win32Views& views, EditorWindows& editors);
  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Makes the window and its controls, hidden, centred. False when the system refused.
  bool Create();
  // The start-up sequence of the core. False when the store could not be opened: the user has
  // seen why, and the program ends (the window is destroyed without the shutdown sequence).
  bool Start();
  void Show(int cmdShow);
  void Destroy();
  [[nodiscard]] HWND Hwnd() const { return hwnd_; }
  [[nodiscard]] HWND Item(int id) const { return hwnd_ ? GetDlgItem(hwnd_, id) : nullptr; }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  static LRESULT CALLBACK ListProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR self);
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
  void OnCommand(int id, int code);
  LRESULT OnNotify(const NMHDR& hdr, LPARAM lp);
  void OnListRightButton();
  void OnDpiChanged(UINT dpi, const RECT& suggested);

  App& app_;
  Win32Views& views_;
  EditorWindows& editors_;
  HWND hwnd_ = nullptr;
  UniqueFont font_;
  std::wstring cellText_;  // the list view reads a cell's text after our notification returns
  bool started_ = false;
  bool runModePickPending_ = false;
};

// The whole program in dependency order: ports, core, editors, main window. Destroyed in reverse.
class Program {
 public:
  explicit Program(std::string storePath);
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Creates the main window and runs start-up. False: end at once with exit code 0.
  bool Start();
  void Show(int cmdShow) { main_.Show(cmdShow); }
  // Runs until the main window is closed.
  void RunMessageLoop();

  App& Core() { return app_; }
  Win32Views& Views() { return views_; }
  MainWindow& Main() { return main_; }
  EditorWindows& Editors() { return editors_; }

 private:
  Win32Views views_;
  Win32HotKeys hotKeys_;
  Win32EventLoop loop_;
  Win32InputBackend input_;
  Win32WindowSystem windows_;
  Win32Clock clock_;
  App app_;
  EditorWindows editors_;
  MainWindow main_;
};

}  // namespace xs::win
