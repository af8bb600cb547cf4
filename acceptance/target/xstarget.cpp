// xstarget: a plain window that writes down every mouse button and key message it receives, so
// the acceptance scenarios can see what a playback really delivered.
//   xstarget.exe <record-file> [left top width height]
// One line per message, written straight through to the file (the scenario reads it while we run):
//   <ms since start> WM_LBUTTONDOWN client=<x>,<y> screen=<x>,<y>
//   <ms since start> WM_KEYDOWN vk=<n> scan=<n> ext=<0|1>
// Mouse moves are written only when the position changed since the last written move.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

HANDLE g_record = INVALID_HANDLE_VALUE;
LARGE_INTEGER g_start{}, g_freq{};
POINT g_lastMove{-100000, -100000};

void Write(const std::string& line) {
  if (g_record == INVALID_HANDLE_VALUE) return;
  LARGE_INTEGER now{};
  QueryPerformanceCounter(&now);
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%.1f ",
                static_cast<double>(now.QuadPart - g_start.QuadPart) * 1000.0 / static_cast<double>(g_freq.QuadPart));
  const std::string s = stamp + line + "\n";
  DWORD done = 0;
  WriteFile(g_record, s.data(), static_cast<DWORD>(s.size()), &done, nullptr);
}

const char* MouseName(UINT msg) {
  switch (msg) {
    case WM_MOUSEMOVE: return "WM_MOUSEMOVE";
    case WM_LBUTTONDOWN: return "WM_LBUTTONDOWN";
    case WM_LBUTTONUP: return "WM_LBUTTONUP";
    case WM_LBUTTONDBLCLK: return "WM_LBUTTONDBLCLK";
    case WM_RBUTTONDOWN: return "WM_RBUTTONDOWN";
    case WM_RBUTTONUP: return "WM_RBUTTONUP";
    case WM_RBUTTONDBLCLK: return "WM_RBUTTONDBLCLK";
    case WM_MBUTTONDOWN: return "WM_MBUTTONDOWN";
    case WM_MBUTTONUP: return "WM_MBUTTONUP";
    case WM_MBUTTONDBLCLK: return "WM_MBUTTONDBLCLK";
    default: return nullptr;
  }
}

const char* KeyName(UINT msg) {
  switch (msg) {
    case WM_KEYDOWN: return "WM_KEYDOWN";
    case WM_KEYUP: return "WM_KEYUP";
    case WM_SYSKEYDOWN: return "WM_SYSKEYDOWN";
    case WM_SYSKEYUP: return "WM_SYSKEYUP";
    default: return nullptr;
  }
}

LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (const char* name = MouseName(msg)) {
    POINT client{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
    POINT screen = client;
    ClientToScreen(w, &screen);
    if (msg == WM_MOUSEMOVE) {
      if (screen.x == g_lastMove.x && screen.y == g_lastMove.y) return 0;
      g_lastMove = screen;
    }
    Write(std::string(name) + " client=" + std::to_string(client.x) + "," + std::to_string(client.y) +
          " screen=" + std::to_string(screen.x) + "," + std::to_string(screen.y));
    return 0;
  }
  if (const char* name = KeyName(msg)) {
    Write(std::string(name) + " vk=" + std::to_string(wp) + " scan=" + std::to_string((lp >> 16) & 0xFF) +
          " ext=" + std::to_string((lp >> 24) & 1));
    // Alt combinations must not open the system menu and swallow what follows.
    return 0;
  }
  switch (msg) {
    case WM_CHAR: Write("WM_CHAR ch=" + std::to_string(wp)); return 0;
    case WM_SETFOCUS: Write("WM_SETFOCUS"); return 0;
    case WM_KILLFOCUS: Write("WM_KILLFOCUS"); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcW(w, msg, wp, lp);
  }
}

}  // namespace

// A console-subsystem entry (the build links every tool with -municode and no -mwindows); the
// window works the same.
int wmain(int argc, wchar_t** argv) {
  QueryPerformanceFrequency(&g_freq);
  QueryPerformanceCounter(&g_start);
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  if (argc >= 2) {
    g_record = CreateFileW(argv[1], GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr);
  }
  int x = 300, y = 200, width = 400, height = 300;
  if (argc >= 6) {
    x = _wtoi(argv[2]);
    y = _wtoi(argv[3]);
    width = _wtoi(argv[4]);
    height = _wtoi(argv[5]);
  }

  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = L"XsTargetWindow";
  RegisterClassExW(&wc);
  const HWND w = CreateWindowExW(0, wc.lpszClassName, L"XsTarget", WS_OVERLAPPEDWINDOW, x, y, width, height, nullptr,
                                 nullptr, instance, nullptr);
  if (!w) return 1;
  ShowWindow(w, SW_SHOW);
  UpdateWindow(w);
  Write("ready hwnd=" + std::to_string(reinterpret_cast<INT_PTR>(w)) + " pid=" + std::to_string(GetCurrentProcessId()));

  MSG m;
  while (GetMessageW(&m, nullptr, 0, 0) > 0) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
  if (g_record != INVALID_HANDLE_VALUE) CloseHandle(g_record);
  return 0;
}
