// The store file's path from SHGetKnownFolderPath(FOLDERID_LocalAppData), with GetTempPathW and
// then the current directory as fallbacks.
#include "StorePath.h"

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <iterator>

#include "Handles.h"
#include "Utf16.h"

namespace xs::win {
namespace {

constexpr wchar_t kFolderName[] = L"xingsuo";
constexpr wchar_t kFileName[] = L"NBDA.rdb";

std::wstring WithBackslash(std::wstring_view folder) {
  std::wstring out(folder);
  if (!out.empty() && out.back() != L'\\' && out.back() != L'/') out += L'\\';
  return out;
}

std::wstring KnownLocalAppData() {
  UniqueCoTaskMem<wchar_t> path;
  if (FAILED(SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, path.put())) || !path.get()) return {};
  return path.get();
}

std::wstring TempFolder() {
  wchar_t buffer[MAX_PATH + 1] = {};
  const DWORD n = GetTempPathW(static_cast<DWORD>(std::size(buffer)), buffer);
  return (n == 0 || n > MAX_PATH) ? std::wstring() : std::wstring(buffer, n);
}

}  // namespace

std::string StorePathIn(std::wstring_view localAppData, std::wstring_view tempFolder) {
  if (!localAppData.empty()) {
    const std::wstring folder = WithBackslash(localAppData) + kFolderName;
    // An existing folder is fine; any other failure shows up when the store is opened.
    CreateDirectoryW(folder.c_str(), nullptr);
    return Narrow(folder + L'\\' + kFileName);
  }
  return Narrow(WithBackslash(tempFolder) + kFileName);
}

std::string StorePath() { return StorePathIn(KnownLocalAppData(), TempFolder()); }

}  // namespace xs::win
