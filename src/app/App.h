#pragma once
// The composition of the core: every subsystem wired to the ports, and the start-up and shutdown
// sequence. The Win32 adapter makes one App and routes window events to it.
#include <string>

#include "app/Clock.h"
#include "app/HotKeys.h"
#include "app/StatusLog.h"
#include "app/Views.h"
#include "operations/Editors.h"
#include "operations/OperationList.h"
#include "placement/PositionBook.h"
#include "placement/WindowLocator.h"
#include "playback/EventLoop.h"
#include "playback/InputBackend.h"
#include "playback/InputSynth.h"
#include "playback/PlaybackPass.h"
#include "playback/RepeatTimer.h"
#include "playback/RunController.h"
#include "playback/RunState.h"
#include "settings/RunSettings.h"
#include "store/Store.h"

namespace xs {

struct Ports {
  Views& views;
  HotKeys& hotKeys;
  EventLoop& loop;
  InputBackend& input;
  WindowSystem& windows;
  Clock& clock;
};

class App {
 public:
  App(const Ports& ports, std::string storePath);

  // The creation of the main window: hot keys, the first log lines, the store (made when missing),
  // the loop interval and run mode, the list. False when the store could not be opened: the
  // message has been shown and the program should exit with code 0.
  bool OnMainWindowCreated();
  // Closing in any way: acts as a stop, then closes the store.
  void OnMainWindowDestroying();

  void ShowAbout();

  const std::string& StorePath() const { return storePath_; }
  Store& GetStore() { return store_; }
  StatusLog& Log() { return log_; }
  OperationList& List() { return list_; }
  MouseEditor& Mouse() { return mouseEditor_; }
  KeyEditor& Keys() { return keyEditor_; }
  DelayEditor& Delay() { return delayEditor_; }
  RunState& State() { return state_; }
  InputSynth& Synth() { return synth_; }
  RunController& Runs() { return runs_; }
  WindowLocator& Locator() { return locator_; }
  PositionBook& Positions() { return positions_; }
  RunSettings& Settings() { return settings_; }

 private:
  Ports ports_;
  std::string storePath_;
  Store store_;
  StatusLog log_;
  RunState state_;
  OperationList list_;
  MouseEditor mouseEditor_;
  KeyEditor keyEditor_;
  DelayEditor delayEditor_;
  RepeatTimer timer_;
  InputSynth synth_;
  PlaybackPass pass_;
  RunController runs_;
  WindowLocator locator_;
  PositionBook positions_;
  RunSettings settings_;
};

}  // namespace xs
