#pragma once
// UTF-8 <-> UTF-16, used only at the Win32 API call.
#include <string>
#include <string_view>

namespace xs::win {

[[nodiscard]] std::wstring Widen(std::string_view utf8);
[[nodiscard]] std::string Narrow(std::wstring_view utf16);

}  // namespace xs::win
