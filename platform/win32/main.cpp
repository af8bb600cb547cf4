// Process entry of xingsuo.exe: common controls, the program, its message loop. The exit code is 0
// on every way out, a failed start included.
#include <windows.h>
#include <commctrl.h>

#include "MainWindow.h"
#include "StorePath.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int cmdShow) {
  INITCOMMONCONTROLSEX icc{};
  icc.dwSize = sizeof(icc);
  icc.dwICC = ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES;
  InitCommonControlsEx(&icc);

  xs::win::Program program(xs::win::StorePath());
  if (!program.Start()) return 0;
  program.Show(cmdShow);
  program.RunMessageLoop();
  return 0;
}
