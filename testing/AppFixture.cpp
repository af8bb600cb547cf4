#include "AppFixture.h"

namespace xs::testing {

void PrepareControls(FakeViews& v) {
  v.SetItems(Control::RunMode, {"无限循环", "自定义"});
  v.SetSelection(Control::RunMode, 0);
  v.SetEnabled(Control::RunCount, false);
  v.SetItems(Control::MouseType, {"鼠标点击", "鼠标移动"});
  v.SetItems(Control::MouseButton, {"左键", "右键", "中键"});
  v.SetItems(Control::MouseAction, {"单击", "双击", "按下", "放开"});
  v.title = "星梭2.5.2";
}

AppFixture::AppFixture() {
  PrepareControls(views);
  loop.SetTickHandler([this] {
    if (app) app->Runs().OnTimerTick();
  });
}

bool AppFixture::Start() {
  app = std::make_unique<App>(Ports{views, hotKeys, loop, input, windows, clock}, StorePath());
  return app->OnMainWindowCreated();
}

bool AppFixture::Restart() {
  if (app) app->OnMainWindowDestroying();
  app.reset();
  views = FakeViews{};
  PrepareControls(views);
  return Start();
}

}  // namespace xs::testing
