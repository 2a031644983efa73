#include "app/headless_shell.h"

#include <chrono>
#include <future>

#include "app/startup.h"

namespace app {

HeadlessShell::HeadlessShell(ShellOptions o) : dialogs_(o.echoDialogs) {
  if (o.programDir.empty()) o.programDir = ProgramDirectory();
  if (o.skinDir.empty()) o.skinDir = SkinDirectory(o.programDir, o.language);
  FrameConfig config{o.programDir, o.skinDir, o.language, o.helpFile, o.timing, std::move(o.hooks)};
  const bool startWorker = o.startWorker;

  std::promise<void> ready;
  uiThread_ = std::thread([this, &config, &ready, startWorker] {
    loop_.setUiThread();
    frame_ = std::make_unique<CK9X40FrameWnd>(std::move(config), loop_, dialogs_, window_);
    skinLoaded_ = frame_->Create();
    if (startWorker) frame_->StartWorker();
    ready.set_value();
    loop_.run();
    std::unique_lock<std::shared_mutex> lock(frameLock_);
    restart_ = frame_->restartRequested();
    frame_.reset();
  });
  ready.get_future().wait();
}

HeadlessShell::~HeadlessShell() {
  loop_.quit();
  if (uiThread_.joinable()) uiThread_.join();
}

bool HeadlessShell::running() const { return !loop_.closing(); }

void HeadlessShell::runOnUi(const std::function<void()>& task) {
  // Once the loop is closing a send returns without running the task, so
  // holding the lock here never keeps the UI thread from tearing down.
  std::shared_lock<std::shared_mutex> lock(frameLock_);
  if (frame_ && !loop_.closing()) frame_->runOnUi(task);
}

bool HeadlessShell::click(std::string_view name) {
  return ui([&](CK9X40FrameWnd& f) {
    ui::Control* c = f.pm().findControl(name);
    if (c) f.pm().userClick(*c);
    return c != nullptr;
  });
}

bool HeadlessShell::selectItem(std::string_view name, int index) {
  return ui([&](CK9X40FrameWnd& f) {
    auto* c = f.pm().find<ui::Combo>(name);
    if (c) f.pm().userSelectItem(*c, index);
    return c != nullptr;
  });
}

bool HeadlessShell::selectItemText(std::string_view name, std::string_view text) {
  return ui([&](CK9X40FrameWnd& f) {
    auto* c = f.pm().find<ui::Combo>(name);
    if (!c) return false;
    int index = -1;
    for (int i = 0; i < c->count(); ++i)
      if (c->items()[i] == text) index = i;
    if (index < 0) {
      c->addItem(text);
      index = c->count() - 1;
    }
    f.pm().userSelectItem(*c, index);
    return true;
  });
}

bool HeadlessShell::setText(std::string_view name, std::string_view text) {
  return ui([&](CK9X40FrameWnd& f) {
    ui::Control* c = f.pm().findControl(name);
    if (c) f.pm().userSetText(*c, text);
    return c != nullptr;
  });
}

bool HeadlessShell::focus(std::string_view name, bool gained) {
  return ui([&](CK9X40FrameWnd& f) {
    ui::Control* c = f.pm().findControl(name);
    if (c) f.pm().userFocus(*c, gained);
    return c != nullptr;
  });
}

std::optional<std::string> HeadlessShell::text(std::string_view name) {
  return ui([&](CK9X40FrameWnd& f) -> std::optional<std::string> {
    ui::Control* c = f.pm().findControl(name);
    if (!c) return std::nullopt;
    return c->text();
  });
}

std::optional<bool> HeadlessShell::enabled(std::string_view name) {
  return ui([&](CK9X40FrameWnd& f) -> std::optional<bool> {
    ui::Control* c = f.pm().findControl(name);
    if (!c) return std::nullopt;
    return c->enabled();
  });
}

std::optional<bool> HeadlessShell::visible(std::string_view name) {
  return ui([&](CK9X40FrameWnd& f) -> std::optional<bool> {
    ui::Control* c = f.pm().findControl(name);
    if (!c) return std::nullopt;
    return c->effectivelyVisible();
  });
}

std::string HeadlessShell::logText() { return text("richedit").value_or(std::string()); }

bool HeadlessShell::openPort(const std::string& path, int baud, std::string_view format) {
  // A close just before posted the states that enable the port settings; a
  // disabled drop-down ignores the user's pick.
  settle();
  if (!selectItemText("SerialPort", path) || !selectItemText("BaudRate1", std::to_string(baud)) ||
      !selectItemText("Checkcode", format))
    return false;
  if (portOpen()) return true;
  click("Open");
  settle();  // the button states the open posted are in
  return portOpen();
}

bool HeadlessShell::portOpen() {
  return ui([](CK9X40FrameWnd& f) { return f.serialPort().isOpen(); });
}

bool HeadlessShell::configMode() {
  return ui([](CK9X40FrameWnd& f) { return f.link().configMode.load(); });
}

bool HeadlessShell::workerIdle() {
  return ui([](CK9X40FrameWnd& f) { return f.workerIdle(); });
}

bool HeadlessShell::settle(int timeoutMs) {
  auto done = std::make_shared<std::promise<void>>();
  auto future = done->get_future();
  {
    std::shared_lock<std::shared_mutex> lock(frameLock_);
    if (!frame_ || loop_.closing()) return false;
    frame_->postToUi([done] { done->set_value(); });
  }
  return future.wait_for(std::chrono::milliseconds(timeoutMs)) == std::future_status::ready;
}

bool HeadlessShell::waitFor(const std::function<bool(CK9X40FrameWnd&)>& pred, int timeoutMs) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    if (ui([&](CK9X40FrameWnd& f) { return pred(f); })) return true;
    if (std::chrono::steady_clock::now() >= end || !running()) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

bool HeadlessShell::waitForConfigMode(int timeoutMs) {
  return waitFor([](CK9X40FrameWnd& f) { return f.link().configMode.load(); }, timeoutMs);
}

bool HeadlessShell::waitForLog(std::string_view needle, int timeoutMs) {
  std::string n(needle);
  return waitFor(
      [n](CK9X40FrameWnd& f) {
        auto* pane = f.pm().find<ui::RichEdit>("richedit");
        return pane && pane->text().find(n) != std::string::npos;
      },
      timeoutMs);
}

bool HeadlessShell::waitIdle(int timeoutMs) {
  return waitFor([](CK9X40FrameWnd& f) { return f.workerIdle(); }, timeoutMs);
}

bool HeadlessShell::restartRequested() {
  if (running()) return ui([](CK9X40FrameWnd& f) { return f.restartRequested(); });
  if (uiThread_.joinable()) uiThread_.join();
  return restart_;
}

}  // namespace app
