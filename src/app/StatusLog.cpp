#include "app/StatusLog.h"

namespace xs {

StatusLog::StatusLog(Views& views, int maxLines, int dropChunk)
    : views_(views), maxLines_(maxLines), dropChunk_(dropChunk) {}

void StatusLog::WriteFirstLine(std::string_view line) { views_.LogReplaceAll(line); }

void StatusLog::AppendLog(std::string_view line) {
  views_.LogAppend(line);
  // Dropping a whole chunk at once keeps the (costly) removal rare.
  const int lines = views_.LogLineCount();
  if (lines > maxLines_ + dropChunk_) views_.LogRemoveLeadingLines(lines - maxLines_);
}

}  // namespace xs
