// STUB: to be replaced.
#include "placement/WindowLocator.h"
namespace xs {
WindowLocator::WindowLocator(WindowSystem& system, EventLoop& loop, Views& views) : system_(system), loop_(loop), views_(views) {}
std::vector<std::string> WindowLocator::ListProcessNames() { return {}; }
uint32_t WindowLocator::FindProcessId(std::string_view) { return 0; }
WindowHandle WindowLocator::FindProcessWindow(uint32_t) { return kNullWindow; }
WindowHandle WindowLocator::FindWindowOfProcessName(std::string_view) { return kNoProcessWindow; }
WindowRect WindowLocator::ReadWindowRect(WindowHandle) { return {}; }
std::string WindowLocator::ChosenProcessName() { return {}; }
void WindowLocator::RefreshProcessList() {}
void WindowLocator::ShowWindowPosition() {}
}  // namespace xs
