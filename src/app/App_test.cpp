#include "app/App.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "AppFixture.h"

namespace xs {
namespace {

using ::xs::testing::AppFixture;

TEST(Startup, FirstStartMakesTheStoreAndLogsThreeLines) {
  AppFixture f;
  f.clock.now = {2017, 2, 28, 15, 0, 0};
  ASSERT_FALSE(std::filesystem::exists(f.StorePath()));
  ASSERT_TRUE(f.Start());
  EXPECT_TRUE(std::filesystem::exists(f.StorePath()));
  EXPECT_EQ(f.views.log,
            "运行日期： 2017年2月28日15时\r\n"
            "系统提示：软件正在初始化...\r\n"
            "系统提示：软件初始化成功...\r\n");
  EXPECT_EQ(f.views.Text(Control::LoopInterval), "20001");
  EXPECT_EQ(f.app->State().loopInterval, 20001);
  EXPECT_EQ(f.app->List().RowCount(), 0);
  // F3 first, then F4, and the ids are kept.
  EXPECT_EQ(f.hotKeys.registered, (std::vector<int>{114, 115}));
  EXPECT_EQ(f.app->State().startHotKeyId, 1);
  EXPECT_EQ(f.app->State().stopHotKeyId, 2);
  EXPECT_TRUE(f.views.messages.empty());
}

TEST(Startup, SecondStartUsesTheExistingFileAndItsRows) {
  AppFixture f;
  ASSERT_TRUE(f.Start());
  ASSERT_TRUE(f.app->GetStore().InsertDelay("500"));
  ASSERT_TRUE(f.app->GetStore().SetLoopInterval("1234"));
  ASSERT_TRUE(f.Restart());
  EXPECT_EQ(f.views.Text(Control::LoopInterval), "1234");
  ASSERT_EQ(f.app->List().RowCount(), 1);
  EXPECT_EQ(f.app->List().CellText(0, 2), "延迟");
  EXPECT_EQ(f.app->List().CellText(0, 8), "500");
}

TEST(Startup, ForeignStoreFileFailsWithTheMessageAndStaysUntouched) {
  AppFixture f;
  const std::string foreign = std::string("\0\1\0\0Standard Jet DB\0", 20) + std::string(5000, '\x42');
  { std::ofstream(f.StorePath(), std::ios::binary) << foreign; }
  EXPECT_FALSE(f.Start());
  ASSERT_EQ(f.views.messages.size(), 1u);
  EXPECT_EQ(f.views.messages[0].text, "数据库丢失，请用户重新下载");
  EXPECT_EQ(f.views.messages[0].icon, MessageIcon::Error);
  // Only the first two lines: nothing further is logged.
  EXPECT_EQ(f.views.LogLines().size(), 2u);
  std::ifstream in(f.StorePath(), std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), foreign);
}

TEST(Startup, StoreThatCannotBeMadeFailsWithTheMessage) {
  AppFixture f;
  App app({f.views, f.hotKeys, f.loop, f.input, f.windows, f.clock}, f.dir.Path("missing/NBDA.rdb"));
  EXPECT_FALSE(app.OnMainWindowCreated());
  ASSERT_EQ(f.views.messages.size(), 1u);
  EXPECT_EQ(f.views.messages[0].text, "数据库丢失，请用户重新下载");
}

TEST(Startup, TakenHotKeysAreSaidAfterTheSuccessLine) {
  AppFixture f;
  f.hotKeys.taken = {114, 115};
  ASSERT_TRUE(f.Start());
  EXPECT_EQ(f.app->State().startHotKeyId, 0);
  EXPECT_EQ(f.app->State().stopHotKeyId, 0);
  const auto lines = f.views.LogLines();
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[2], "系统提示：软件初始化成功...");
  EXPECT_EQ(lines[3], "系统提示：热键F3已被其他程序占用，请用按钮启动....");
  EXPECT_EQ(lines[4], "系统提示：热键F4已被其他程序占用，请用按钮取消....");
}

TEST(Startup, AboutBoxHasFourBlocksWithoutIcon) {
  AppFixture f;
  ASSERT_TRUE(f.Start());
  f.app->ShowAbout();
  ASSERT_EQ(f.views.messages.size(), 1u);
  const auto& m = f.views.messages[0];
  EXPECT_EQ(m.icon, MessageIcon::None);
  EXPECT_EQ(m.text.rfind("作者QQ：", 0), 0u);
  EXPECT_NE(m.text.find("\r\n\r\n解放双手，让生活成为一种态度\r\n\r\nBY "), std::string::npos);
  EXPECT_NE(m.text.find(" 2017.2.28\r\n\r\n官网地址："), std::string::npos);
}

}  // namespace
}  // namespace xs
