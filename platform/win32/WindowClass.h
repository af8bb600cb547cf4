#pragma once
// Registration of our top-level window classes, shared by the main window and the editors.
#include <windows.h>

namespace xs::win {

inline HINSTANCE ThisModule() { return GetModuleHandleW(nullptr); }

// Registers the class once (a second call finds it); the program's icon, the arrow cursor and
// the dialog face colour. False when the system refused it.
bool RegisterTopLevelClass(const wchar_t* name, WNDPROC proc);

}  // namespace xs::win
