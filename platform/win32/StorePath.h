#pragma once
// Where the store file lives: the user's local application-data folder, which the system's
// clean-up leaves alone (the temporary folder is emptied by it and would lose the user's macros).
#include <string>
#include <string_view>

namespace xs::win {

// "<LocalAppData>\xingsuo\NBDA.rdb" in UTF-8, making the xingsuo folder when missing. Without the
// known folder: "<temp folder>\NBDA.rdb"; without that too: the bare name.
[[nodiscard]] std::string StorePath();

// The same choice from given folders (empty = not available); StorePath() passes the system's.
[[nodiscard]] std::string StorePathIn(std::wstring_view localAppData, std::wstring_view tempFolder);

}  // namespace xs::win
