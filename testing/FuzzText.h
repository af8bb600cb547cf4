#pragma once
// Generated user text for the input fuzz tests, and a fast folder for their store files.
#include <stdlib.h>

#include <filesystem>
#include <iterator>
#include <random>
#include <string>

#include "FakeSystem.h"

namespace xs::testing {

// What a user can put into a box: typed or pasted numbers in every form the parsers know, and
// everything around them that they must refuse (blanks, quotes, SQL, bytes that are no UTF-8).
inline constexpr const char* kFuzzPieces[] = {
    "0", "1", "7", "9", "-", "+", " ", "\t", "\r\n", "\u3000", "０", "５", "９", "－", "＋", "\u2212", "a", "Z",
    "x", "e", ".", ",", "'", "\"", "\\", "%", "';DROP TABLE 数据存放;--", "';UPDATE 运行时间 SET 运行时间=0;--",
    "延迟", "秒", "😀", "\xEF\xBC", "\xE3\x80", "\xFF", "\x80", "2147483647", "2147483648", "-2147483648",
    "-2147483649", "4294967296", "99999999999999999999", "00000000000000000000000000000000000000000000000000000"};

// About half the texts are number-shaped (sign, ASCII and full-width digits, leading zeros up to
// maxLeadingZeros), so the accepting paths are well covered; the rest are pieces and random bytes.
inline std::string GenerateUserText(std::mt19937& rng, int maxLeadingZeros) {
  std::string s;
  if (rng() % 2 == 0) {
    const int sign = static_cast<int>(rng() % 6);
    if (sign == 0) s += "-";
    if (sign == 1) s += "+";
    if (sign == 2) s += "－";
    if (rng() % 8 == 0) s.append(rng() % static_cast<unsigned>(maxLeadingZeros), '0');
    const int digits = 1 + static_cast<int>(rng() % 11);
    for (int i = 0; i < digits; ++i) {
      const int d = static_cast<int>(rng() % 10);
      if (rng() % 5 == 0) s += "\xEF\xBC" + std::string(1, static_cast<char>(0x90 + d));  // full-width
      else s += static_cast<char>('0' + d);
    }
    if (rng() % 10 == 0) s += kFuzzPieces[rng() % std::size(kFuzzPieces)];  // one stray piece after it
    return s;
  }
  const int parts = static_cast<int>(rng() % 6);
  for (int i = 0; i < parts; ++i) {
    if (rng() % 4 == 0) s.push_back(static_cast<char>(rng() % 256));
    else s += kFuzzPieces[rng() % std::size(kFuzzPieces)];
  }
  return s;
}

// A folder in /dev/shm (so the store's full syncs cost little), removed with what it holds; the
// system's temporary folder where there is no /dev/shm.
class FastDir {
 public:
  FastDir() {
    char name[] = "/dev/shm/xs-fuzz-XXXXXX";
    if (mkdtemp(name)) dir_ = name;
  }
  ~FastDir() {
    std::error_code ec;
    if (!dir_.empty()) std::filesystem::remove_all(dir_, ec);
  }
  FastDir(const FastDir&) = delete;
  FastDir& operator=(const FastDir&) = delete;
  std::string Path(const std::string& name) const { return dir_.empty() ? fallback_.Path(name) : dir_ + "/" + name; }

 private:
  std::string dir_;
  TempDir fallback_;
};

}  // namespace xs::testing
