#pragma once
// The main window without a screen: the frame on a plain message loop that
// runs on a thread of its own, with dialogs answered by the caller. For the
// CLI and for tests. Every call may come from any thread but the shell's UI
// thread; calls that touch controls run on the UI thread behind the scenes.

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <shared_mutex>
#include <string>
#include <string_view>
#include <thread>
#include <type_traits>

#include "app/frame_hooks.h"
#include "app/frame_window.h"
#include "app/headless_dialogs.h"
#include "app/window_chrome.h"
#include "link/timing.h"
#include "ui/plain_message_loop.h"

namespace app {

struct ShellOptions {
  std::filesystem::path programDir;  // holds config.ini; empty: the running program's directory
  std::filesystem::path skinDir;     // empty: the skin of `language` under programDir
  int language = 0;
  std::filesystem::path helpFile;    // empty: Help.txt in the current directory
  devlink::Timing timing;
  FrameHooks hooks = StandardHooks();
  bool startWorker = true;
  bool echoDialogs = false;          // boxes also go to stderr
};

class HeadlessShell {
 public:
  explicit HeadlessShell(ShellOptions options = {});
  // Ends the loop, then destroys the frame on its thread (which joins the worker).
  ~HeadlessShell();
  HeadlessShell(const HeadlessShell&) = delete;
  HeadlessShell& operator=(const HeadlessShell&) = delete;

  bool skinLoaded() const { return skinLoaded_; }
  bool running() const;  // the loop has not ended (close button, language switch)

  // Runs f(frame) on the UI thread and returns its result. When the loop
  // has ended, f does not run and a value-initialised result comes back.
  template <class F>
  auto ui(F&& f) -> std::invoke_result_t<F, CK9X40FrameWnd&> {
    using R = std::invoke_result_t<F, CK9X40FrameWnd&>;
    if constexpr (std::is_void_v<R>) {
      runOnUi([&] { f(*frame_); });
    } else {
      R result{};
      runOnUi([&] { result = f(*frame_); });
      return result;
    }
  }

  // Controls by name. False / nullopt when the control is missing.
  bool click(std::string_view name);  // as the user clicks: disabled controls ignore it
  bool selectItem(std::string_view name, int index);
  // Selects the item with this text, adding it to the list first if needed.
  bool selectItemText(std::string_view name, std::string_view text);
  bool setText(std::string_view name, std::string_view text);  // as typed: no notification
  bool focus(std::string_view name, bool gained = true);
  std::optional<std::string> text(std::string_view name);
  std::optional<bool> enabled(std::string_view name);
  std::optional<bool> visible(std::string_view name);  // effective visibility
  std::string logText();

  // Chooses the port, baud rate and line format and clicks "Open"; returns
  // once the states the open posted are shown.
  bool openPort(const std::string& path, int baud = 115200, std::string_view format = "8N1");
  bool portOpen();
  bool configMode();
  // True once the queue is empty and no job is in flight.
  bool workerIdle();

  // Returns once everything posted so far (log lines, button states, layout
  // requests) has been handled; false when the loop ended first.
  bool settle(int timeoutMs = 5000);
  // Polls pred(frame) on the UI thread until it holds; false after timeoutMs.
  bool waitFor(const std::function<bool(CK9X40FrameWnd&)>& pred, int timeoutMs);
  bool waitForConfigMode(int timeoutMs);
  bool waitForLog(std::string_view needle, int timeoutMs);
  bool waitIdle(int timeoutMs);

  HeadlessDialogs& dialogs() { return dialogs_; }
  HeadlessWindow& window() { return window_; }
  ui::PlainMessageLoop& loop() { return loop_; }
  bool restartRequested();

 private:
  void runOnUi(const std::function<void()>& task);

  HeadlessDialogs dialogs_;
  HeadlessWindow window_;
  ui::PlainMessageLoop loop_;
  std::unique_ptr<CK9X40FrameWnd> frame_;
  std::shared_mutex frameLock_;  // callers share it; the UI thread takes it to destroy the frame
  std::thread uiThread_;
  bool skinLoaded_ = false;
  bool restart_ = false;
};

}  // namespace app
