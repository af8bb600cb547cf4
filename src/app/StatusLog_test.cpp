#include "app/StatusLog.h"

#include <gtest/gtest.h>

#include "FakeViews.h"

namespace xs {
namespace {

using ::xs::testing::FakeViews;

TEST(StatusLog, AppendsExactlyAtTheEndAfterWhatTheUserTyped) {
  FakeViews views;
  StatusLog log(views);
  log.WriteFirstLine("运行日期： x\r\n");
  log.AppendLog("a\r\n");
  views.log += "typed by hand";  // the box is editable
  log.AppendLog("b\r\n");
  EXPECT_EQ(views.log, "运行日期： x\r\na\r\ntyped by handb\r\n");
  EXPECT_EQ(views.logWrites, 3);  // one write per call: the caret rule runs once each
}

TEST(StatusLog, KeepsTheNewestLinesAndDropsOldOnesInChunks) {
  FakeViews views;
  StatusLog log(views, /*maxLines=*/100, /*dropChunk=*/10);
  for (int i = 0; i < 1000; ++i) log.AppendLog("line " + std::to_string(i) + "\r\n");
  const auto lines = views.LogLines();
  ASSERT_GE(lines.size(), 100u);
  EXPECT_LE(lines.size(), 110u);
  EXPECT_EQ(lines.back(), "line 999");
  // Contiguous: nothing lost from the middle.
  const int first = std::stoi(lines.front().substr(5));
  EXPECT_EQ(first + static_cast<int>(lines.size()) - 1, 999);
}

}  // namespace
}  // namespace xs
