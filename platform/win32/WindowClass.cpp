#include "WindowClass.h"

namespace xs::win {

bool RegisterTopLevelClass(const wchar_t* name, WNDPROC proc) {
  WNDCLASSEXW wc{};
  if (GetClassInfoExW(ThisModule(), name, &wc)) return true;
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = proc;
  wc.hInstance = ThisModule();
  wc.hIcon = LoadIconW(ThisModule(), MAKEINTRESOURCEW(1));
  if (!wc.hIcon) wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = name;
  return RegisterClassExW(&wc) != 0;
}

}  // namespace xs::win
