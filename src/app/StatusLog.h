#pragma once
// The StatusLog: appends at the end of the log box and keeps it bounded, so an append costs the
// same after a week of playback as after a minute.
#include <string_view>
#include "app/Views.h"

namespace xs {

class StatusLog {
 public:
  // Keeps at least maxLines recent lines; drops older ones from the top dropChunk at a time, so
  // dropping is rare.
  explicit StatusLog(Views& views, int maxLines = 10000, int dropChunk = 1000);

  void WriteFirstLine(std::string_view line);  // replaces the whole text
  void AppendLog(std::string_view line);       // line ends in "\r\n"

 private:
  Views& views_;
  int maxLines_;
  int dropChunk_;
};

}  // namespace xs
