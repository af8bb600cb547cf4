#pragma once
// A whole App on fakes, with its store in a temporary folder; Restart() makes a new App on the
// same store file, as a new start of the program would.
#include <memory>

#include "FakeEventLoop.h"
#include "FakeSystem.h"
#include "FakeViews.h"
#include "RecordingInput.h"
#include "app/App.h"

namespace xs::testing {

// The entries and initial states that the windows' layouts give their controls.
void PrepareControls(FakeViews& views);

struct AppFixture {
  AppFixture();
  // Starts the app (the creation of the main window); true when it reached its working state.
  bool Start();
  // Closes the app and starts a new one on the same store file.
  bool Restart();
  std::string StorePath() const { return dir.Path("NBDA.rdb"); }

  TempDir dir;
  FakeViews views;
  FakeHotKeys hotKeys;
  FakeEventLoop loop;
  RecordingInput input{&loop};
  FakeWindowSystem windows;
  FakeClock clock;
  std::unique_ptr<App> app;
};

}  // namespace xs::testing
