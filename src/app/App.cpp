#include "app/App.h"

#include "app/DateTimeText.h"
#include "app/Texts.h"

namespace xs {

App::App(const Ports& ports, std::string storePath)
    : ports_(ports),
      storePath_(std::move(storePath)),
      log_(ports.views),
      list_(store_, ports.views, log_),
      mouseEditor_(list_, store_, ports.views, log_, ports.input),
      keyEditor_(list_, store_, ports.views, log_),
      delayEditor_(list_, store_, ports.views, log_),
      timer_(ports.loop),
      synth_(ports.input, ports.loop),
      pass_(list_, synth_, log_, state_, timer_),
      runs_(state_, pass_, synth_, timer_, ports.loop, ports.views, log_),
      locator_(ports.windows, ports.loop, ports.views),
      positions_(store_, ports.views, locator_, ports.windows),
      settings_(store_, ports.views, log_, state_) {}

bool App::OnMainWindowCreated() {
  runs_.RegisterHotKeys(ports_.hotKeys);
  log_.WriteFirstLine(std::string(texts::kRunDatePrefix) + DateTimeText(ports_.clock.Now()) + "\r\n");
  log_.AppendLog(texts::kInitialising);
  Store::CreateIfMissing(storePath_);  // a failed write shows up as a failed Connect
  if (!store_.Connect(storePath_)) {
    ports_.views.ShowMessage(texts::kStoreMissing, MessageIcon::Error);
    return false;
  }
  settings_.LoadAtStartup();
  list_.Reload();
  log_.AppendLog(texts::kInitialised);
  // Said after the success line: the first line replaces the whole log, so earlier would be lost.
  if (state_.startHotKeyId == 0) log_.AppendLog(texts::kHotKeyF3Taken);
  if (state_.stopHotKeyId == 0) log_.AppendLog(texts::kHotKeyF4Taken);
  return true;
}

void App::OnMainWindowDestroying() {
  runs_.OnClosing();
  store_.Disconnect();
}

void App::ShowAbout() { ports_.views.ShowMessage(texts::kAbout, MessageIcon::None); }

}  // namespace xs
